#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <future>
#include <set>
#include <thread>

#include "core/text.h"
#include "platform/linux/shell_linux.h"
#include "recorder.h"
#include "tempdir.h"

namespace tw {

void PrintTo(const LaunchCommand& c, std::ostream* os) {
    *os << "{" << c.program << " [";
    for (const auto& a : c.args) *os << "<" << a << ">";
    *os << "] in " << c.directory << "}";
}

namespace {

namespace fs = std::filesystem;
using test::RecorderScript;
using test::TakeRecord;

struct Sandbox {
    const test::TempDir temp;
    const fs::path root = fs::canonical(temp.path());
    std::string Path(const std::string& utf8) const { return (root / utf8).string(); }
    std::string Dir(const std::string& utf8) const {
        fs::create_directories(root / utf8);
        return Path(utf8);
    }
    std::string Write(const std::string& utf8, const std::string& text, mode_t mode) const {
        fs::create_directories((root / utf8).parent_path());
        std::ofstream(Path(utf8), std::ios::binary) << text;
        chmod(Path(utf8).c_str(), mode);
        return Path(utf8);
    }
};

ShellRequest Entry(const std::string& utf8File, std::optional<std::string> utf8Dir) {
    ShellRequest r{nullptr, std::nullopt, Utf8ToSjis(utf8File), std::nullopt, std::nullopt};
    if (utf8Dir) r.directory = Utf8ToSjis(*utf8Dir);
    return r;
}

ShellRequest Applet(const std::string& utf8) {
    return {nullptr, "OPEN", "rundll32.exe", Utf8ToSjis("shell32.dll,Control_RunDLL " + utf8),
            std::string(), SW_SHOW};
}

// A shell with PATH and HOME in the sandbox.
LinuxShell::Options Controlled(const Sandbox& box) {
    LinuxShell::Options options;
    options.path = box.Dir("bin");
    options.home = box.Dir("home");
    options.desktops = "";
    return options;
}

TEST(LinuxShellLaunch, StartsDetachedInTheRightFolderWithNoStrayDescriptors) {
    Sandbox box;
    const std::string out = box.Path("record");
    const std::string folder = box.Dir("作業 フォルダ");
    const std::string script = box.Write("作業 フォルダ/記録 する", RecorderScript(out), 0755);
    const std::string work = box.Dir("別の場所"), home = box.Dir("home");
    box.Write("bin/recorder", RecorderScript(out), 0755);
    box.Write("bin/xdg-open", RecorderScript(out), 0755);  // the default handler
    const std::string docs = box.Dir("my docs");
    const std::string doc = box.Write("my docs/read me.txt", "text", 0644);
    LinuxShell shell(Controlled(box));

    // Descriptors the bar holds without close-on-exec: none may reach the
    // program. Above 2 its shell holds only its script and saved copies of
    // its standard descriptors.
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const std::set<std::string> allowed = {script, box.Path("bin/recorder"),
                                           box.Path("bin/xdg-open"), "/dev/null",
                                           fs::read_symlink("/proc/self/fd/1").string(),
                                           fs::read_symlink("/proc/self/fd/2").string()};
    const struct {
        std::string file;
        std::optional<std::string> dir;
        std::string cwd;
        std::vector<std::string> args;
    } cases[] = {
        {script, work + "/", work, {}},                // the directory given
        {script, std::nullopt, folder, {}},            // none: the program's own folder
        {script, box.Path("gone") + "/", folder, {}},  // unusable: likewise
        {"recorder", "", home, {}},                    // a bare name, on PATH, in home
        {doc, docs + "/", docs, {doc}},                // a document: one argument, whole
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(shell.ShellExecute(Entry(c.file, c.dir))) << c.file;
        // The intermediate process is reaped; the program is not our child.
        EXPECT_TRUE(waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD);
        auto r = TakeRecord(out);
        EXPECT_EQ(r["cwd"], std::vector<std::string>{c.cwd});
        EXPECT_EQ(r["arg"], c.args);  // a path with blanks is not split
        for (const std::string& target : r["fd"]) EXPECT_TRUE(allowed.count(target)) << target;
    }
    close(pipeFds[0]);
    close(pipeFds[1]);
}

// A shell that records what it would start, with tools on its PATH.
struct Recording : Sandbox {
    std::vector<LaunchCommand> started;
    std::vector<std::string> entries;
    std::vector<std::string> entryFolders;
    std::string failing;  // a program that fails to start
    LinuxShell::Options options;
    explicit Recording(std::initializer_list<const char*> tools = {"xdg-open"}) {
        options = Controlled(*this);
        for (const char* t : tools) Write(std::string("bin/") + t, "#!/bin/sh\n", 0755);
        options.spawn = [this](const LaunchCommand& c) {
            started.push_back(c);
            return c.program != failing;
        };
        options.launchEntry = [this](const std::string& e, const std::string& folder) {
            entries.push_back(e);
            entryFolders.push_back(folder);
            return true;
        };
    }
    // What one request starts: "program arg..." relative to bin/, or "".
    std::string Run(const ShellRequest& r) {
        started.clear();
        LinuxShell(options).ShellExecute(r);
        std::string out;
        for (const LaunchCommand& c : started) {
            out += out.empty() ? "" : "; ";
            out += c.program.substr(Path("bin/").size());
            for (const std::string& a : c.args) out += " " + a;
        }
        return out;
    }
};

TEST(LinuxShellApplets, TheCurrentDesktopsToolFirstThenAnyThenTheNextFoundOnPath) {
    const std::initializer_list<const char*> both = {"gnome-control-center", "systemsettings",
                                                     "hardinfo", "xfce4-mouse-settings"};
    const struct {
        std::initializer_list<const char*> tools;
        const char *desktops, *applet, *want;
    } cases[] = {
        {both, "", "Main.cpl マウス", "gnome-control-center mouse"},  // table order
        {both, "", "MAIN.CPL キーボード", "gnome-control-center keyboard"},  // case-blind
        {both, "KDE", "Main.cpl マウス", "systemsettings kcm_mouse"},
        {both, "X-Foo:kde", "Main.cpl マウス", "systemsettings kcm_mouse"},  // one of several
        {both, "XFCE", "Sysdm.cpl", "hardinfo"},  // any desktop's before another desktop's
        {{"xfce4-mouse-settings"}, "GNOME", "Main.cpl マウス", "xfce4-mouse-settings"},
        {both, "", "Foo.cpl", ""},
        {both, "", "hdwwiz.cpl", ""},  // no counterpart
        {{}, "", "Main.cpl マウス", ""},
    };
    for (const auto& c : cases) {
        Recording r(c.tools);
        r.options.desktops = c.desktops;
        EXPECT_EQ(r.Run(Applet(c.applet)), c.want) << c.desktops << " " << c.applet;
    }
    // A tool that fails to start gives way to the next.
    Recording r(both);
    r.failing = r.Path("bin/gnome-control-center");
    EXPECT_EQ(r.Run(Applet("Main.cpl マウス")),
              "gnome-control-center mouse; xfce4-mouse-settings");
    EXPECT_EQ(r.Run(Entry("", "")), "");  // an empty file
}

TEST(LinuxShellApplets, PrintersGoToAPrinterToolElseTheCupsPageElseNowhere) {
    const ShellRequest printers = Entry(std::string(kPrintersFolder), std::nullopt);
    const struct {
        std::initializer_list<const char*> tools;
        bool cups;
        const char* want;
    } cases[] = {
        {{"xdg-open", "system-config-printer", "gnome-control-center"}, true, "system-config-printer"},
        {{"xdg-open", "gnome-control-center"}, true, "gnome-control-center printers"},
        {{"xdg-open"}, true, "xdg-open http://localhost:631/"},
        {{"xdg-open"}, false, ""},
        {{}, true, ""},
    };
    for (const auto& c : cases) {
        Recording r(c.tools);
        r.options.cupsSockets = {r.Path("gone.sock"), r.Path("cups.sock")};
        if (c.cups) r.Write("cups.sock", "", 0600);
        EXPECT_EQ(r.Run(printers), c.want) << c.cups;
    }
}

TEST(LinuxShellTargets, RefusesOptionLikeNamesAndSearchesOnlyAbsolutePathEntries) {
    Recording r;
    for (const char* target : {"-rf", "-x/y", "--help"}) EXPECT_EQ(r.Run(Entry(target, "")), "") << target;
    EXPECT_EQ(r.Run(Entry("x-y", "")), "xdg-open x-y");

    // "tool" in the current folder and under a relative entry is never found.
    r.Write("tool", "#!/bin/sh\n", 0755);
    r.Write("rel/tool", "#!/bin/sh\n", 0755);
    const std::string abs = r.Write("abs/tool", "#!/bin/sh\n", 0755);
    const std::string cwd = fs::current_path();
    fs::current_path(r.root);
    EXPECT_EQ(FindExecutable("tool", ":rel::./rel:"), std::nullopt);
    EXPECT_EQ(FindExecutable("tool", ":rel:" + r.Path("abs")), abs);
    EXPECT_EQ(FindExecutable("rel/tool", r.root.string()), std::nullopt);
    fs::current_path(cwd);
}

TEST(LinuxShellTargets, ATildeStandsForHomeInFileAndFolderButNotBeforeAUserName) {
    Recording r;
    const std::string home = r.Path("home");
    const std::string prog = r.Write("home/prog", "#!/bin/sh\n", 0755);
    r.Dir("home/work");
    r.Write("bin/other", "#!/bin/sh\n", 0755);
    const struct {
        const char* file;
        std::optional<std::string> dir;
        LaunchCommand want;
    } cases[] = {
        {"~/prog", std::nullopt, {prog, {}, home}},
        {"~/prog", "~/work", {prog, {}, home + "/work"}},
        {"other", "~/work", {r.Path("bin/other"), {}, home + "/work"}},
        {"~", std::nullopt, {r.Path("bin/xdg-open"), {home}, r.root.string()}},
        {"~/doc.txt", std::nullopt, {r.Path("bin/xdg-open"), {home + "/doc.txt"}, home}},
        {"~user/x", "~user", {r.Path("bin/xdg-open"), {"~user/x"}, home}},
    };
    for (const auto& c : cases) {
        r.Run(Entry(c.file, c.dir));
        EXPECT_EQ(r.started, std::vector<LaunchCommand>{c.want}) << c.file;
    }
}

TEST(LinuxShellDesktopEntries, GoToTheEntryLauncherBeforeAnyOtherRule) {
    Recording r;
    // Executable, as entries on a desktop often are: still an entry.
    const std::string entry = r.Write("apps/editor.desktop", "[Desktop Entry]\n", 0755);
    r.Write("home/files.desktop", "[Desktop Entry]\n", 0644);
    for (const char* file : {"~/files.desktop", "org.example.Viewer.desktop"})
        EXPECT_EQ(r.Run(Entry(file, std::nullopt)), "") << file;
    EXPECT_EQ(r.Run(Entry(entry, r.Path("apps/"))), "");
    EXPECT_EQ(r.entries, (std::vector<std::string>{r.Path("home/files.desktop"),
                                                    "org.example.Viewer.desktop", entry}));
    // Each starts in the home folder unless it names its own.
    EXPECT_EQ(r.entryFolders, std::vector<std::string>(3, r.Path("home")));
    // A folder or a missing file of that name is no entry.
    r.Dir("folder.desktop");
    r.entries.clear();
    for (const std::string& file : {r.Path("folder.desktop"), r.Path("gone.desktop")})
        EXPECT_EQ(r.Run(Entry(file, std::nullopt)), "xdg-open " + file);
    EXPECT_TRUE(r.entries.empty());
}

TEST(LinuxShellDesktopEntries, StartTheirApplicationWithPathFieldCodesAndTerminal) {
    Sandbox box;
    const std::string out = box.Path("record");
    const std::string program = box.Write("bin/program", RecorderScript(out), 0755);
    const std::string work = box.Dir("work");
    const auto entry = [&](const std::string& name, const std::string& body) {
        return box.Write("apps/" + name + ".desktop",
                         "[Desktop Entry]\nType=Application\nName=" + name + "\n" + body, 0644);
    };
    LinuxShell shell(Controlled(box));

    // Field codes that take files or addresses are dropped when there are none.
    ASSERT_TRUE(shell.ShellExecute(Entry(
        entry("plain", "Exec=" + program + " %f %U --flag \"two words\"\nPath=" + work + "\n"),
        std::nullopt)));
    auto r = TakeRecord(out);
    EXPECT_EQ(r["cwd"], std::vector<std::string>{work});
    EXPECT_EQ(r["arg"], (std::vector<std::string>{"--flag", "two words"}));

    // Terminal=true runs the command in a terminal found on PATH.
    const std::string terminalOut = box.Path("terminal");
    const std::string terminals = box.Dir("terminals");
    // It sets its own PATH: the one it inherits holds only the terminal.
    std::string terminal = RecorderScript(terminalOut);
    terminal.insert(terminal.find('\n') + 1, "PATH=/usr/bin:/bin\n");
    box.Write("terminals/xterm", terminal, 0755);
    {
        const test::ScopedEnv path("PATH", terminals.c_str());
        ASSERT_TRUE(shell.ShellExecute(
            Entry(entry("console", "Exec=" + program + " -v\nTerminal=true\n"), std::nullopt)));
    }
    r = TakeRecord(terminalOut);
    ASSERT_GE(r["arg"].size(), 2u);
    EXPECT_EQ(r["arg"].front(), "-e");
    EXPECT_NE(std::find(r["arg"].begin(), r["arg"].end(), program), r["arg"].end());

    // Without a Path, in the home folder, not in the bar's own.
    ASSERT_TRUE(shell.ShellExecute(Entry(entry("nopath", "Exec=" + program + "\n"), work)));
    r = TakeRecord(out);
    EXPECT_EQ(r["cwd"], std::vector<std::string>{box.Path("home")});

    // Hidden, broken and non-application entries start nothing.
    for (const std::string& body :
         {"Exec=" + program + "\nHidden=true\n", std::string("Name=No Exec\n"),
          "Exec=" + program + "\nTryExec=" + box.Path("missing") + "\n"}) {
        EXPECT_FALSE(RunDesktopEntry(entry("bad", body))) << body;
    }
    EXPECT_FALSE(RunDesktopEntry(
        box.Write("apps/link.desktop", "[Desktop Entry]\nType=Link\nName=L\nURL=file:///\n", 0644)));
    EXPECT_FALSE(fs::exists(out));
}

// A session bus that takes connections and never says a word.
class SilentBus {
public:
    explicit SilentBus(const std::string& path) : fd_(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        path.copy(addr.sun_path, sizeof addr.sun_path - 1);
        listening_ = fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
                     listen(fd_, 16) == 0;
    }
    ~SilentBus() { Close(); }
    // Whoever still waits on it gets an error.
    void Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }
    bool Listening() const { return listening_; }

private:
    int fd_;
    bool listening_ = false;
};

TEST(LinuxShellDesktopEntries, StartWithoutTheBarWaitingOnTheSessionBusOrAHugeFile) {
    Sandbox box;
    const std::string out = box.Path("record");
    const std::string tmp = out + ".tmp";
    const std::string program = box.Write(
        "bin/program",
        "#!/bin/sh\n{ echo \"cwd=$(pwd -P)\"; echo \"bus=${DBUS_SESSION_BUS_ADDRESS-(unset)}\"; } > '" +
            tmp + "'\nmv '" + tmp + "' '" + out + "'\n",
        0755);
    const std::string head = "[Desktop Entry]\nType=Application\nName=E\nExec=" + program + "\n";
    LinuxShell shell(Controlled(box));

    SilentBus bus(box.Path("bus"));
    ASSERT_TRUE(bus.Listening());
    const std::string address = "unix:path=" + box.Path("bus");
    test::ScopedEnv env("DBUS_SESSION_BUS_ADDRESS", address.c_str());
    // Should the start wait on the bus after all, it ends with an error in 3 s.
    std::promise<void> done;
    std::thread hangUp([&bus, finished = done.get_future()] {
        finished.wait_for(std::chrono::seconds(3));
        bus.Close();
    });
    const auto t0 = std::chrono::steady_clock::now();
    const bool started = shell.ShellExecute(Entry(box.Write("apps/e.desktop", head, 0644), std::nullopt));
    const auto took = std::chrono::steady_clock::now() - t0;
    EXPECT_TRUE(started);
    EXPECT_LT(took, std::chrono::seconds(1));
    // The application starts all the same, with the bar's environment.
    auto r = TakeRecord(out);
    EXPECT_EQ(r["bus"], std::vector<std::string>{address});
    EXPECT_EQ(r["cwd"], std::vector<std::string>{box.Path("home")});
    done.set_value();
    hangUp.join();

    // An entry of 1 MiB is read; one byte more and it is not, nor started.
    const auto padded = [&](std::size_t size) {
        std::string text = head;
        while (text.size() < size) text += "#" + std::string(std::min<std::size_t>(size - text.size() - 1, 99), '.') + "\n";
        text.resize(size, '\n');
        return text;
    };
    const std::string big = box.Write("apps/big.desktop", padded(kDesktopEntryLimit), 0644);
    ASSERT_EQ(fs::file_size(big), kDesktopEntryLimit);
    EXPECT_TRUE(shell.ShellExecute(Entry(big, std::nullopt)));
    EXPECT_EQ(TakeRecord(out)["bus"], std::vector<std::string>{address});
    const std::string huge = box.Write("apps/huge.desktop", padded(kDesktopEntryLimit + 1), 0644);
    EXPECT_FALSE(shell.ShellExecute(Entry(huge, std::nullopt)));
    EXPECT_FALSE(RunDesktopEntry(huge));
    EXPECT_FALSE(fs::exists(out));
}

TEST(LinuxShellDocuments, AMissingHelpFileFallsBackToTheHtmlDocumentBesideIt) {
    Recording r;
    const std::string open = r.Path("bin/xdg-open");
    const std::string only = r.Dir("ヘルプ だけ"), both = r.Dir("both"), none = r.Dir("none");
    r.Write("ヘルプ だけ/TAMBLEWICKHELP.html", "<html>", 0644);
    r.Write("both/TAMBLEWICKHELP.html", "<html>", 0644);
    r.Write("both/TAMBLEWICKHELP.HLP", "help", 0644);
    const struct {
        std::string file;
        LaunchCommand want;
    } cases[] = {
        {only + "/TAMBLEWICKHELP.HLP", {open, {only + "/TAMBLEWICKHELP.html"}, only}},
        {only + "/TAMBLEWICKHELP.hlp", {open, {only + "/TAMBLEWICKHELP.html"}, only}},
        {both + "/TAMBLEWICKHELP.HLP", {open, {both + "/TAMBLEWICKHELP.HLP"}, both}},
        {none + "/TAMBLEWICKHELP.HLP", {open, {none + "/TAMBLEWICKHELP.HLP"}, r.Path("home")}},
    };
    for (const auto& c : cases) {
        r.Run(Entry(c.file, std::nullopt));
        EXPECT_EQ(r.started, std::vector<LaunchCommand>{c.want}) << c.file;
    }
}

}  // namespace
}  // namespace tw
