// The shell on Windows: every request goes to ShellExecuteA as it is, the
// Control Panel's "rundll32.exe" line, the printers folder's namespace path
// and the help file included.
#pragma once

#include <cstdint>
#include <functional>

#include "core/shell.h"

namespace tw {

class WinShell : public IShell {
public:
    // ShellExecuteA's arguments in its order: owner window, verb, file,
    // parameters, directory (each null where the request has none), show
    // command; yields its result. Tests pass a recorder.
    using Executor = std::function<intptr_t(void* owner, const char* verb, const char* file,
                                            const char* parameters, const char* directory,
                                            int show)>;
    // The window handle of a request's owner (the bar), from the window
    // system that made it; null when there is none.
    using OwnerWindow = std::function<void*(const void* owner)>;

    // ShellExecuteA itself, with no owner window or with the owners' windows.
    WinShell();
    explicit WinShell(OwnerWindow ownerWindow);
    WinShell(Executor execute, OwnerWindow ownerWindow);

    // True when ShellExecuteA reports success (a result above 32).
    bool ShellExecute(const ShellRequest& request) override;

private:
    Executor execute_;
    OwnerWindow ownerWindow_;
};

}  // namespace tw
