#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "core/text.h"
#include "platform/linux/shell_linux.h"

namespace tw {

void PrintTo(const LaunchCommand& c, std::ostream* os) {
    *os << "{" << c.program << " [";
    for (const auto& a : c.args) *os << "<" << a << ">";
    *os << "] in " << c.directory << "}";
}

namespace {

namespace fs = std::filesystem;

class Sandbox {
public:
    Sandbox() {
        char tmpl[] = "/tmp/tamblewick-shell-XXXXXX";
        root_ = mkdtemp(tmpl);
        root_ = fs::canonical(root_);
    }
    ~Sandbox() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    std::string Path(const std::string& utf8) const { return (root_ / utf8).string(); }
    std::string Root() const { return root_.string(); }
    std::string Dir(const std::string& utf8) const {
        fs::create_directories(root_ / utf8);
        return Path(utf8);
    }
    std::string Write(const std::string& utf8, const std::string& text, mode_t mode) const {
        const std::string p = Path(utf8);
        fs::create_directories(fs::path(p).parent_path());
        std::ofstream(p, std::ios::binary) << text;
        chmod(p.c_str(), mode);
        return p;
    }

private:
    fs::path root_;
};

std::string Quote(const std::string& s) { return "'" + s + "'"; }

// A script that records its arguments, its working directory and its open
// descriptors into `out`, atomically.
std::string RecorderScript(const std::string& out) {
    return "#!/bin/sh\n"
           "{ echo \"args=$#\"; for a in \"$@\"; do echo \"arg=$a\"; done; echo \"cwd=$(pwd -P)\"; } > " +
           Quote(out + ".tmp") + "\nls -l /proc/$$/fd >> " + Quote(out + ".tmp") + "\nmv " +
           Quote(out + ".tmp") + " " + Quote(out) + "\n";
}

std::optional<std::string> WaitForFile(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        if (fs::exists(path)) {
            std::ifstream in(path);
            std::stringstream s;
            s << in.rdbuf();
            fs::remove(path);
            return s.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

struct Record {
    std::vector<std::string> args;
    std::string cwd;
    std::map<int, std::string> fds;  // descriptor -> what it refers to
};

Record Parse(const std::string& text) {
    Record r;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("arg=")) r.args.push_back(line.substr(4));
        if (line.starts_with("cwd=")) r.cwd = line.substr(4);
        const std::size_t arrow = line.find(" -> ");
        if (arrow == std::string::npos) continue;
        const std::size_t start = line.rfind(' ', arrow - 1) + 1;
        r.fds[std::stoi(line.substr(start, arrow - start))] = line.substr(arrow + 4);
    }
    return r;
}

ShellRequest Entry(const std::string& utf8File, std::optional<std::string> utf8Dir) {
    ShellRequest r;
    r.file = Utf8ToSjis(utf8File);
    if (utf8Dir) r.directory = Utf8ToSjis(*utf8Dir);
    r.show = SW_SHOWDEFAULT;
    return r;
}

std::string Link(const std::string& path) {
    std::error_code ec;
    return fs::read_symlink(path, ec).string();
}

bool HasNoChildren() {
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(LinuxShellLaunch, StartsProgramsDetachedInTheRightFolderWithNoStrayDescriptors) {
    Sandbox box;
    const std::string out = box.Path("record");
    const std::string folder = box.Dir("作業 フォルダ");
    const std::string script = box.Write("作業 フォルダ/記録 する", RecorderScript(out), 0755);
    const std::string work = box.Dir("別の場所");
    const std::string home = box.Dir("home");
    const std::string bin = box.Dir("bin");
    box.Write("bin/recorder", RecorderScript(out), 0755);

    // Descriptors the bar holds open without close-on-exec must not leak.
    const std::string marker = box.Write("marker", "", 0644);
    const int leak = open(marker.c_str(), O_RDONLY);
    int pipeFds[2];
    ASSERT_GE(leak, 0);
    ASSERT_EQ(pipe(pipeFds), 0);

    LinuxShell::Options options;
    options.path = bin;
    options.home = home;
    LinuxShell shell(options);

    std::string text;
    auto launch = [&](const ShellRequest& r) -> Record {
        EXPECT_TRUE(shell.ShellExecute(r));
        EXPECT_TRUE(HasNoChildren());  // the intermediate is reaped, the program is not ours
        const auto recorded = WaitForFile(out);
        EXPECT_TRUE(recorded.has_value()) << "the program did not run";
        text = recorded.value_or("");
        return Parse(text);
    };

    // The directory the bar passes. The bar's own stdin (a pipe here) is
    // not handed on.
    const int savedStdin = dup(0);
    ASSERT_EQ(dup2(pipeFds[0], 0), 0);
    Record r = launch(Entry(script, work + "/"));
    dup2(savedStdin, 0);
    close(savedStdin);
    EXPECT_EQ(r.cwd, work);
    EXPECT_TRUE(r.args.empty());  // the path with blanks is not split
    EXPECT_EQ(r.fds[0], "/dev/null");
    // Above 2 the script's shell holds only its script and saved copies of
    // its standard descriptors (which it inherited from this process).
    const std::set<std::string> allowed = {script, "/dev/null", Link("/proc/self/fd/1"),
                                           Link("/proc/self/fd/2")};
    for (const auto& [fd, target] : r.fds) {
        if (fd <= 2) continue;
        EXPECT_TRUE(allowed.count(target)) << fd << " -> " << target << "\n" << text;
        EXPECT_NE(target, marker);
    }

    // No directory: the program's own folder; an unusable one likewise.
    EXPECT_EQ(launch(Entry(script, std::nullopt)).cwd, folder);
    EXPECT_EQ(launch(Entry(script, box.Path("gone") + "/")).cwd, folder);

    // A bare name is looked up on PATH and starts in the home folder.
    r = launch(Entry("recorder", ""));
    EXPECT_EQ(r.cwd, home);
    EXPECT_TRUE(r.args.empty());

    close(leak);
    close(pipeFds[0]);
    close(pipeFds[1]);

    // A file marked executable that cannot be executed starts nothing.
    const std::string junk = box.Write("junk", "\x01\x02\x03 not a program", 0755);
    EXPECT_FALSE(shell.ShellExecute(Entry(junk, "")));
    EXPECT_TRUE(HasNoChildren());
}

TEST(LinuxShellLaunch, DocumentsAndUrlsGoWholeToTheDefaultHandler) {
    Sandbox box;
    const std::string out = box.Path("record");
    const std::string bin = box.Dir("bin");
    box.Write("bin/xdg-open", RecorderScript(out), 0755);
    const std::string docs = box.Dir("my docs");
    const std::string doc = box.Write("my docs/read me.txt", "text", 0644);
    LinuxShell::Options options;
    options.path = bin;
    options.home = box.Dir("home");
    LinuxShell shell(options);

    ASSERT_TRUE(shell.ShellExecute(Entry(doc, docs + "/")));
    Record r = Parse(WaitForFile(out).value_or(""));
    EXPECT_EQ(r.args, (std::vector<std::string>{doc}));
    EXPECT_EQ(r.cwd, docs);

    // Nothing in a target reaches a shell.
    const std::string url = "https://example.com/a b?x=1&y=$(touch " + box.Path("pwned") + ");`id`";
    ASSERT_TRUE(shell.ShellExecute(Entry(url, "https://example.com/")));
    r = Parse(WaitForFile(out).value_or(""));
    EXPECT_EQ(r.args, (std::vector<std::string>{url}));
    EXPECT_FALSE(fs::exists(box.Path("pwned")));
}

// Records what would be started instead of starting it.
struct Recorder {
    std::vector<LaunchCommand> started;
    LinuxShell::Spawner Spawner() {
        return [this](const LaunchCommand& c) {
            started.push_back(c);
            return true;
        };
    }
};

ShellRequest Applet(const std::string& appletUtf8) {
    ShellRequest r;
    r.owner = &r;
    r.verb = "OPEN";
    r.file = "rundll32.exe";
    r.parameters = Utf8ToSjis("shell32.dll,Control_RunDLL " + appletUtf8);
    r.directory = std::string();
    r.show = SW_SHOW;
    return r;
}

TEST(LinuxShellApplets, TranslateToTheDesktopsSettingsToolsFoundOnPath) {
    Sandbox box;
    const std::string bin = box.Dir("bin");
    const std::string home = box.Dir("home");
    for (const char* tool : {"gnome-control-center", "xfce4-mouse-settings", "pavucontrol"})
        box.Write(std::string("bin/") + tool, "#!/bin/sh\n", 0755);
    Recorder rec;
    LinuxShell::Options options;
    options.path = bin;
    options.home = home;
    options.desktops = "";
    options.spawn = rec.Spawner();

    {
        LinuxShell shell(options);
        EXPECT_TRUE(shell.ShellExecute(Applet("Main.cpl マウス")));
        EXPECT_TRUE(shell.ShellExecute(Applet("MAIN.CPL キーボード")));
        EXPECT_TRUE(shell.ShellExecute(Applet("Desk.cpl")));
        EXPECT_TRUE(shell.ShellExecute(Applet("Mmsys.cpl マルチメディア")));
        ASSERT_EQ(rec.started.size(), 4u);
        EXPECT_EQ(rec.started[0], (LaunchCommand{bin + "/gnome-control-center", {"mouse"}, home}));
        EXPECT_EQ(rec.started[1].args, (std::vector<std::string>{"keyboard"}));
        EXPECT_EQ(rec.started[2].args, (std::vector<std::string>{"display"}));
        EXPECT_EQ(rec.started[3].args, (std::vector<std::string>{"sound"}));
    }

    // Under Xfce its own tool comes first, then tools for any desktop, then
    // the other desktops'.
    rec.started.clear();
    options.desktops = "XFCE";
    {
        LinuxShell shell(options);
        EXPECT_TRUE(shell.ShellExecute(Applet("Main.cpl マウス")));
        EXPECT_TRUE(shell.ShellExecute(Applet("Mmsys.cpl マルチメディア")));
        EXPECT_TRUE(shell.ShellExecute(Applet("Main.cpl キーボード")));
        ASSERT_EQ(rec.started.size(), 3u);
        EXPECT_EQ(rec.started[0], (LaunchCommand{bin + "/xfce4-mouse-settings", {}, home}));
        EXPECT_EQ(rec.started[1].program, bin + "/pavucontrol");
        EXPECT_EQ(rec.started[2], (LaunchCommand{bin + "/gnome-control-center", {"keyboard"}, home}));
    }

    // Applets without a counterpart, unknown ones and other rundll32 calls
    // start nothing; nor does an applet whose tools are not installed.
    rec.started.clear();
    {
        LinuxShell shell(options);
        for (const char* a : {"hdwwiz.cpl", "Foo.cpl", "Joy.cpl", ""})
            EXPECT_FALSE(shell.ShellExecute(Applet(a))) << a;
        ShellRequest other = Applet("Main.cpl マウス");
        other.parameters = "user32.dll,LockWorkStation";
        EXPECT_FALSE(shell.ShellExecute(other));
        other.parameters.reset();
        EXPECT_FALSE(shell.ShellExecute(other));
    }
    options.path = box.Dir("empty");
    {
        LinuxShell shell(options);
        EXPECT_FALSE(shell.ShellExecute(Applet("Main.cpl マウス")));
    }
    EXPECT_TRUE(rec.started.empty());
}

TEST(LinuxShellApplets, PrintersOpenThePrinterToolOrThePrintServerPage) {
    Sandbox box;
    const std::string bin = box.Dir("bin");
    box.Write("bin/xdg-open", "#!/bin/sh\n", 0755);
    Recorder rec;
    LinuxShell::Options options;
    options.path = bin;
    options.home = box.Dir("home");
    options.desktops = "";
    options.cupsSockets = {box.Path("cups.sock")};
    options.spawn = rec.Spawner();
    ShellRequest printers;
    printers.file =
        "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}\\"
        "::{2227A280-3AEA-1069-A2DE-08002B30309D}";

    LinuxShell shell(options);
    EXPECT_FALSE(shell.ShellExecute(printers));  // no tool, no print server
    box.Write("cups.sock", "", 0644);
    EXPECT_TRUE(shell.ShellExecute(printers));
    box.Write("bin/system-config-printer", "#!/bin/sh\n", 0755);
    EXPECT_TRUE(shell.ShellExecute(printers));
    ASSERT_EQ(rec.started.size(), 2u);
    EXPECT_EQ(rec.started[0].program, bin + "/xdg-open");
    EXPECT_EQ(rec.started[0].args, (std::vector<std::string>{"http://localhost:631/"}));
    EXPECT_EQ(rec.started[1].program, bin + "/system-config-printer");
    EXPECT_TRUE(rec.started[1].args.empty());
}

TEST(LinuxShellTargets, ResolvesHomeNamesBareNamesAndEverythingElse) {
    Sandbox box;
    const std::string bin = box.Dir("bin");
    const std::string home = box.Dir("home");
    box.Write("bin/xdg-open", "#!/bin/sh\n", 0755);
    box.Write("bin/tool", "#!/bin/sh\n", 0755);
    box.Write("bin/notes", "plain", 0644);
    const std::string homeTool = box.Write("home/bin/run", "#!/bin/sh\n", 0755);
    box.Dir("home/Desktop");
    Recorder rec;
    LinuxShell::Options options;
    options.path = "relative/dir::" + bin;
    options.home = home;
    options.spawn = rec.Spawner();
    LinuxShell shell(options);
    const std::string open = bin + "/xdg-open";

    EXPECT_FALSE(shell.ShellExecute(Entry("", "")));
    EXPECT_FALSE(shell.ShellExecute(Entry("", std::nullopt)));
    ShellRequest broken;
    broken.file = "/tmp/\x81";  // not Shift-JIS
    EXPECT_FALSE(shell.ShellExecute(broken));
    EXPECT_FALSE(shell.ShellExecute(Entry("::{645FF040-5081-101B-9F08-00AA002F954E}", "")));
    EXPECT_TRUE(rec.started.empty());

    EXPECT_TRUE(shell.ShellExecute(Entry("~", "")));
    EXPECT_TRUE(shell.ShellExecute(Entry("~/Desktop", "~/")));
    EXPECT_TRUE(shell.ShellExecute(Entry("~/bin/run", "~/bin/")));
    EXPECT_TRUE(shell.ShellExecute(Entry("tool", "")));
    EXPECT_TRUE(shell.ShellExecute(Entry("notes", "")));  // on PATH but not executable
    EXPECT_TRUE(shell.ShellExecute(Entry("mailto:someone@example.com", "mailto:")));
    EXPECT_TRUE(shell.ShellExecute(Entry("~someone/x", "~someone/")));
    EXPECT_TRUE(shell.ShellExecute(Entry(bin, std::nullopt)));  // a folder
    ASSERT_EQ(rec.started.size(), 8u);
    EXPECT_EQ(rec.started[0], (LaunchCommand{open, {home}, box.Root()}));  // its own folder
    EXPECT_EQ(rec.started[1], (LaunchCommand{open, {home + "/Desktop"}, home}));
    EXPECT_EQ(rec.started[2], (LaunchCommand{homeTool, {}, home + "/bin"}));
    EXPECT_EQ(rec.started[3], (LaunchCommand{bin + "/tool", {}, home}));
    EXPECT_EQ(rec.started[4], (LaunchCommand{open, {"notes"}, home}));
    EXPECT_EQ(rec.started[5], (LaunchCommand{open, {"mailto:someone@example.com"}, home}));
    EXPECT_EQ(rec.started[6], (LaunchCommand{open, {"~someone/x"}, home}));
    EXPECT_EQ(rec.started[7], (LaunchCommand{open, {bin}, box.Root()}));

    // A name that would read as an option is not handed on; one that exists
    // in the bar's folder goes by its full path.
    EXPECT_FALSE(shell.ShellExecute(Entry("--version", "")));
    EXPECT_FALSE(shell.ShellExecute(Entry("-x/y", "-x/")));
    const fs::path cwd = fs::current_path();
    fs::current_path(home);
    box.Write("home/-dash.txt", "", 0644);
    EXPECT_TRUE(shell.ShellExecute(Entry("-dash.txt", "")));
    fs::current_path(cwd);
    ASSERT_EQ(rec.started.size(), 9u);
    EXPECT_EQ(rec.started[8], (LaunchCommand{open, {home + "/-dash.txt"}, home}));

    // Without the default handler nothing opens.
    rec.started.clear();
    options.path = box.Dir("empty");
    LinuxShell bare(options);
    EXPECT_FALSE(bare.ShellExecute(Entry("~/Desktop", "~/")));
    EXPECT_FALSE(bare.ShellExecute(Entry("tool", "")));
    EXPECT_TRUE(rec.started.empty());
}

TEST(LinuxShellTargets, FindExecutableSearchesOnlyAbsolutePathEntries) {
    Sandbox box;
    const std::string a = box.Dir("a");
    const std::string b = box.Dir("b");
    box.Write("a/prog", "data", 0644);
    box.Write("b/prog", "#!/bin/sh\n", 0755);
    box.Write("b/sub/x", "#!/bin/sh\n", 0755);
    EXPECT_EQ(FindExecutable("prog", a + ":" + b), b + "/prog");
    EXPECT_EQ(FindExecutable("prog", b + "/:" + a), b + "/prog");
    EXPECT_EQ(FindExecutable("sub", b), std::nullopt);  // a folder
    EXPECT_EQ(FindExecutable("sub/x", b), std::nullopt);
    EXPECT_EQ(FindExecutable("prog", ""), std::nullopt);
    const fs::path cwd = fs::current_path();
    fs::current_path(b);
    EXPECT_EQ(FindExecutable("prog", ":.:b"), std::nullopt);
    fs::current_path(cwd);
}

}  // namespace
}  // namespace tw
