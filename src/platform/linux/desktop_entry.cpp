#include "platform/linux/desktop_entry.h"

#include <gio/gdesktopappinfo.h>

namespace tw {

bool IsDesktopEntryName(std::string_view path) {
    constexpr std::string_view kExtension = ".desktop";
    return path.size() > kExtension.size() && path.ends_with(kExtension) &&
           path[path.size() - kExtension.size() - 1] != '/';
}

bool LaunchDesktopEntry(const std::string& path) {
    GDesktopAppInfo* info = path.find('/') == std::string::npos
                                ? g_desktop_app_info_new(path.c_str())
                                : g_desktop_app_info_new_from_filename(path.c_str());
    if (!info) return false;
    bool started = false;
    if (!g_desktop_app_info_get_is_hidden(info)) {
        GAppLaunchContext* context = g_app_launch_context_new();
        GError* error = nullptr;
        started = g_app_info_launch(G_APP_INFO(info), nullptr, context, &error);
        if (error) g_error_free(error);
        g_object_unref(context);
    }
    g_object_unref(info);
    return started;
}

}  // namespace tw
