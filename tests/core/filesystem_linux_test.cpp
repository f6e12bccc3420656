#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "core/text.h"
#include "platform/linux/filesystem_linux.h"
#include "tempdir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

TEST(LinuxFileSystemFind, ListsIniEntriesCaseBlindInCaseBlindOrderWithTheirAttributes) {
    const test::TempDir temp;
    const fs::path& dir = temp.path();
    const auto touch = [&](const char* name, mode_t mode) {
        std::ofstream(dir / name) << "x";
        chmod((dir / name).c_str(), mode);
    };
    for (const char* name : {"Zeta.ini", "alpha.ini", "_under.ini", "Beta.INI", ".hidden.ini",
                             "notes.txt", "a.ini.bak"})
        touch(name, 0644);
    touch("readonly.ini", 0444);
    fs::create_directory(dir / "folder.ini");
    ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0644), 0);
    fs::create_symlink(dir / "alpha.ini", dir / "link.ini");
    fs::create_symlink(dir / "missing", dir / "dangling.ini");

    std::vector<std::pair<std::string, uint32_t>> found;
    for (const FindEntry& e : LinuxFileSystem().FindFiles(Utf8ToSjis(dir.string() + "/"), "*.ini"))
        found.emplace_back(SjisToUtf8(e.name), e.attributes);

    // Letters compare as upper case, so "_" sorts after "Z". A directory is
    // 0x10, a file 0x20 (archive), plus 0x01 read-only and 0x02 hidden; a
    // link counts as its target; a FIFO and a dangling link carry no bit.
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {".hidden.ini", 0x22}, {"alpha.ini", 0x20},    {"Beta.INI", 0x20},
        {"dangling.ini", 0},   {"folder.ini", 0x10},   {"link.ini", 0x20},
        {"pipe.ini", 0},       {"readonly.ini", 0x21}, {"Zeta.ini", 0x20},
        {"_under.ini", 0x20},
    };
    EXPECT_EQ(found, expected);
}

TEST(LinuxFileSystemFind, MasksMatchWholeCharactersCaseBlind) {
    const std::string hyo = Sjis("表"), so = Sjis("ソ");  // ソ ends in a 0x5C byte
    const struct {
        std::string name, mask;
        bool match;
    } cases[] = {
        {"a.txt", "?.txt", true},      {"ab.txt", "?.txt", false}, {".txt", "?.txt", false},
        {hyo + ".txt", "?.txt", true},  // one character, two bytes
        {"a.TXT", "*.t?t", true},      {"a.tx", "*.t?t", false},   {"noext", "*.*", false},
        {"noext", "*", true},          {"a.b.c", "*.?", true},     {so, "?", true},
        {"x" + so, "*\\", false},    {"abc", "a*c*", true},      {"ab", "a?*b", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << SjisToUtf8(c.name) << " " << c.mask;
}

TEST(LinuxFileSystemDelete, RefusesFoldersAndReadOnlyFiles) {
    const test::TempDir temp;
    const fs::path& dir = temp.path();
    for (const char* name : {"w.ini", "ro.ini"}) std::ofstream(dir / name) << "x";
    chmod((dir / "ro.ini").c_str(), 0444);
    fs::create_directory(dir / "folder.ini");
    LinuxFileSystem files;
    EXPECT_FALSE(files.DeleteFile(temp.File("ro.ini")));
    EXPECT_FALSE(files.DeleteFile(temp.File("folder.ini")));
    EXPECT_FALSE(files.DeleteFile(temp.File("gone.ini")));
    EXPECT_TRUE(files.DeleteFile(temp.File("w.ini")));
    EXPECT_TRUE(fs::exists(dir / "ro.ini") && fs::exists(dir / "folder.ini"));
    EXPECT_FALSE(fs::exists(dir / "w.ini"));
}

}  // namespace
}  // namespace tw
