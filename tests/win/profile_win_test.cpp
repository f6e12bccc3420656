// The profile on the real Windows API: Shift-JIS names whose second byte is
// "\", all-or-nothing saves, and the files it must not write.
#include <gtest/gtest.h>

#include <algorithm>
#include <barrier>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>
#include <vector>

#include "core/settingsfile.h"
#include "core/text.h"
#include "platform/win/profile_win.h"
#include "platform/win/windows_api.h"
#include "wintemp.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::Spit;
using test::WinTempDir;

// The names in a folder but the saves' lock files, which stay.
std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::u8string n = e.path().filename().u8string();
        std::string name(n.begin(), n.end());
        if (!(name.starts_with(".tw-") && name.ends_with(".lock"))) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WinProfile, RoundTripThroughShiftJisNamesWithBackslashTrailBytes) {
    WinTempDir dir;
    // 表, ソ and 能 end in 0x5C: a byte-wise split would cut these names.
    fs::create_directory(dir.Path("表ソ"));
    const std::string app = dir.File("表ソ") + "\\";
    const std::string settings = app + Sjis("能.ini");
    ASSERT_EQ(Sjis("能")[1], '\\');

    Configuration config = DefaultConfiguration();
    config.grid.groupNames[3] = Sjis("ツール");
    config.grid.targets[3][5] = "C:\\" + Sjis("表") + "\\a.exe";
    config.window.size = 32;
    {
        WinProfile profile;
        WriteConfiguration(profile, app, settings, config);
    }
    // On disk under the UTF-16 names, in Shift-JIS with CRLF.
    const std::string bytes = Slurp(dir.Path("表ソ/能.ini"));
    EXPECT_NE(bytes.find("Section3=" + Sjis("ツール") + "\r\n"), std::string::npos);
    EXPECT_NE(Slurp(dir.Path("表ソ/DataFile.ini")).find("File=" + settings + "\r\n"),
              std::string::npos);

    WinProfile again;
    EXPECT_EQ(ReadActivePath(again, app), settings);
    EXPECT_EQ(ReadConfiguration(again, settings), config);
    // A key written in place keeps its line; others stay as they were.
    EXPECT_TRUE(again.Write(settings, "window", "SIZE", "40"));
    EXPECT_TRUE(again.Flush(settings));
    const std::string after = Slurp(dir.Path("表ソ/能.ini"));
    EXPECT_EQ(after.find("Size=40\r\n"), bytes.find("Size=32\r\n"));
}

TEST(WinProfile, ASaveOfTwoFilesIsAllOrNothing) {
    WinTempDir dir;
    const std::string a = dir.File("a.ini"), b = dir.File("b.ini");
    Spit(dir.Path("a.ini"), "[S]\r\nK=old a\r\n");
    Spit(dir.Path("b.ini"), "[S]\r\nK=old b\r\n");

    // The second file cannot be prepared: neither file changes, and no
    // temporary is left behind.
    int prepared = 0;
    WinProfile failing([&](const std::wstring& path, std::string_view data) {
        return ++prepared == 2 ? std::nullopt : WinReplacement::Prepare(path, data);
    });
    ASSERT_TRUE(failing.Write(a, "S", "K", "new a"));
    ASSERT_TRUE(failing.Write(b, "S", "K", "new b"));
    const std::string_view both[] = {a, b};
    EXPECT_EQ(failing.FlushTogether(both), std::optional<std::size_t>(1));
    EXPECT_EQ(Slurp(dir.Path("a.ini")), "[S]\r\nK=old a\r\n");
    EXPECT_EQ(Slurp(dir.Path("b.ini")), "[S]\r\nK=old b\r\n");
    EXPECT_EQ(Names(dir.path()).size(), 2u);

    // Both prepared first, then both replaced.
    WinProfile profile;
    ASSERT_TRUE(profile.Write(a, "S", "K", "new a"));
    ASSERT_TRUE(profile.Write(b, "S", "K", "new b"));
    EXPECT_EQ(profile.FlushTogether(both), std::nullopt);
    EXPECT_EQ(Slurp(dir.Path("a.ini")), "[S]\r\nK=new a\r\n");
    EXPECT_EQ(Slurp(dir.Path("b.ini")), "[S]\r\nK=new b\r\n");
    EXPECT_EQ(Names(dir.path()).size(), 2u);
}

TEST(WinProfile, TemporariesOfKilledSavesGoAndHeldOnesStay) {
    WinTempDir dir;
    const std::string path = dir.File("Sample.ini");
    const std::wstring wide = dir.Path("Sample.ini").wstring();
    std::string temp;
    {
        // A save in progress holds its temporary open: another save of the
        // same file leaves it alone.
        std::optional<WinReplacement> held = WinReplacement::Prepare(wide, "held");
        ASSERT_TRUE(held);
        ASSERT_EQ(Names(dir.path()).size(), 1u);
        temp = Names(dir.path())[0];
        EXPECT_TRUE(temp.starts_with(".tw-") && temp.ends_with(".tmp")) << temp;
        WinProfile profile;
        ASSERT_TRUE(profile.Write(path, "S", "K", "v"));
        EXPECT_TRUE(profile.Flush(path));
        EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{temp, "Sample.ini"}));
    }
    // Dropped uncommitted, it is gone.
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"Sample.ini"});
    // One that a killed save left behind, closed, goes with the next save.
    Spit(dir.Path(temp), "stale");
    WinProfile profile;
    ASSERT_TRUE(profile.Write(path, "S", "K", "w"));
    EXPECT_TRUE(profile.Flush(path));
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"Sample.ini"});
    EXPECT_EQ(Slurp(dir.Path("Sample.ini")), "[S]\r\nK=w\r\n");
}

TEST(WinProfile, RefusesWhatItMustNotWrite) {
    WinTempDir dir;
    // A read-only file stays as it is.
    Spit(dir.Path("ro.ini"), "[S]\r\nK=1\r\n");
    fs::permissions(dir.Path("ro.ini"), fs::perms::owner_write, fs::perm_options::remove);
    WinProfile profile;
    EXPECT_EQ(profile.Read(dir.File("ro.ini"), "s", "k", "d"), "1");
    EXPECT_FALSE(profile.Write(dir.File("ro.ini"), "S", "K", "2"));
    // A folder named like a settings file reads as absent and is never written.
    fs::create_directory(dir.Path("dir.ini"));
    EXPECT_EQ(profile.Read(dir.File("dir.ini"), "S", "K", "d"), "d");
    EXPECT_FALSE(profile.Write(dir.File("dir.ini"), "S", "K", "2"));
    // A name that code page 932 cannot hold, and a missing folder.
    EXPECT_FALSE(profile.Write(dir.App() + "a\x81", "S", "K", "2"));
    EXPECT_EQ(profile.Read(dir.App() + "a\x81", "S", "K", "d"), "d");
    EXPECT_FALSE(profile.Write(dir.App() + "none\\x.ini", "S", "K", "2"));
    profile.Discard(dir.File("ro.ini"));
    fs::permissions(dir.Path("ro.ini"), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(Slurp(dir.Path("ro.ini")), "[S]\r\nK=1\r\n");
    EXPECT_FALSE(WidePath(std::string("a\0b", 3)));
}

TEST(WinProfile, TwoSavesOfOneFileAtOnceKeepBothKeys) {
    // Two profiles, each on its own thread, have both read the file before
    // either writes it back: each key must land on the file as the other
    // left it.
    WinTempDir dir;
    const std::string path = dir.File("s.ini");
    constexpr int kRounds = 200;
    int lost = 0, failed = 0;
    for (int round = 0; round < kRounds; ++round) {
        Spit(dir.Path("s.ini"), "[S]\r\nBase=1\r\n");
        std::barrier both(2);
        bool ok[2] = {false, false};
        const auto writer = [&](int n) {
            WinProfile p;
            const bool wrote = p.Write(path, "S", n ? "B" : "A", "1");
            both.arrive_and_wait();
            ok[n] = p.Flush(path) && wrote;
        };
        std::thread a(writer, 0), b(writer, 1);
        a.join();
        b.join();
        WinProfile check;
        for (const char* key : {"A", "B", "Base"}) lost += check.Read(path, "S", key, "") != "1";
        failed += !ok[0] + !ok[1];
    }
    std::cout << "[ figures  ] concurrent single-key saves: " << kRounds << " rounds, " << lost
              << " keys lost\n";
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"s.ini"});
}

TEST(WinProfile, ASaveWaitsForTheFilesLockAndFailsUntouchedWhenItIsNotLetGo) {
    WinTempDir dir;
    const std::string path = dir.File("s.ini");
    Spit(dir.Path("s.ini"), "[S]\r\nK=old\r\n");
    const std::wstring lockName = WinFileLock::NameFor(dir.Path("s.ini").wstring());
    const std::string name = fs::path(lockName).filename().string();
    EXPECT_EQ(fs::path(lockName).parent_path(), dir.path());
    EXPECT_TRUE(name.starts_with(".")) << name;
    EXPECT_FALSE(name.ends_with(".ini")) << name;
    EXPECT_NE(WinFileLock::NameFor(dir.Path("t.ini").wstring()), lockName);

    std::optional<WinFileLock> held = WinFileLock::Acquire(lockName, std::chrono::steady_clock::now());
    ASSERT_TRUE(held);
    WinProfile p;
    p.SetLockWait(std::chrono::milliseconds(200));
    ASSERT_TRUE(p.Write(path, "S", "K", "new"));
    EXPECT_FALSE(p.Flush(path));
    EXPECT_EQ(Slurp(dir.Path("s.ini")), "[S]\r\nK=old\r\n");

    p.SetLockWait(std::chrono::seconds(10));
    ASSERT_TRUE(p.Write(path, "S", "K", "new"));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        held.reset();
    });
    EXPECT_TRUE(p.Flush(path));
    release.join();
    EXPECT_EQ(Slurp(dir.Path("s.ini")), "[S]\r\nK=new\r\n");
    // The lock file stays, hidden, and is no settings file.
    const DWORD a = GetFileAttributesW(lockName.c_str());
    ASSERT_NE(a, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(a & FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace
}  // namespace tw
