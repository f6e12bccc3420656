#include "platform/linux/desktop_entry.h"

#include <dlfcn.h>
#include <gio/gdesktopappinfo.h>

namespace tw {

namespace {

// GIO is loaded when the first desktop entry is started, not with the bar:
// few launches need it, and it brings half a dozen libraries along.
struct Gio {
    decltype(&g_desktop_app_info_new) newFromId = nullptr;
    decltype(&g_desktop_app_info_new_from_filename) newFromFile = nullptr;
    decltype(&g_desktop_app_info_get_is_hidden) isHidden = nullptr;
    decltype(&g_app_launch_context_new) newContext = nullptr;
    decltype(&g_app_info_launch) launch = nullptr;
    decltype(&g_error_free) freeError = nullptr;
    decltype(&g_object_unref) unref = nullptr;
    bool loaded = false;
};

template <class F>
bool Resolve(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

const Gio& LoadGio() {
    static const Gio gio = [] {
        Gio g;
        void* library = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        g.loaded = library && Resolve(library, "g_desktop_app_info_new", g.newFromId) &&
                   Resolve(library, "g_desktop_app_info_new_from_filename", g.newFromFile) &&
                   Resolve(library, "g_desktop_app_info_get_is_hidden", g.isHidden) &&
                   Resolve(library, "g_app_launch_context_new", g.newContext) &&
                   Resolve(library, "g_app_info_launch", g.launch) &&
                   Resolve(library, "g_error_free", g.freeError) &&
                   Resolve(library, "g_object_unref", g.unref);
        return g;  // the library stays loaded for the life of the program
    }();
    return gio;
}

}  // namespace

bool IsDesktopEntryName(std::string_view path) {
    constexpr std::string_view kExtension = ".desktop";
    return path.size() > kExtension.size() && path.ends_with(kExtension) &&
           path[path.size() - kExtension.size() - 1] != '/';
}

bool LaunchDesktopEntry(const std::string& path) {
    const Gio& gio = LoadGio();
    if (!gio.loaded) return false;
    GDesktopAppInfo* info = path.find('/') == std::string::npos
                                ? gio.newFromId(path.c_str())
                                : gio.newFromFile(path.c_str());
    if (!info) return false;
    bool started = false;
    if (!gio.isHidden(info)) {
        GAppLaunchContext* context = gio.newContext();
        GError* error = nullptr;
        // GDesktopAppInfo implements GAppInfo: the pointer is the interface's.
        started = gio.launch(reinterpret_cast<GAppInfo*>(info), nullptr, context, &error);
        if (error) gio.freeError(error);
        gio.unref(context);
    }
    gio.unref(info);
    return started;
}

}  // namespace tw
