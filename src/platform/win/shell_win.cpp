#include "platform/win/shell_win.h"

#include <utility>

#include "platform/win/windows_api.h"

namespace tw {

namespace {

intptr_t CallShellExecuteA(void* owner, const char* verb, const char* file, const char* parameters,
                           const char* directory, int show) {
    return reinterpret_cast<intptr_t>(ShellExecuteA(static_cast<HWND>(owner), verb, file,
                                                    parameters, directory, show));
}

const char* OrNull(const std::optional<std::string>& s) { return s ? s->c_str() : nullptr; }

}  // namespace

WinShell::WinShell() : WinShell(CallShellExecuteA, nullptr) {}

WinShell::WinShell(OwnerWindow ownerWindow) : WinShell(CallShellExecuteA, std::move(ownerWindow)) {}

WinShell::WinShell(Executor execute, OwnerWindow ownerWindow)
    : execute_(std::move(execute)), ownerWindow_(std::move(ownerWindow)) {}

bool WinShell::ShellExecute(const ShellRequest& r) {
    void* owner = r.owner && ownerWindow_ ? ownerWindow_(r.owner) : nullptr;
    return execute_(owner, OrNull(r.verb), r.file.c_str(), OrNull(r.parameters),
                    OrNull(r.directory), r.show) > 32;
}

}  // namespace tw
