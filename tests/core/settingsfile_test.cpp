#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "core/settingsfile.h"
#include "tempdir.h"
#include "core/text.h"
#include "platform/linux/profile_linux.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::Spit;
using Dir = test::TempDir;

// Counts the key lines of a file.
int KeyLines(const std::string& text) {
    std::istringstream in(text);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '[' && line[0] != ';' && line.find('=') != std::string::npos) ++n;
    return n;
}

TEST(SettingsFile, NeitherFileGivesEveryDefaultAndWritesNothing) {
    Dir dir;
    LinuxProfile p;
    const std::string active = ReadActivePath(p, dir.App());
    EXPECT_EQ(active, dir.File("Sample.ini"));
    const Configuration c = ReadConfiguration(p, active);
    EXPECT_EQ(c, DefaultConfiguration());
    EXPECT_EQ(c.grid.captions[7][3], "Item3");
    EXPECT_EQ(c.window, WindowOptions{});
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(SettingsFile, PointerFileKeyPresentButEmptyGivesAnEmptyPath) {
    Dir dir;
    LinuxProfile p;
    Spit(dir.File("DataFile.ini"), "[Data]\r\nFile=\r\n");
    EXPECT_EQ(ReadActivePath(p, dir.App()), "");
    Spit(dir.File("DataFile.ini"), "[data]\r\nfile=/x/y.ini\r\n");
    EXPECT_EQ(ReadActivePath(p, dir.App()), "/x/y.ini");
    Spit(dir.File("DataFile.ini"), "[Other]\r\nFile=/x/y.ini\r\n");
    EXPECT_EQ(ReadActivePath(p, dir.App()), dir.File("Sample.ini"));
}

TEST(SettingsFile, ValuesAreDecodedWithTheirDefaults) {
    Dir dir;
    LinuxProfile p;
    const std::string path = dir.File("s.ini");
    struct Case {
        const char* window;
        WindowOptions expected;
    };
    const auto opts = [](bool b, bool s, bool i, int c, int z, int bl, bool j) {
        return WindowOptions{b, s, i, c, z, bl, j};
    };
    const Case cases[] = {
        {"Strech=true\nShowBottom=2\nSysInfo=-1\nShowJapanese=0", opts(true, false, true, 255, 20, 100, false)},
        {"size=0x20", opts(false, false, false, 255, 32, 100, false)},
        {"Size=$20\nBlend=x20", opts(false, false, false, 255, 32, 32, false)},
        {"Size=   25\nColor=$FFFFFFFF", opts(false, false, false, -1, 25, 100, false)},
        {"Size=25px\nBlend=\nColor=99999999999", opts(false, false, false, 255, 20, 100, false)},
        {"SIZE=-3\nBLEND=101\nshowjapanese=1", opts(false, false, false, 255, -3, 101, true)},
    };
    for (const Case& c : cases) {
        std::string text = "[window]\n";
        text += c.window;
        Spit(path, text + "\n");
        EXPECT_EQ(ReadConfiguration(p, path).window, c.expected) << c.window;
    }
    Spit(path, "[Group7]\nItem73=  spaced  \nItemValue73=\"/quoted path\"\nItem37=wrong\n"
               "[GroupName]\nsection7=" + Sjis("七番") + "\n");
    const Configuration c = ReadConfiguration(p, path);
    EXPECT_EQ(c.grid.captions[7][3], "spaced");
    EXPECT_EQ(c.grid.targets[7][3], "/quoted path");
    EXPECT_EQ(c.grid.captions[3][7], "Item7");
    EXPECT_EQ(c.grid.groupNames[7], Sjis("七番"));
}

TEST(SettingsFile, ASaveWrites178KeysAndOnePointerKeyAndKeepsTheRest) {
    Dir dir;
    LinuxProfile p;
    const std::string path = dir.File("mine.ini");
    Spit(path, "; my notes\r\n[Window]\r\nSize=31\r\nExtra=keep\r\n[Mine]\r\nx=1\r\n");
    Configuration c = DefaultConfiguration();
    c.grid.groupNames[2] = Sjis("ツール");
    c.grid.captions[2][7] = "Editor";
    c.grid.targets[2][7] = "/usr/bin/editor";
    c.window.size = 40;
    c.window.blend = 1000;
    c.window.strech = true;
    WriteConfiguration(p, dir.App(), path, c);

    const std::string written = Slurp(path);
    EXPECT_EQ(KeyLines(written), 178 + 2);  // plus Extra and x
    EXPECT_NE(written.find("; my notes\r\n[Window]\r\nSize=40\r\nExtra=keep\r\n"), std::string::npos);
    EXPECT_NE(written.find("[Mine]\r\nx=1\r\n"), std::string::npos);
    EXPECT_EQ(Slurp(dir.File("DataFile.ini")), "[Data]\r\nFile=" + path + "\r\n");
    EXPECT_EQ(ReadActivePath(p, dir.App()), path);
    EXPECT_EQ(ReadConfiguration(p, path), c);

    // Written from scratch, the sections come in their order with CRLF.
    const std::string fresh = dir.File("fresh.ini");
    WriteConfiguration(p, dir.App(), fresh, DefaultConfiguration());
    const std::string text = Slurp(fresh);
    EXPECT_EQ(KeyLines(text), 178);
    EXPECT_EQ(text.substr(0, 39), "[GroupName]\r\nSection1=Group1\r\nSection2=");
    EXPECT_NE(text.find("[Group1]\r\nItem11=Item1\r\nItemValue11=\r\nItem12=Item2\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Window]\r\nShowBottom=0\r\nStrech=0\r\nSysInfo=0\r\nColor=255\r\n"
                        "Size=20\r\nBlend=100\r\nShowJapanese=0\r\n"),
              std::string::npos);
    EXPECT_LT(text.find("[Group9]"), text.find("[Window]"));
}

TEST(SettingsFile, ARefusedWriteChangesNothing) {
    Dir dir;
    LinuxProfile p;
    const std::string old = dir.File("old.ini"), ro = dir.File("ro.ini");
    WriteConfiguration(p, dir.App(), old, DefaultConfiguration());
    const std::string pointerBefore = Slurp(dir.File("DataFile.ini"));
    Spit(ro, "[Window]\r\nSize=5\r\n");
    chmod(ro.c_str(), 0444);

    Configuration c = DefaultConfiguration();
    c.grid.groupNames[1] = "Changed";
    try {
        WriteConfiguration(p, dir.App(), ro, c);
        FAIL() << "a read-only file was written";
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()), ro + " に書き込めません");
    }
    EXPECT_EQ(Slurp(ro), "[Window]\r\nSize=5\r\n");
    EXPECT_EQ(Slurp(dir.File("DataFile.ini")), pointerBefore);

    // A folder that does not exist: nothing is created, the pointer stays.
    EXPECT_THROW(WriteConfiguration(p, dir.App(), dir.File("no/such.ini"), c), UserError);
    EXPECT_EQ(Slurp(dir.File("DataFile.ini")), pointerBefore);

    // A value with a line break cannot be written, and nothing of the save is.
    Configuration broken = c;
    broken.grid.targets[1][1] = "a\r\n[Window]\r\nSize=1";
    EXPECT_THROW(WriteConfiguration(p, dir.App(), old, broken), UserError);
    EXPECT_EQ(ReadConfiguration(p, old), DefaultConfiguration());

    // A read-only pointer file: the settings file is not touched either.
    chmod(dir.File("DataFile.ini").c_str(), 0444);
    const std::string oldText = Slurp(old);
    EXPECT_THROW(WriteConfiguration(p, dir.App(), old, c), UserError);
    EXPECT_EQ(Slurp(old), oldText);
    try {
        WritePointer(p, dir.App(), old);
        FAIL() << "a read-only pointer file was written";
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()), dir.File("DataFile.ini") + " に書き込めません");
    }
}

// A profile whose disk has no room for one file and whose folder flush
// fails after the rename of another (UTF-8 paths).
LinuxProfile Faulty(const std::string& full, const std::string& unsynced = "") {
    return LinuxProfile([=](const std::string& path, std::string_view data) {
        return Replacement::Prepare(path, data, path == full ? 0 : data.size() + 1, path == unsynced);
    });
}

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const UserError& e) {
        return e.what();
    }
    return "no error";
}

TEST(SettingsFile, ASaveChangesBothFilesOrNeither) {
    Dir dir;
    const std::string old = dir.File("old.ini"), pointer = dir.File("DataFile.ini");
    LinuxProfile good;
    WriteConfiguration(good, dir.App(), old, DefaultConfiguration());
    const std::string oldText = Slurp(old), pointerText = Slurp(pointer);
    Configuration c = DefaultConfiguration();
    c.grid.groupNames[1] = "Changed";

    // The settings file would fit, the pointer file would not.
    LinuxProfile full = Faulty(pointer);
    EXPECT_EQ(ErrorOf([&] { WriteConfiguration(full, dir.App(), old, c); }), pointer + " に書き込めません");
    EXPECT_EQ(ErrorOf([&] { WriteConfiguration(full, dir.App(), dir.File("new.ini"), c); }),
              pointer + " に書き込めません");
    EXPECT_EQ(Slurp(old), oldText);
    EXPECT_EQ(Slurp(pointer), pointerText);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);

    // The settings file is in place but its folder's flush fails: reported,
    // and the pointer file is left alone.
    LinuxProfile unsynced = Faulty("", dir.File("new.ini"));
    EXPECT_EQ(ErrorOf([&] { WriteConfiguration(unsynced, dir.App(), dir.File("new.ini"), c); }),
              dir.File("new.ini") + " に書き込めません");
    EXPECT_EQ(ReadConfiguration(good, dir.File("new.ini")), c);
    EXPECT_EQ(Slurp(pointer), pointerText);
}

// Runs `body` as a user without root's right to read every file: as this
// user when it is not root, otherwise in a child that gives root up.
void Unprivileged(const Dir& dir, const std::function<void()>& body) {
    if (geteuid() != 0) return body();
    const pid_t child = fork();
    if (child == 0) {
        if (chown(dir.path().c_str(), 65534, 65534) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        body();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot give up root";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(SettingsFile, AFileThatCannotBeReadIsNeverOverwritten) {
    Dir dir;
    Unprivileged(dir, [&] {
        LinuxProfile p;
        const std::string secret = dir.File("secret.ini"), pointer = dir.File("DataFile.ini");
        const std::string text = "[Window]\r\nSize=31\r\n[Mine]\r\nx=1\r\n";
        Spit(secret, text);
        ASSERT_EQ(chmod(secret.c_str(), 0200), 0);  // write-only
        EXPECT_EQ(ReadConfiguration(p, secret), DefaultConfiguration());
        EXPECT_EQ(ErrorOf([&] { WriteConfiguration(p, dir.App(), secret, DefaultConfiguration()); }),
                  secret + " に書き込めません");
        EXPECT_FALSE(fs::exists(pointer));

        // An unreadable pointer file: the settings file is not written either.
        Spit(pointer, "[Data]\r\nFile=x\r\n");
        ASSERT_EQ(chmod(pointer.c_str(), 0200), 0);
        EXPECT_EQ(ReadActivePath(p, dir.App()), dir.File("Sample.ini"));
        EXPECT_EQ(ErrorOf([&] { WriteConfiguration(p, dir.App(), dir.File("s.ini"), DefaultConfiguration()); }),
                  pointer + " に書き込めません");
        EXPECT_FALSE(fs::exists(dir.File("s.ini")));
        chmod(secret.c_str(), 0600);
        chmod(pointer.c_str(), 0600);
        EXPECT_EQ(Slurp(secret), text);
        EXPECT_EQ(Slurp(pointer), "[Data]\r\nFile=x\r\n");
    });
}

TEST(SettingsFile, APointerPathCutAtTheValueLimitIsToldFromOneOfExactlyThatLength) {
    Dir dir;
    LinuxProfile p;
    const std::string exact = "/" + std::string(2042, 'p') + ".ini";
    ASSERT_EQ(exact.size(), 2047u);
    const struct {
        std::string value;
        bool cut;
    } cases[] = {{exact, false}, {exact + "x", true}, {exact + "/" + std::string(500, 'q'), true},
                 {"\"" + exact + "\"", false}};
    for (const auto& c : cases) {
        Spit(dir.File("DataFile.ini"), "[Data]\r\nFile=" + c.value + "\r\n");
        bool cut = !c.cut;
        EXPECT_EQ(ReadActivePath(p, dir.App(), &cut), exact);
        EXPECT_EQ(cut, c.cut) << c.value.size();
    }
    fs::remove(dir.File("DataFile.ini"));
    bool cut = true;
    EXPECT_EQ(ReadActivePath(p, dir.App(), &cut), dir.File("Sample.ini"));
    EXPECT_FALSE(cut);

    // Where a path enters, one beyond the limit is refused by name.
    EXPECT_NO_THROW(RequirePathFits(exact));
    EXPECT_EQ(ErrorOf([&] { RequirePathFits(exact + "x"); }),
              "'" + exact + "x' は長すぎます (2047 バイトまで)");
    EXPECT_EQ(ErrorOf([&] { RequirePathFits(std::string(2046, 'r') + Sjis("表")); }),
              "'" + std::string(2046, 'r') + "表' は長すぎます (2047 バイトまで)");
    EXPECT_NO_THROW(RequirePathFits(std::string(2045, 'r') + Sjis("表")));
}

TEST(MenuGridConversion, TheBarsFlatArraysPutTheGroupFirstAndLeaveIndexZero) {
    MenuGrid grid;
    for (int g = 1; g <= 9; ++g) {
        grid.groupNames[g] = "G" + std::to_string(g);
        for (int i = 1; i <= 9; ++i) {
            grid.captions[g][i] = "C" + std::to_string(g) + std::to_string(i);
            grid.targets[g][i] = "T" + std::to_string(g) + std::to_string(i);
        }
    }
    BarStrings captions, targets;
    captions[0] = "active.ini";
    GridToBar(grid, captions, targets);
    EXPECT_EQ(captions[0], "active.ini");
    EXPECT_EQ(captions[7], "G7");
    EXPECT_EQ(captions[66], "C73");  // entry 3 of group 7
    EXPECT_EQ(targets[63], "T69");   // entry 9 of group 6
    EXPECT_EQ(targets[10], "T11");
    EXPECT_EQ(captions[90], "C99");
    EXPECT_EQ(GridFromBar(captions, targets), grid);
}

}  // namespace
}  // namespace tw
