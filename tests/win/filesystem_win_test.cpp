// Listing and deleting settings files on the real Windows API, with the
// native attribute bits.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>

#include "core/text.h"
#include "platform/win/filesystem_win.h"
#include "platform/win/windows_api.h"
#include "wintemp.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

void SetAttributes(const fs::path& p, DWORD a) { ASSERT_TRUE(SetFileAttributesW(p.c_str(), a)); }

TEST(WinFileSystem, ListsIniEntriesWithTheirAttributesAndDeletes) {
    test::WinTempDir dir;
    for (const char* name : {"Sample.ini", "hidden.ini", "ro.ini", "表.ini", "notes.txt"})
        test::Spit(dir.Path(name), "[S]\r\n");
    fs::create_directory(dir.Path("folder.ini"));
    SetAttributes(dir.Path("hidden.ini"), FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(dir.Path("ro.ini"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    SetAttributes(dir.Path("Sample.ini"), FILE_ATTRIBUTE_NORMAL);

    WinFileSystem files;
    std::map<std::string, uint32_t> found;
    for (const FindEntry& e : files.FindFiles(dir.App(), "*.ini")) found[e.name] = e.attributes;
    // Without the trailing "\" the same entries are found.
    std::string bare = dir.App();
    bare.pop_back();
    EXPECT_EQ(files.FindFiles(bare, "*.ini").size(), found.size());

    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found.count("notes.txt"), 0u);
    // The native bits, as the system keeps them for each entry.
    for (const char* name : {"Sample.ini", "hidden.ini", "ro.ini", "表.ini", "folder.ini"})
        EXPECT_EQ(found.at(Sjis(name)), GetFileAttributesW(dir.Path(name).c_str())) << name;
    EXPECT_NE(found.at("hidden.ini") & kAttrHidden, 0u);
    EXPECT_EQ(found.at("ro.ini") & 0x3F, kAttrReadOnly | kAttrArchive);
    EXPECT_EQ(found.at(Sjis("表.ini")) & (kAttrReadOnly | kAttrHidden | kAttrDirectory), 0u);
    EXPECT_NE(found.at("folder.ini") & kAttrDirectory, 0u);
    // Wine keeps the archive bit on every file: a file with nothing but
    // FILE_ATTRIBUTE_NORMAL is seen only on Windows.
    const uint32_t normal = found.at("Sample.ini");
    EXPECT_TRUE(normal == kAttrNormal || normal == kAttrArchive) << normal;

    EXPECT_TRUE(files.FileExists(dir.File("表.ini")));
    EXPECT_FALSE(files.FileExists(dir.File("folder.ini")));
    EXPECT_TRUE(files.DirectoryExists(dir.File("folder.ini")));
    EXPECT_TRUE(files.IsSpecialFile(dir.File("folder.ini")));
    EXPECT_TRUE(files.IsSpecialFile("NUL"));
    EXPECT_FALSE(files.IsSpecialFile(dir.File("表.ini")));

    // The system refuses a read-only file and a folder; the others go.
    EXPECT_TRUE(files.DeleteFile(dir.File("表.ini")));
    EXPECT_TRUE(files.DeleteFile(dir.File("hidden.ini")));
    EXPECT_FALSE(files.DeleteFile(dir.File("ro.ini")));
    EXPECT_FALSE(files.DeleteFile(dir.File("folder.ini")));
    EXPECT_FALSE(files.DeleteFile(dir.File("gone.ini")));
    EXPECT_FALSE(fs::exists(dir.Path("表.ini")));
    EXPECT_TRUE(fs::exists(dir.Path("ro.ini")));
    EXPECT_EQ(files.FindFiles(dir.App(), "*.ini").size(), 3u);
    SetAttributes(dir.Path("ro.ini"), FILE_ATTRIBUTE_NORMAL);  // so the folder can go
}

TEST(WinFileSystem, NothingIsFoundWhereNothingIs) {
    test::WinTempDir dir;
    WinFileSystem files;
    EXPECT_TRUE(files.FindFiles(dir.App(), "*.ini").empty());
    EXPECT_TRUE(files.FindFiles(dir.App() + "missing\\", "*.ini").empty());
    EXPECT_FALSE(files.FileExists(std::string("a\0b", 3)));
}

TEST(WinFileSystem, AContentStampFollowsTheBytes) {
    test::WinTempDir dir;
    WinFileSystem files;
    EXPECT_EQ(files.ContentStamp(dir.File("s.ini")), std::nullopt);
    test::Spit(dir.Path("s.ini"), "[S]\r\nK=1\r\n");
    const std::optional<uint64_t> first = files.ContentStamp(dir.File("s.ini"));
    ASSERT_TRUE(first);
    EXPECT_EQ(files.ContentStamp(dir.File("s.ini")), first);
    test::Spit(dir.Path("s.ini"), "[S]\r\nK=2\r\n");
    EXPECT_NE(files.ContentStamp(dir.File("s.ini")), first);
    EXPECT_EQ(files.ContentStamp(dir.App()), std::nullopt);  // a folder
}

}  // namespace
}  // namespace tw
