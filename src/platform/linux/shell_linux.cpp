#include "platform/linux/shell_linux.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "core/text.h"
#include "platform/linux/applets.h"
#include "platform/linux/paths.h"

namespace tw {

namespace {

constexpr std::string_view kPrintServerPage = "http://localhost:631/";

// Whether `text` starts with the ASCII `prefix`, letters in either case.
bool StartsWithAscii(std::string_view text, std::string_view prefix) {
    return SameTextAscii(text.substr(0, prefix.size()), prefix);
}

bool IsExecutableFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool IsUsableDirectory(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Whether `path` ends in the ASCII `suffix`, letters in either case.
bool EndsWithAscii(std::string_view path, std::string_view suffix) {
    return path.size() > suffix.size() &&
           SameTextAscii(path.substr(path.size() - suffix.size()), suffix);
}

std::string CurrentDirectory() {
    std::string buf(4096, '\0');
    while (!getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) return "/";
        buf.resize(buf.size() * 2);
    }
    buf.resize(buf.find('\0'));
    return buf;
}

std::string Absolute(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    std::string cwd = CurrentDirectory();
    if (cwd.back() != '/') cwd += '/';
    return cwd + path;
}

// A folder without the separators it may end in ("/" stays "/").
std::string Trimmed(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

// "~" and "~/..." name the home folder; "~user" is left alone.
std::string ExpandHome(std::string path, const std::string& home) {
    if (path == "~") return home;
    if (path.size() >= 2 && path[0] == '~' && path[1] == '/') {
        std::string base = home;
        while (!base.empty() && base.back() == '/') base.pop_back();
        return base + path.substr(1);
    }
    return path;
}

// Few desktops can show the help format the bar asks for: a help file that
// is missing gives way to the HTML document of the same name beside it.
std::optional<std::string> HelpDocument(const std::string& path) {
    constexpr std::string_view kHelp = ".HLP";
    if (!EndsWithAscii(path, kHelp) || Exists(path)) return std::nullopt;
    std::string html = path.substr(0, path.size() - kHelp.size()) + ".html";
    if (!IsRegularFile(html)) return std::nullopt;
    return html;
}

std::string Environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

}  // namespace

std::optional<std::string> FindExecutable(const std::string& name, const std::string& path) {
    if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t colon = path.find(':', start);
        if (colon == std::string::npos) colon = path.size();
        const std::string dir = path.substr(start, colon - start);
        start = colon + 1;
        if (dir.empty() || dir.front() != '/') continue;  // never the current directory
        std::string candidate = dir;
        if (candidate.back() != '/') candidate += '/';
        candidate += name;
        if (IsExecutableFile(candidate)) return candidate;
    }
    return std::nullopt;
}

LinuxShell::LinuxShell() : LinuxShell(Options{}) {}

LinuxShell::LinuxShell(Options options) : options_(std::move(options)) {
    if (!options_.spawn) options_.spawn = SpawnDetached;
    if (!options_.launchEntry) options_.launchEntry = LaunchDesktopEntry;
}

std::string LinuxShell::Path() const {
    return options_.path ? *options_.path : Environment("PATH");
}

std::string LinuxShell::Home() const {
    if (options_.home) return *options_.home;
    std::string home = Environment("HOME");
    if (home.empty())
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    return home.empty() ? "/" : home;
}

std::optional<std::string> LinuxShell::FindOnPath(const std::string& name) const {
    return FindExecutable(name, Path());
}

bool LinuxShell::Start(const std::string& program, const std::vector<std::string>& args,
                       const std::string& directory, const std::string& fileFolder) const {
    std::string cwd;
    for (const std::string& d : {Absolute(directory), fileFolder, Home(), std::string("/")}) {
        if (IsUsableDirectory(d)) {
            cwd = Trimmed(d);
            break;
        }
    }
    return options_.spawn(LaunchCommand{program, args, cwd});
}

bool LinuxShell::OpenWithDefault(const std::string& target, const std::string& directory,
                                 const std::string& fileFolder) const {
    const auto opener = FindOnPath("xdg-open");
    return opener && Start(*opener, {target}, directory, fileFolder);
}

bool LinuxShell::StartTool(const std::vector<SettingsTool>& tools) const {
    const std::string desktops =
        options_.desktops ? *options_.desktops : Environment("XDG_CURRENT_DESKTOP");
    for (const SettingsTool& t : InPreferenceOrder(tools, desktops)) {
        const auto program = FindOnPath(t.program);
        if (!program) continue;
        std::vector<std::string> args;
        if (!t.argument.empty()) args.push_back(t.argument);
        if (Start(*program, args, std::string(), std::string())) return true;
    }
    return false;
}

bool LinuxShell::ShellExecute(const ShellRequest& request) {
    if (request.file.empty()) return false;
    auto converted = TrySjisToUtf8(request.file);
    if (!converted) return false;
    const std::string& file = *converted;

    // Control Panel applets and the printers folder.
    if (SameTextAscii(file, kRunDll)) {
        const auto params = TrySjisToUtf8(request.parameters.value_or(std::string()));
        if (!params || !StartsWithAscii(*params, kControlPanelPrefix)) return false;
        return StartTool(AppletTools(std::string_view(*params).substr(kControlPanelPrefix.size())));
    }
    if (SameTextAscii(file, kPrintersFolder)) {
        if (StartTool(PrinterTools())) return true;
        for (const std::string& socket : options_.cupsSockets)
            if (Exists(socket)) return OpenWithDefault(std::string(kPrintServerPage), {}, {});
        return false;
    }
    if (file.starts_with("::")) return false;  // no other shell folder has a counterpart

    const std::string home = Home();
    const std::string target = ExpandHome(file, home);
    std::string directory;
    if (request.directory)
        if (auto d = TrySjisToUtf8(*request.directory)) directory = ExpandHome(*d, home);

    const std::string path = Absolute(target);
    const bool bare = target.find('/') == std::string::npos;
    if (const auto help = HelpDocument(path))
        return OpenWithDefault(*help, directory, FolderOf(*help));
    if (IsDesktopEntryName(target)) {
        if (IsRegularFile(path)) return options_.launchEntry(path, home);
        if (bare) return options_.launchEntry(target, home);
    }
    if (!bare && IsExecutableFile(path)) return Start(path, {}, directory, FolderOf(path));
    if (bare)
        if (auto program = FindOnPath(target)) return Start(*program, {}, directory, std::string());
    // What exists is named by its full path, as the bar sees it (a relative
    // path, a document in the bar's own folder); any other name that looks
    // like an option cannot be handed on.
    if (Exists(path)) return OpenWithDefault(path, directory, FolderOf(path));
    if (target.front() == '-') return false;
    return OpenWithDefault(target, directory, std::string());
}

}  // namespace tw
