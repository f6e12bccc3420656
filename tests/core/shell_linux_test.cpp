#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
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

TEST(LinuxShellApplets, MapToSettingsToolsOnPathAndUnknownOnesStartNothing) {
    Sandbox box;
    for (const char* tool : {"bin/gnome-control-center", "bin/xdg-open"})
        box.Write(tool, "#!/bin/sh\n", 0755);
    std::vector<LaunchCommand> started;
    LinuxShell::Options options = Controlled(box);
    options.spawn = [&](const LaunchCommand& c) {
        started.push_back(c);
        return true;
    };
    LinuxShell shell(options);

    const std::pair<std::string, std::string> cases[] = {
        {"Main.cpl マウス", "mouse"}, {"MAIN.CPL キーボード", "keyboard"},  // case-blind
        {"Foo.cpl", ""}, {"hdwwiz.cpl", ""}};  // unknown; no counterpart
    const LaunchCommand tool{box.Path("bin/gnome-control-center"), {}, box.Path("home")};
    for (const auto& [applet, arg] : cases) {
        started.clear();
        EXPECT_EQ(shell.ShellExecute(Applet(applet)), !arg.empty()) << applet;
        std::vector<LaunchCommand> want;
        if (!arg.empty()) want.push_back({tool.program, {arg}, tool.directory});
        EXPECT_EQ(started, want) << applet;
    }
    started.clear();
    EXPECT_FALSE(shell.ShellExecute(Entry("", "")));  // an empty file
    EXPECT_TRUE(started.empty());
}

TEST(LinuxShellDesktopEntries, GoToTheEntryLauncherBeforeAnyOtherRule) {
    Sandbox box;
    box.Write("bin/xdg-open", "#!/bin/sh\n", 0755);
    // Executable, as entries on a desktop often are: still an entry.
    const std::string entry = box.Write("apps/editor.desktop", "[Desktop Entry]\n", 0755);
    box.Write("home/files.desktop", "[Desktop Entry]\n", 0644);
    std::vector<std::string> entries;
    std::vector<LaunchCommand> started;
    LinuxShell::Options options = Controlled(box);
    options.launchEntry = [&](const std::string& e) {
        entries.push_back(e);
        return true;
    };
    options.spawn = [&](const LaunchCommand& c) {
        started.push_back(c);
        return true;
    };
    LinuxShell shell(options);
    for (const char* file : {"~/files.desktop", "org.example.Viewer.desktop"})
        EXPECT_TRUE(shell.ShellExecute(Entry(file, std::nullopt))) << file;
    EXPECT_TRUE(shell.ShellExecute(Entry(entry, box.Path("apps/"))));
    EXPECT_EQ(entries, (std::vector<std::string>{box.Path("home/files.desktop"),
                                                  "org.example.Viewer.desktop", entry}));
    EXPECT_TRUE(started.empty());
    // A folder or a missing file of that name is no entry.
    box.Dir("folder.desktop");
    for (const std::string& file : {box.Path("folder.desktop"), box.Path("gone.desktop")}) {
        entries.clear();
        started.clear();
        shell.ShellExecute(Entry(file, std::nullopt));
        EXPECT_TRUE(entries.empty()) << file;
        ASSERT_EQ(started.size(), 1u) << file;
        EXPECT_EQ(started[0].program, box.Path("bin/xdg-open"));
    }
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

    // Hidden, broken and non-application entries start nothing.
    for (const std::string& body :
         {"Exec=" + program + "\nHidden=true\n", std::string("Name=No Exec\n"),
          "Exec=" + program + "\nTryExec=" + box.Path("missing") + "\n"}) {
        EXPECT_FALSE(shell.ShellExecute(Entry(entry("bad", body), std::nullopt))) << body;
    }
    EXPECT_FALSE(shell.ShellExecute(Entry(
        box.Write("apps/link.desktop", "[Desktop Entry]\nType=Link\nName=L\nURL=file:///\n", 0644),
        std::nullopt)));
    EXPECT_FALSE(fs::exists(out));
}

TEST(LinuxShellDocuments, AMissingHelpFileFallsBackToTheHtmlDocumentBesideIt) {
    Sandbox box;
    box.Write("bin/xdg-open", "#!/bin/sh\n", 0755);
    std::vector<LaunchCommand> started;
    LinuxShell::Options options = Controlled(box);
    options.spawn = [&](const LaunchCommand& c) {
        started.push_back(c);
        return true;
    };
    LinuxShell shell(options);
    const std::string open = box.Path("bin/xdg-open");
    const std::string only = box.Dir("ヘルプ だけ"), both = box.Dir("both"), none = box.Dir("none");
    box.Write("ヘルプ だけ/TAMBLEWICKHELP.html", "<html>", 0644);
    box.Write("both/TAMBLEWICKHELP.html", "<html>", 0644);
    box.Write("both/TAMBLEWICKHELP.HLP", "help", 0644);

    const struct {
        std::string file;
        LaunchCommand want;
    } cases[] = {
        {only + "/TAMBLEWICKHELP.HLP", {open, {only + "/TAMBLEWICKHELP.html"}, only}},
        {only + "/TAMBLEWICKHELP.hlp", {open, {only + "/TAMBLEWICKHELP.html"}, only}},
        {both + "/TAMBLEWICKHELP.HLP", {open, {both + "/TAMBLEWICKHELP.HLP"}, both}},
        {none + "/TAMBLEWICKHELP.HLP", {open, {none + "/TAMBLEWICKHELP.HLP"}, box.Path("home")}},
    };
    for (const auto& c : cases) {
        started.clear();
        shell.ShellExecute(Entry(c.file, std::nullopt));
        EXPECT_EQ(started, std::vector<LaunchCommand>{c.want}) << c.file;
    }
}

}  // namespace
}  // namespace tw
