// The shell on Linux: programs are started, everything else goes to the
// desktop's default handler; Control Panel applets map to settings tools.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/applets.h"
#include "platform/linux/desktop_entry.h"
#include "platform/linux/spawn.h"
#include "core/shell.h"

namespace tw {

// What a request turns into:
// - an empty file: nothing;
// - "rundll32.exe" with "shell32.dll,Control_RunDLL " + applet: the first
//   settings tool of the applet (see applets.h) found on PATH, or nothing
//   (a tool that fails to start gives way to the next);
// - the printers folder: the first printer tool found on PATH, else the
//   print server's page http://localhost:631/ when CUPS runs here;
// - a leading "~" or "~/" in the file or the directory stands for the home
//   folder;
// - a file whose name ends in ".HLP" (any case) that does not exist, when
//   the HTML document of the same name with ".html" stands beside it: that
//   document, by its full path, through "xdg-open";
// - a desktop entry (a regular file named "*.desktop", or a bare
//   "*.desktop" name that is no file here, taken as a desktop file ID): the
//   application it describes, started in its Path or else in the home
//   folder, without the bar waiting for it (desktop_entry.h);
// - an executable regular file named by a path with "/", or a bare name
//   found as one on PATH: started detached (spawn.h);
// - anything else (document, folder, URL, unknown name): "xdg-open" with the
//   file as its one argument; a relative name that exists goes as its full
//   path, and one that does not but starts with "-" is refused (it would
//   read as an option).
// The file is never split into arguments and never seen by a shell. The
// working directory is the request's directory when it is usable, else the
// file's own folder, else the home folder. Verb, parameters (but for the
// Control Panel form), owner and show command leave the choice to the
// desktop. Text that cannot be converted from Shift-JIS starts nothing.
class LinuxShell : public IShell {
public:
    using Spawner = std::function<bool(const LaunchCommand&)>;
    // Starts a desktop entry; `directory` is where one without Path starts.
    using EntryLauncher = std::function<bool(const std::string& entry, const std::string& directory)>;
    struct Options {
        // Each unset value is read from the environment at every call.
        std::optional<std::string> path;      // PATH
        std::optional<std::string> home;      // HOME
        std::optional<std::string> desktops;  // XDG_CURRENT_DESKTOP
        // CUPS is taken to run when one of these sockets exists.
        std::vector<std::string> cupsSockets = {"/run/cups/cups.sock", "/var/run/cups/cups.sock"};
        Spawner spawn = SpawnDetached;
        EntryLauncher launchEntry = LaunchDesktopEntry;
    };

    LinuxShell();
    explicit LinuxShell(Options options);

    bool ShellExecute(const ShellRequest& request) override;

private:
    std::string Path() const;
    std::string Home() const;
    std::optional<std::string> FindOnPath(const std::string& name) const;
    bool StartTool(const std::vector<SettingsTool>& tools) const;
    bool Start(const std::string& program, const std::vector<std::string>& args,
               const std::string& directory, const std::string& fileFolder) const;
    bool OpenWithDefault(const std::string& target, const std::string& directory,
                         const std::string& fileFolder) const;

    Options options_;
};

// The executable `name` in the first directory of `path` (":"-separated;
// empty and relative entries are ignored) that holds it; nullopt when none.
std::optional<std::string> FindExecutable(const std::string& name, const std::string& path);

}  // namespace tw
