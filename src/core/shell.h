// The shell: hands a file, a folder, a document or a program to the desktop.
//
// A request keeps the vocabulary of the platform the bar was designed on
// (verb, show command, the Control Panel's command line), because the bar's
// rules are stated in it and one request can then serve every platform. Each
// adapter translates it into what its desktop offers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

enum ShowCommand : int { SW_SHOWNORMAL = 1, SW_SHOW = 5, SW_SHOWDEFAULT = 10 };

// The program that starts a Control Panel applet, and the start of its
// parameters; the applet string follows.
inline constexpr std::string_view kRunDll = "rundll32.exe";
inline constexpr std::string_view kControlPanelPrefix = "shell32.dll,Control_RunDLL ";

// The shell namespace path of the printers folder.
inline constexpr std::string_view kPrintersFolder =
    "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}\\"
    "::{2227A280-3AEA-1069-A2DE-08002B30309D}";

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
