// The desktop's own settings tools that stand in for the Control Panel
// applets and the printers folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// One settings tool: a program looked up on PATH and its one argument.
struct SettingsTool {
    std::string desktop;   // XDG_CURRENT_DESKTOP name it belongs to; empty: any desktop
    std::string program;   // bare name
    std::string argument;  // empty: none
};

// The tools for a Control Panel applet string (UTF-8), as "Main.cpl マウス":
// its file name compared without regard to ASCII case, then the page name
// after the first blank. A page that the table does not know takes the
// applet's first row ("Main.cpl" alone is the mouse). Empty for an applet
// without a counterpart on Linux or not in the table.
std::vector<SettingsTool> AppletTools(std::string_view appletUtf8);

// The tools that stand in for the printers folder.
std::vector<SettingsTool> PrinterTools();

// The tools in the order they are tried under `desktops` (the value of
// XDG_CURRENT_DESKTOP, names separated by ":"): the current desktop's own
// first, then those for any desktop, then the other desktops'. Without a
// desktop name the table order stands.
std::vector<SettingsTool> InPreferenceOrder(std::vector<SettingsTool> tools,
                                            std::string_view desktops);

}  // namespace tw
