#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace
}  // namespace tw
