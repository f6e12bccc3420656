#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/text.h"
#include "platform/linux/filesystem_linux.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

class Folder {
public:
    Folder() {
        char tmpl[] = "/tmp/tamblewick-fs-XXXXXX";
        path_ = mkdtemp(tmpl);
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    // Creates a regular file; `utf8` is the name on disk.
    std::string Touch(const std::string& utf8, mode_t mode = 0644) const {
        const std::string p = (path_ / utf8).string();
        std::ofstream(p) << "x";
        chmod(p.c_str(), mode);
        return p;
    }
    std::string Path(const std::string& utf8) const { return (path_ / utf8).string(); }
    // The folder as the model names it: Shift-JIS, ending in "/".
    std::string Sjis() const { return Utf8ToSjis(path_.string() + "/"); }

private:
    fs::path path_;
};

std::vector<std::string> Names(const std::vector<FindEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries) out.push_back(SjisToUtf8(e.name));
    return out;
}

uint32_t AttributesOf(const std::vector<FindEntry>& entries, const std::string& utf8) {
    for (const auto& e : entries)
        if (SjisToUtf8(e.name) == utf8) return e.attributes;
    ADD_FAILURE() << utf8 << " not found";
    return 0xFFFFFFFF;
}

TEST(LinuxFileSystemMask, WildcardsAreCaseInsensitiveAndCountDoubleByteCharacters) {
    EXPECT_TRUE(MatchesMask("Sample.ini", "*.ini"));
    EXPECT_TRUE(MatchesMask("X.INI", "*.ini"));
    EXPECT_TRUE(MatchesMask(".ini", "*.ini"));
    EXPECT_FALSE(MatchesMask("a.ini.bak", "*.ini"));
    EXPECT_FALSE(MatchesMask("aini", "*.ini"));
    EXPECT_TRUE(MatchesMask("a.b.ini", "*.ini"));
    EXPECT_TRUE(MatchesMask("anything", "*"));
    // "?" is one character, two bytes for a double-byte one.
    EXPECT_TRUE(MatchesMask(Sjis("表.ini"), "?.ini"));
    EXPECT_TRUE(MatchesMask("a.ini", "?.ini"));
    EXPECT_FALSE(MatchesMask("ab.ini", "?.ini"));
    // The second byte of "ア" is 0x41 ("A"); it is no letter of its own.
    EXPECT_FALSE(MatchesMask(Sjis("ア"), "*a"));
    EXPECT_FALSE(MatchesMask(Sjis("ア"), "?A"));
    // Double-byte characters compare exactly.
    EXPECT_TRUE(MatchesMask(Sjis("設定.ini"), Sjis("設*.INI")));
    EXPECT_FALSE(MatchesMask(Sjis("設定.ini"), Sjis("定*")));
}

TEST(LinuxFileSystemFind, ListsMatchingEntriesInCaseInsensitiveOrderWithTheirAttributes) {
    Folder f;
    f.Touch("Zeta.ini");
    f.Touch("alpha.ini");
    f.Touch("_under.ini");
    f.Touch("Beta.INI");
    f.Touch("亜.ini");
    f.Touch("Ａ.ini");
    f.Touch("readonly.ini", 0444);
    f.Touch(".hidden.ini");
    f.Touch("notes.txt");
    f.Touch("\xF0\x9F\x98\x80.ini");  // no Shift-JIS form
    fs::create_directory(f.Path("folder.ini"));
    ASSERT_EQ(mkfifo(f.Path("pipe.ini").c_str(), 0644), 0);
    fs::create_symlink(f.Path("alpha.ini"), f.Path("link.ini"));
    fs::create_symlink(f.Path("folder.ini"), f.Path("dirlink.ini"));
    fs::create_symlink(f.Path("missing"), f.Path("dangling.ini"));

    LinuxFileSystem files;
    const auto entries = files.FindFiles(f.Sjis(), "*.ini");
    EXPECT_EQ(Names(entries),
              (std::vector<std::string>{".hidden.ini", "alpha.ini", "Beta.INI", "dangling.ini",
                                        "dirlink.ini", "folder.ini", "link.ini", "pipe.ini",
                                        "readonly.ini", "Zeta.ini", "_under.ini", "亜.ini",
                                        "Ａ.ini"}));
    EXPECT_EQ(AttributesOf(entries, "alpha.ini"), kAttrArchive);
    EXPECT_EQ(AttributesOf(entries, "readonly.ini"), kAttrArchive | kAttrReadOnly);
    EXPECT_EQ(AttributesOf(entries, ".hidden.ini"), kAttrArchive | kAttrHidden);
    EXPECT_EQ(AttributesOf(entries, "folder.ini"), kAttrDirectory);
    EXPECT_EQ(AttributesOf(entries, "link.ini"), kAttrArchive);
    EXPECT_EQ(AttributesOf(entries, "dirlink.ini"), kAttrDirectory);
    EXPECT_EQ(AttributesOf(entries, "pipe.ini"), 0u);
    EXPECT_EQ(AttributesOf(entries, "dangling.ini"), 0u);

    // The folder may be named without the trailing separator; "." and ".."
    // never appear.
    std::string bare = f.Sjis();
    bare.pop_back();
    const auto all = files.FindFiles(bare, "*");
    EXPECT_EQ(all.size(), entries.size() + 1);  // notes.txt
    for (const auto& e : all) EXPECT_TRUE(e.name != "." && e.name != "..");

    EXPECT_TRUE(files.FindFiles(f.Sjis() + "nowhere/", "*.ini").empty());
}

TEST(LinuxFileSystemFind, WorksInAFolderWithAJapaneseName) {
    Folder f;
    fs::create_directory(f.Path("設定ソ表"));
    f.Touch("設定ソ表/一.ini");
    LinuxFileSystem files;
    EXPECT_EQ(Names(files.FindFiles(f.Sjis() + Sjis("設定ソ表/"), "*.ini")),
              (std::vector<std::string>{"一.ini"}));
}

TEST(LinuxFileSystemDelete, RemovesFilesButRefusesFoldersAndReadOnlyFiles) {
    Folder f;
    f.Touch("plain.ini");
    f.Touch("locked.ini", 0444);
    f.Touch("日本.ini");
    fs::create_directory(f.Path("folder.ini"));
    LinuxFileSystem files;

    EXPECT_TRUE(files.DeleteFile(f.Sjis() + "plain.ini"));
    EXPECT_FALSE(fs::exists(f.Path("plain.ini")));
    EXPECT_TRUE(files.DeleteFile(f.Sjis() + Sjis("日本.ini")));
    EXPECT_FALSE(fs::exists(f.Path("日本.ini")));

    EXPECT_FALSE(files.DeleteFile(f.Sjis() + "locked.ini"));
    EXPECT_TRUE(fs::exists(f.Path("locked.ini")));
    EXPECT_FALSE(files.DeleteFile(f.Sjis() + "folder.ini"));
    EXPECT_TRUE(fs::is_directory(f.Path("folder.ini")));
    EXPECT_FALSE(files.DeleteFile(f.Sjis() + "missing.ini"));
    EXPECT_FALSE(files.DeleteFile(f.Sjis() + "\x81"));  // not Shift-JIS
}

}  // namespace
}  // namespace tw
