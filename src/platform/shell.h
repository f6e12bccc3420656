// The shell: hands a file, a folder, a document or a program to the desktop.
#pragma once

#include <optional>
#include <string>

namespace tw {

enum ShowCommand : int { SW_SHOWNORMAL = 1, SW_SHOW = 5, SW_SHOWDEFAULT = 10 };

// The arguments of one shell call. A null verb, parameter or directory is
// std::nullopt; every string is Shift-JIS.
struct ShellRequest {
    const void* owner = nullptr;
    std::optional<std::string> verb;
    std::string file;
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    int show = SW_SHOWNORMAL;
};

class IShell {
public:
    virtual ~IShell() = default;
    // Opens the request's file; the result says whether anything was started
    // and is never examined by the bar.
    virtual bool ShellExecute(const ShellRequest& request) = 0;
};

}  // namespace tw
