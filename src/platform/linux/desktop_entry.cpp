#include "platform/linux/desktop_entry.h"

#include <dlfcn.h>
#include <gio/gdesktopappinfo.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "platform/linux/spawn.h"

namespace tw {

namespace {

// GIO is loaded when the first desktop entry is started, not with the bar:
// few launches need it, and it brings half a dozen libraries along.
struct Gio {
    decltype(&g_desktop_app_info_new) newFromId = nullptr;
    decltype(&g_desktop_app_info_new_from_filename) newFromFile = nullptr;
    decltype(&g_desktop_app_info_get_is_hidden) isHidden = nullptr;
    decltype(&g_app_launch_context_new) newContext = nullptr;
    decltype(&g_app_launch_context_setenv) setenv = nullptr;
    decltype(&g_app_launch_context_unsetenv) unsetenv = nullptr;
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
                   Resolve(library, "g_app_launch_context_setenv", g.setenv) &&
                   Resolve(library, "g_app_launch_context_unsetenv", g.unsetenv) &&
                   Resolve(library, "g_app_info_launch", g.launch) &&
                   Resolve(library, "g_error_free", g.freeError) &&
                   Resolve(library, "g_object_unref", g.unref);
        return g;  // the library stays loaded for the life of the program
    }();
    return gio;
}

constexpr const char* kSessionBus = "DBUS_SESSION_BUS_ADDRESS";

// A regular file of at most kDesktopEntryLimit bytes.
bool IsReadableSize(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           static_cast<std::uintmax_t>(st.st_size) <= kDesktopEntryLimit;
}

// Points GLib at no session bus for as long as it lives, and gives the old
// address back after.
class NoSessionBus {
public:
    NoSessionBus() {
        if (const char* v = std::getenv(kSessionBus)) address_ = v;
        // An address of a kind no bus has: GLib gives up at once.
        setenv(kSessionBus, "disabled:", 1);
    }
    ~NoSessionBus() {
        if (address_) setenv(kSessionBus, address_->c_str(), 1);
        else unsetenv(kSessionBus);
    }
    NoSessionBus(const NoSessionBus&) = delete;
    NoSessionBus& operator=(const NoSessionBus&) = delete;
    // What the started application is to see.
    const std::optional<std::string>& Address() const { return address_; }

private:
    std::optional<std::string> address_;
};

}  // namespace

bool IsDesktopEntryName(std::string_view path) {
    constexpr std::string_view kExtension = ".desktop";
    return path.size() > kExtension.size() && path.ends_with(kExtension) &&
           path[path.size() - kExtension.size() - 1] != '/';
}

std::string DesktopEntryStarter() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string exe(buf, static_cast<size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1) + "tamblewick-entry";
}

bool LaunchDesktopEntry(const std::string& path, const std::string& directory) {
    if (path.find('/') != std::string::npos && !IsReadableSize(path)) return false;
    const std::string starter = DesktopEntryStarter();
    return !starter.empty() && SpawnDetached(LaunchCommand{starter, {path}, directory});
}

bool RunDesktopEntry(const std::string& path) {
    const bool file = path.find('/') != std::string::npos;
    if (file && !IsReadableSize(path)) return false;
    const Gio& gio = LoadGio();
    if (!gio.loaded) return false;
    const NoSessionBus noBus;
    GDesktopAppInfo* info = file ? gio.newFromFile(path.c_str()) : gio.newFromId(path.c_str());
    if (!info) return false;
    bool started = false;
    if (!gio.isHidden(info)) {
        GAppLaunchContext* context = gio.newContext();
        if (noBus.Address()) gio.setenv(context, kSessionBus, noBus.Address()->c_str());
        else gio.unsetenv(context, kSessionBus);
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
