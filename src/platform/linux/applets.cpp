#include "platform/linux/applets.h"

#include <algorithm>

#include "core/text.h"

namespace tw {

namespace {

// The printers folder's row.
constexpr std::string_view kPrinters = "::printers";

struct AppletRow {
    std::string_view file;  // applet file name, or kPrinters
    std::string_view page;  // page name after the blank; empty: any
    std::vector<SettingsTool> tools;
};

// The one translation table, in the order the tools are tried.
const std::vector<AppletRow>& Table() {
    static const std::vector<AppletRow> table = {
        {"Sysdm.cpl", "",
         {{"GNOME", "gnome-control-center", "info-overview"},
          {"KDE", "systemsettings", "kcm_about-distro"},
          {"X-Cinnamon", "cinnamon-settings", "info"},
          {"", "hardinfo", ""}}},
        {"Intl.cpl", "",
         {{"GNOME", "gnome-control-center", "region"},
          {"LXQt", "lxqt-config-locale", ""},
          {"KDE", "systemsettings", "kcm_regionandlang"}}},
        {"Timedate.cpl", "",
         {{"GNOME", "gnome-control-center", "datetime"},
          {"LXQt", "lxqt-admin-time", ""},
          {"KDE", "systemsettings", "kcm_clock"},
          {"X-Cinnamon", "cinnamon-settings", "calendar"},
          {"", "time-admin", ""}}},
        {"Access.cpl", "",
         {{"GNOME", "gnome-control-center", "universal-access"},
          {"XFCE", "xfce4-accessibility-settings", ""},
          {"KDE", "systemsettings", "kcm_access"},
          {"MATE", "mate-at-properties", ""}}},
        {"powercfg.cpl", "",
         {{"GNOME", "gnome-control-center", "power"},
          {"XFCE", "xfce4-power-manager-settings", ""},
          {"LXQt", "lxqt-config-powermanagement", ""},
          {"KDE", "systemsettings", "kcm_powerdevilprofilesconfig"},
          {"MATE", "mate-power-preferences", ""},
          {"X-Cinnamon", "cinnamon-settings", "power"}}},
        {"Desk.cpl", "",
         {{"GNOME", "gnome-control-center", "display"},
          {"XFCE", "xfce4-display-settings", ""},
          {"LXQt", "lxqt-config-monitor", ""},
          {"KDE", "systemsettings", "kcm_kscreen"},
          {"MATE", "mate-display-properties", ""},
          {"X-Cinnamon", "cinnamon-settings", "display"},
          {"", "arandr", ""}}},
        {"Mmsys.cpl", "",
         {{"GNOME", "gnome-control-center", "sound"},
          {"KDE", "systemsettings", "kcm_pulseaudio"},
          {"MATE", "mate-volume-control", ""},
          {"X-Cinnamon", "cinnamon-settings", "sound"},
          {"", "pavucontrol", ""},
          {"", "pavucontrol-qt", ""}}},
        {"Main.cpl", "マウス",
         {{"GNOME", "gnome-control-center", "mouse"},
          {"XFCE", "xfce4-mouse-settings", ""},
          {"LXQt", "lxqt-config-input", ""},
          {"KDE", "systemsettings", "kcm_mouse"},
          {"MATE", "mate-mouse-properties", ""},
          {"X-Cinnamon", "cinnamon-settings", "mouse"}}},
        {"Main.cpl", "キーボード",
         {{"GNOME", "gnome-control-center", "keyboard"},
          {"XFCE", "xfce4-keyboard-settings", ""},
          {"LXQt", "lxqt-config-input", ""},
          {"KDE", "systemsettings", "kcm_keyboard"},
          {"MATE", "mate-keyboard-properties", ""},
          {"X-Cinnamon", "cinnamon-settings", "keyboard"}}},
        {"Joy.cpl", "",
         {{"KDE", "systemsettings", "kcm_gamecontroller"}, {"", "jstest-gtk", ""}}},
        {"Appwiz.cpl", "",
         {{"GNOME", "gnome-software", ""},
          {"KDE", "plasma-discover", ""},
          {"", "gpk-application", ""},
          {"", "synaptic-pkexec", ""}}},
        // Hardware is detected on its own; there is no wizard to stand in.
        {"hdwwiz.cpl", "", {}},
        {"Modem.cpl", "",
         {{"KDE", "systemsettings", "kcm_networkmanagement"},
          {"", "nm-connection-editor", ""}}},
        {"ncpa.cpl", "",
         {{"GNOME", "gnome-control-center", "network"},
          {"KDE", "systemsettings", "kcm_networkmanagement"},
          {"", "nm-connection-editor", ""}}},
        // The proxy settings live with the network settings.
        {"inetcpl.cpl", "",
         {{"GNOME", "gnome-control-center", "network"},
          {"KDE", "systemsettings", "kcm_proxy"}}},
        {"nusrmgr.cpl", "",
         {{"GNOME", "gnome-control-center", "user-accounts"},
          {"LXQt", "lxqt-admin-user", ""},
          {"KDE", "systemsettings", "kcm_users"},
          {"X-Cinnamon", "cinnamon-settings", "user"},
          {"", "users-admin", ""}}},
        {kPrinters, "",
         {{"", "system-config-printer", ""},
          {"GNOME", "gnome-control-center", "printers"},
          {"KDE", "systemsettings", "kcm_printer_manager"}}},
    };
    return table;
}

std::vector<SettingsTool> Lookup(std::string_view file, std::string_view page) {
    const AppletRow* first = nullptr;
    for (const AppletRow& row : Table()) {
        if (!SameTextAscii(row.file, file)) continue;
        if (row.page == page) return row.tools;
        if (!first) first = &row;
    }
    return first ? first->tools : std::vector<SettingsTool>{};
}

bool Mentions(std::string_view desktops, std::string_view name) {
    while (!desktops.empty()) {
        const std::size_t colon = desktops.find(':');
        if (SameTextAscii(desktops.substr(0, colon), name)) return true;
        if (colon == std::string_view::npos) break;
        desktops.remove_prefix(colon + 1);
    }
    return false;
}

}  // namespace

std::vector<SettingsTool> AppletTools(std::string_view applet) {
    const std::size_t blank = applet.find(' ');
    const std::string_view file = applet.substr(0, blank);
    const std::string_view page =
        blank == std::string_view::npos ? std::string_view() : applet.substr(blank + 1);
    if (file == kPrinters) return {};
    return Lookup(file, page);
}

std::vector<SettingsTool> PrinterTools() { return Lookup(kPrinters, ""); }

std::vector<SettingsTool> InPreferenceOrder(std::vector<SettingsTool> tools,
                                            std::string_view desktops) {
    if (desktops.empty()) return tools;
    auto rank = [&](const SettingsTool& t) {
        if (t.desktop.empty()) return 1;
        return Mentions(desktops, t.desktop) ? 0 : 2;
    };
    std::stable_sort(tools.begin(), tools.end(),
                     [&](const SettingsTool& a, const SettingsTool& b) { return rank(a) < rank(b); });
    return tools;
}

}  // namespace tw
