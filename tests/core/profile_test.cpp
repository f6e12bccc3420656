#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>
#include <vector>

#include "core/inifile.h"
#include "tempdir.h"
#include "core/text.h"
#include "platform/linux/atomic_file.h"
#include "platform/linux/profile_linux.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::Spit;
using test::TempDir;

TEST(IniDocument, ReadsAsTheProfileServiceDoes) {
    const IniDocument doc(
        "; comment = not a key\r\n"
        "[window]\r\n"
        "  size = 25  \r\n"
        "Empty=\r\n"
        "Quoted=\"  spaced  \"\r\n"
        "Single='x'\r\n"
        "Mismatched=\"x'\r\n"
        "Inner=a\"b\"\r\n"
        "novalue\r\n"
        "[ Group1 ]\r\n"
        "Item11=first\r\n"
        "item11=second\r\n"
        "[Window]\r\n"
        "Late=1\r\n");
    EXPECT_EQ(doc.Get("Window", "Size"), "25");
    EXPECT_EQ(doc.Get("WINDOW", "empty"), "");  // present and empty is not absent
    EXPECT_EQ(doc.Get("Window", "Missing"), std::nullopt);
    EXPECT_EQ(doc.Get("Nowhere", "Size"), std::nullopt);
    EXPECT_EQ(doc.Get("Window", "Quoted"), "  spaced  ");
    EXPECT_EQ(doc.Get("Window", "Single"), "x");
    EXPECT_EQ(doc.Get("Window", "Mismatched"), "\"x'");
    EXPECT_EQ(doc.Get("Window", "Inner"), "a\"b\"");
    EXPECT_EQ(doc.Get("Window", "novalue"), std::nullopt);
    EXPECT_EQ(doc.Get("Window", "; comment"), std::nullopt);
    EXPECT_EQ(doc.Get("Group1", "ITEM11"), "first");  // the first of two wins
    EXPECT_EQ(doc.Get("Window", "Late"), std::nullopt);  // only the first section counts
}

TEST(IniDocument, LongValuesAreCutTo2047BytesOnACharacterBoundary) {
    const std::string ascii(3000, 'a');
    EXPECT_EQ(IniDocument("[S]\nK=" + ascii + "\n").Get("S", "K"), ascii.substr(0, 2047));
    // 2046 single bytes and then a double-byte character: it does not fit whole.
    const std::string mixed = std::string(2046, 'a') + Sjis("表") + "tail";
    EXPECT_EQ(IniDocument("[S]\nK=" + mixed + "\n").Get("S", "K"), std::string(2046, 'a'));
}

TEST(IniDocument, TellsACutValueFromOneOfExactly2047BytesAndEndsValuesAtNul) {
    const auto get = [](const std::string& value) {
        bool cut = true;
        std::optional<std::string> v = IniDocument("[S]\nK=" + value + "\n").Get("S", "K", &cut);
        return std::pair(v.value_or("<absent>"), cut);
    };
    const std::string exact(2047, 'a');
    EXPECT_EQ(get(exact), std::pair(exact, false));
    EXPECT_EQ(get(exact + "b"), std::pair(exact, true));
    EXPECT_EQ(get(" \"" + exact + "\" "), std::pair(exact, false));  // blanks and quotes do not count
    // Cut before a double-byte character that does not fit: shorter, still cut.
    EXPECT_EQ(get(std::string(2046, 'a') + Sjis("表")), std::pair(std::string(2046, 'a'), true));

    // A value ends at its first NUL byte, blanks and quotes dropped first.
    const std::string nul(1, '\0');
    EXPECT_EQ(get("ab" + nul + "cd"), std::pair(std::string("ab"), false));
    EXPECT_EQ(get("\"ab" + nul + "cd\""), std::pair(std::string("ab"), false));
    EXPECT_EQ(get(nul + "x"), std::pair(std::string(), false));
    EXPECT_EQ(get("ab" + nul + std::string(3000, 'c')), std::pair(std::string("ab"), false));
    // What was read can be written back.
    IniDocument doc("[S]\r\nK=ab" + nul + "cd\r\n");
    const std::optional<std::string> read = doc.Get("S", "K");
    ASSERT_TRUE(read);
    EXPECT_TRUE(doc.Set("S", "K", *read));
    EXPECT_EQ(doc.Serialize(), "[S]\r\nK=ab\r\n");
}

TEST(IniDocument, WritesInPlaceAndKeepsEveryOtherByte) {
    const std::string original =
        "\xEF\xBB\xBF[Data]\n"
        "; keep me\n"
        "  File = old  \n"
        "Other=1\n"
        "\n"
        "[Unknown]\n"
        "x=y\n"
        "\n";
    IniDocument doc(original);
    ASSERT_EQ(doc.Get("data", "file"), "old");
    ASSERT_TRUE(doc.Set("DATA", "FILE", "new"));
    ASSERT_TRUE(doc.Set("Data", "Added", "2"));
    ASSERT_TRUE(doc.Set("Window", "Size", "20"));
    EXPECT_EQ(doc.Serialize(),
              "\xEF\xBB\xBF[Data]\n"
              "; keep me\n"
              "  File=new\n"
              "Other=1\n"
              "Added=2\n"
              "\n"
              "[Unknown]\n"
              "x=y\n"
              "\n"
              "[Window]\n"
              "Size=20\n");
    // A file without a final line break gets one before new text.
    IniDocument open("[A]\r\nk=v");
    ASSERT_TRUE(open.Set("A", "n", "w"));
    ASSERT_TRUE(open.Set("B", "m", ""));
    EXPECT_EQ(open.Serialize(), "[A]\r\nk=v\r\nn=w\r\n[B]\r\nm=\r\n");
    // A new file gets CRLF.
    IniDocument fresh;
    ASSERT_TRUE(fresh.Set("Data", "File", "x"));
    EXPECT_EQ(fresh.Serialize(), "[Data]\r\nFile=x\r\n");
}

TEST(IniDocument, RefusesTextThatWouldBreakTheFile) {
    IniDocument doc("[A]\nk=v\n");
    EXPECT_FALSE(doc.Set("A", "k", "line\r\n[Injected]"));
    EXPECT_FALSE(doc.Set("A", "k", std::string("nul\0byte", 8)));
    EXPECT_FALSE(doc.Set("A]", "k", "v"));
    EXPECT_FALSE(doc.Set("A", "k=x", "v"));
    EXPECT_FALSE(doc.Set("", "k", "v"));
    EXPECT_EQ(doc.Serialize(), "[A]\nk=v\n");
}

TEST(LinuxProfile, AbsentFilesAndKeysGiveTheDefaultAndCreateNothing) {
    TempDir dir;
    LinuxProfile p;
    const std::string path = dir.File("none.ini");
    EXPECT_EQ(p.Read(path, "Data", "File", "def"), "def");
    EXPECT_TRUE(p.Flush(path));
    EXPECT_FALSE(fs::exists(path));
    // A name that is not Shift-JIS cannot name a file.
    EXPECT_EQ(p.Read("\x81", "Data", "File", "def"), "def");
    EXPECT_FALSE(p.Write("\x81", "Data", "File", "x"));
}

TEST(LinuxProfile, WritesReachTheDiskAtFlushAndHandEditsAreSeen) {
    TempDir dir;
    LinuxProfile p;
    const std::string path = dir.File("a.ini");
    ASSERT_TRUE(p.Write(path, "Data", "File", Sjis("/home/表.ini")));
    EXPECT_FALSE(fs::exists(path));
    ASSERT_TRUE(p.Flush(path));
    EXPECT_EQ(Slurp(path), "[Data]\r\nFile=" + Sjis("/home/表.ini") + "\r\n");
    EXPECT_EQ(p.Read(path, "Data", "File", ""), Sjis("/home/表.ini"));
    p.Flush(path);
    Spit(path, "[Data]\nFile=by hand\n");
    EXPECT_EQ(p.Read(path, "data", "FILE", ""), "by hand");
    p.Flush(path);
}

TEST(LinuxProfile, RefusesReadOnlyFilesMissingFoldersAndKeepsPermissions) {
    TempDir dir;
    LinuxProfile p;
    const std::string ro = dir.File("ro.ini");
    Spit(ro, "[A]\nk=v\n");
    chmod(ro.c_str(), 0444);
    EXPECT_FALSE(p.Write(ro, "A", "k", "changed"));
    p.Discard(ro);
    EXPECT_EQ(Slurp(ro), "[A]\nk=v\n");

    EXPECT_FALSE(p.Write(dir.File("missing/x.ini"), "A", "k", "v"));
    EXPECT_FALSE(p.Write(dir.path().string(), "A", "k", "v"));  // a folder

    const std::string mine = dir.File("mine.ini");
    Spit(mine, "[A]\nk=v\n");
    chmod(mine.c_str(), 0640);
    ASSERT_TRUE(p.Write(mine, "A", "k", "w"));
    ASSERT_TRUE(p.Flush(mine));
    struct stat st;
    ASSERT_EQ(stat(mine.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Slurp(mine), "[A]\nk=w\n");
}

TEST(LinuxProfile, LinksKeepTheirPlaceDanglingOrNotAndLoopsAreRefused) {
    TempDir dir;
    fs::create_directory(dir.path() / "sub");
    const std::string link = dir.File("sub/link.ini"), chain = dir.File("chain.ini");
    fs::create_symlink("../real.ini", link);  // dangling, relative to its folder
    fs::create_symlink("sub/link.ini", chain);
    LinuxProfile p;
    ASSERT_TRUE(p.Write(chain, "A", "k", "v"));
    ASSERT_TRUE(p.Flush(chain));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(chain));
    EXPECT_EQ(Slurp(dir.File("real.ini")), "[A]\r\nk=v\r\n");
    // Now that the target exists, a save through the link replaces it.
    ASSERT_TRUE(p.Write(link, "A", "k", "w"));
    ASSERT_TRUE(p.Flush(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Slurp(dir.File("real.ini")), "[A]\r\nk=w\r\n");

    fs::create_symlink("b.ini", dir.File("a.ini"));
    fs::create_symlink("a.ini", dir.File("b.ini"));
    EXPECT_FALSE(p.Write(dir.File("a.ini"), "A", "k", "v"));
    p.Discard(dir.File("a.ini"));
}

TEST(LinuxProfile, WhatIsNotARegularFileReadsAsAbsentAndIsNeverWritten) {
    TempDir dir;
    const std::string fifo = dir.File("fifo.ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    LinuxProfile p;
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir.path().string()}) {
        EXPECT_EQ(p.Read(path, "Data", "File", "def"), "def") << path;
        EXPECT_FALSE(p.Write(path, "Data", "File", "x")) << path;
        p.Discard(path);
    }
    struct stat st;
    ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// The names of the files in a folder.
std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A child process that writes one key of each of `paths`, waits at the
// barrier until every writer has taken its files, then flushes them as one;
// it exits 0 when the flush succeeded.
pid_t Writer(const std::vector<std::string>& paths, const std::string& key, int ready, int go) {
    const pid_t child = fork();
    if (child != 0) return child;
    LinuxProfile p;
    bool ok = true;
    for (const std::string& path : paths) ok = p.Write(path, "S", key, "1") && ok;
    char c = 'r';
    (void)!write(ready, &c, 1);
    (void)!read(go, &c, 1);
    std::vector<std::string_view> names(paths.begin(), paths.end());
    ok = !p.FlushTogether(names) && ok;
    _exit(ok ? 0 : 1);
}

// Runs two writers at once, each with its own key; the number of keys
// missing afterwards from each file, and whether both writers succeeded.
std::pair<int, bool> TwoWriters(const std::vector<std::string>& first,
                                const std::vector<std::string>& second) {
    int ready[2], go[2];
    if (pipe(ready) != 0 || pipe(go) != 0) return {-1, false};
    const pid_t a = Writer(first, "A", ready[1], go[0]);
    const pid_t b = Writer(second, "B", ready[1], go[0]);
    char c[2];
    const bool bothReady = read(ready[0], c, 1) == 1 && read(ready[0], c + 1, 1) == 1;
    (void)!write(go[1], "gg", 2);
    int statusA = 0, statusB = 0;
    waitpid(a, &statusA, 0);
    waitpid(b, &statusB, 0);
    for (int fd : {ready[0], ready[1], go[0], go[1]}) close(fd);
    int lost = 0;
    for (const std::string& path : first) {
        const IniDocument doc(Slurp(path));
        lost += !doc.Get("S", "A") + !doc.Get("S", "Base");
        if (std::find(second.begin(), second.end(), path) != second.end()) lost += !doc.Get("S", "B");
    }
    const auto ok = [](int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; };
    return {lost, bothReady && ok(statusA) && ok(statusB)};
}

TEST(LinuxProfile, TwoProcessesSavingOneFileAtOnceKeepBothKeys) {
    // Both writers have read the file before either writes it back: each
    // key must be applied to the file as the other left it.
    TempDir dir;
    const std::string path = dir.File("s.ini");
    constexpr int kRounds = 200;
    int lost = 0, failed = 0;
    for (int round = 0; round < kRounds; ++round) {
        Spit(path, "[S]\r\nBase=1\r\n");
        const auto [missing, ok] = TwoWriters({path}, {path});
        lost += missing;
        failed += !ok;
    }
    std::cout << "[ figures  ] concurrent single-key saves: " << kRounds << " rounds, " << lost
              << " keys lost\n";
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"s.ini"});  // no lock or temporary left
}

TEST(LinuxProfile, SavesOfTwoFilesNamedInEitherOrderNeitherDeadlockNorLoseKeys) {
    TempDir dir;
    const std::string a = dir.File("a.ini"), b = dir.File("b.ini");
    int lost = 0, failed = 0;
    for (int round = 0; round < 50; ++round) {
        Spit(a, "[S]\r\nBase=1\r\n");
        Spit(b, "[S]\r\nBase=1\r\n");
        const auto [missing, ok] = TwoWriters({a, b}, {b, a});
        lost += missing;
        failed += !ok;
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(failed, 0);
}

TEST(LinuxProfile, ASaveWaitsForTheFilesLockAndFailsUntouchedWhenItIsNotLetGo) {
    TempDir dir;
    const std::string path = dir.File("s.ini"), link = dir.File("link.ini");
    Spit(path, "[S]\r\nK=old\r\n");
    fs::create_symlink("s.ini", link);
    // One lock for every name of a file: hidden, beside the file the links
    // lead to, and never a settings file's name.
    const std::optional<std::string> lockName = FileLock::NameFor(path);
    ASSERT_TRUE(lockName);
    EXPECT_EQ(FileLock::NameFor(link), lockName);
    EXPECT_NE(FileLock::NameFor(dir.File("t.ini")), lockName);
    const std::string name = fs::path(*lockName).filename().string();
    EXPECT_EQ(fs::path(*lockName).parent_path(), dir.path());
    EXPECT_EQ(name.front(), '.');
    EXPECT_FALSE(name.ends_with(".ini")) << name;

    std::optional<FileLock> held =
        FileLock::Acquire(*lockName, std::chrono::steady_clock::now());
    ASSERT_TRUE(held);
    // Held elsewhere: the save gives up after its wait, changing nothing.
    LinuxProfile p;
    p.SetLockWait(std::chrono::milliseconds(200));
    ASSERT_TRUE(p.Write(link, "S", "K", "new"));
    EXPECT_FALSE(p.Flush(link));
    EXPECT_EQ(Slurp(path), "[S]\r\nK=old\r\n");
    // The lock is let go while a save waits for it: the save goes through.
    p.SetLockWait(std::chrono::seconds(10));
    ASSERT_TRUE(p.Write(path, "S", "K", "new"));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        held.reset();
    });
    EXPECT_TRUE(p.Flush(path));
    release.join();
    EXPECT_EQ(Slurp(path), "[S]\r\nK=new\r\n");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"link.ini", "s.ini"}));
}

TEST(LinuxProfile, AValueWithANulReadsUpToItAndCanBeWrittenBack) {
    TempDir dir;
    const std::string path = dir.File("s.ini");
    using namespace std::string_literals;
    Spit(path, "[S]\r\nK=ab\0cd\r\nLong="s + std::string(2048, 'x') + "\r\n");
    LinuxProfile p;
    const IProfile::Value v = p.ReadValue(path, "S", "K", "");
    EXPECT_EQ(v.text, "ab");
    EXPECT_FALSE(v.cut);
    EXPECT_TRUE(p.ReadValue(path, "S", "Long", "").cut);
    EXPECT_FALSE(p.ReadValue(path, "S", "Missing", std::string(3000, 'd')).cut);
    EXPECT_TRUE(p.Write(path, "S", "K", v.text));
    EXPECT_TRUE(p.Flush(path));
    EXPECT_EQ(p.Read(path, "S", "K", ""), "ab");
    p.Flush(path);
}


TEST(AtomicFile, TemporariesHaveShortNamesAndThoseOfKilledSavesAreRemoved) {
    TempDir dir;
    const std::string longName = std::string(246, 'n') + ".ini";
    EXPECT_TRUE(WriteFileAtomically(dir.File(longName), "long"));
    EXPECT_EQ(Slurp(dir.File(longName)), "long");

    // Saves killed after writing their temporary, two of this file and one
    // of another.
    const std::string path = dir.File("s.ini");
    const auto killedSave = [](const std::string& target) {
        const pid_t child = fork();
        if (child == 0) {
            std::optional<Replacement> r = Replacement::Prepare(target, "killed");
            raise(SIGKILL);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFSIGNALED(status);
    };
    ASSERT_TRUE(killedSave(path));
    ASSERT_TRUE(killedSave(path));
    ASSERT_TRUE(killedSave(dir.File("other.ini")));
    ASSERT_EQ(Names(dir.path()).size(), 3u);  // the second removed the first's

    // A save of the same file still running in another process.
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t running = fork();
    if (running == 0) {
        {
            std::optional<Replacement> r = Replacement::Prepare(path, "running");
            char c = r ? 'y' : 'n';
            (void)!write(ready[1], &c, 1);
            (void)!read(done[0], &c, 1);
        }
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');

    EXPECT_TRUE(WriteFileAtomically(path, "saved"));
    EXPECT_EQ(Slurp(path), "saved");
    const std::vector<std::string> left = Names(dir.path());
    ASSERT_EQ(left.size(), 4u);  // the long file, s.ini, one of other.ini, the running one
    for (const std::string& name : left) {
        if (name == longName || name == "s.ini") continue;
        EXPECT_EQ(name.size(), 33u) << name;
        EXPECT_EQ(name.front(), '.') << name;
    }

    (void)!write(done[1], &c, 1);
    int status = 0;
    waitpid(running, &status, 0);
    EXPECT_EQ(Names(dir.path()).size(), 3u);  // it cleaned up after itself
    for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
    // The last leftover was the other file's.
    EXPECT_TRUE(WriteFileAtomically(dir.File("other.ini"), "other"));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{longName, "other.ini", "s.ini"}));
}

TEST(AtomicFile, AFailureMidWriteLeavesTheOldFileAndNoLeftovers) {
    TempDir dir;
    const std::string path = dir.File("s.ini");
    Spit(path, "old content");
    EXPECT_FALSE(WriteFileAtomically(path, std::string(100000, 'n'), 50000));
    EXPECT_EQ(Slurp(path), "old content");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    EXPECT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(Slurp(path), "new");

    // The profile reports the failed replacement at Flush and keeps the file.
    LinuxProfile failing([](const std::string& p, std::string_view d) {
        return Replacement::Prepare(p, d, d.size() / 2);
    });
    ASSERT_TRUE(failing.Write(path, "A", "k", "v"));
    EXPECT_FALSE(failing.Flush(path));
    EXPECT_EQ(Slurp(path), "new");
}

}  // namespace
}  // namespace tw
