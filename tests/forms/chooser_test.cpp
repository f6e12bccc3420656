// The settings-file chooser's rules over a fake window.
#include <gtest/gtest.h>

#include "editorfakes.h"

namespace tw::test {
namespace {

TEST(ChooserForm, ListsIniFilesButThePointerFileAndThoseWithoutAttributes) {
    Rig r;
    r.Start();
    r.files.listing = {{"Sample.ini", kAttrArchive},  {"DataFile.ini", kAttrArchive},
                       {Sjis("表.ini"), kAttrReadOnly}, {"normal.ini", kAttrNormal},
                       {"dir.ini", kAttrDirectory}};
    r.chooser->ShowFileList();
    EXPECT_EQ(r.files.listedDir, "/app/");
    EXPECT_EQ(r.files.listedMask, "*.ini");
    EXPECT_EQ(r.chooserView.entries,
              (std::vector<std::string>{"Sample.ini", Sjis("表.ini"), "dir.ini"}));
    EXPECT_EQ(r.chooser->FileNames(), r.chooserView.entries);
    EXPECT_TRUE(r.chooserView.shown);
}

TEST(ChooserForm, OkNeedsASelectionWritesTheFullPathAndReloads) {
    Rig r;
    r.Put("/app/b.ini", "[GroupName]\nSection1=B\n");
    r.Start();
    r.files.listing = {{"a.ini", kAttrArchive}, {"b.ini", kAttrArchive}};
    r.chooser->ShowFileList();
    r.chooser->Button1Click();
    EXPECT_EQ(r.dialogs.Texts("info"), std::vector<std::string>{"ファイル名が選択されていません"});
    EXPECT_TRUE(r.chooserView.shown);

    r.chooserView.selected = 1;
    r.chooser->Button1Click();
    EXPECT_NE(r.Get("/app/DataFile.ini").find("File=/app/b.ini"), std::string::npos);
    EXPECT_EQ(r.M().FCaptions[0], "/app/b.ini");
    EXPECT_EQ(r.barView.groupCaption[1], "B");
    EXPECT_FALSE(r.chooserView.shown);

    // A pointer file that cannot be written: the error box, the chooser stays.
    MemoryDisk::ReadOnly()["/app/DataFile.ini"] = true;
    r.chooserView.shown = true;
    r.chooserView.selected = 0;
    r.chooser->Button1Click();
    ASSERT_EQ(r.dialogs.Texts("error").size(), 1u);
    EXPECT_EQ(r.dialogs.Texts("error")[0], "/app/DataFile.ini に書き込めません.");
    EXPECT_EQ(r.M().FCaptions[0], "/app/b.ini");
    EXPECT_TRUE(r.chooserView.shown);
    r.chooser->Button2Click();
    EXPECT_FALSE(r.chooserView.shown);
}

TEST(ChooserForm, RightReleaseOnAnEntrySelectsItAndDeleteAsksFirst) {
    Rig r;
    r.Put("/app/a.ini", "x");
    r.Start();
    r.files.listing = {{"a.ini", kAttrArchive}, {Sjis("表.ini"), kAttrArchive}};
    r.chooser->ShowFileList();
    r.chooser->ListBox1MouseUp(MouseButton::Left, kShiftNone, 3, 14);
    EXPECT_EQ(r.chooserView.selected, -1);
    r.chooser->ListBox1MouseUp(MouseButton::Right, kShiftNone, 3, 40);  // below the entries
    EXPECT_EQ(r.chooserView.selected, -1);
    EXPECT_FALSE(r.chooserView.popupAt);
    r.chooser->Delete1Click();  // nothing selected: nothing asked
    EXPECT_TRUE(r.dialogs.shown.empty());

    r.chooser->ListBox1MouseUp(MouseButton::Right, kShiftNone, 3, 14);
    EXPECT_EQ(r.chooserView.selected, 1);
    EXPECT_EQ(r.chooserView.popupAt, std::make_pair(100 + 3 + 5, 50 + 14 + 5));

    r.chooser->Delete1Click();  // いいえ
    EXPECT_TRUE(r.files.deleted.empty());
    EXPECT_EQ(r.dialogs.Texts("confirm"), std::vector<std::string>{"表.ini を削除しますか？"});
    r.chooserView.selected = 0;
    r.dialogs.confirmAnswers = {true};
    const int shows = r.chooserView.shows;
    r.files.listing = {{Sjis("表.ini"), kAttrArchive}};
    r.chooser->Delete1Click();
    EXPECT_EQ(r.files.deleted, std::vector<std::string>{"/app/a.ini"});
    EXPECT_FALSE(MemoryDisk::Files().count("/app/a.ini"));
    EXPECT_EQ(r.chooserView.shows, shows + 1);  // listed again
    EXPECT_EQ(r.chooserView.entries, std::vector<std::string>{Sjis("表.ini")});
}

TEST(ChooserForm, OnlyThePointerFileByItsExactNameIsLeftOutAndAnEmptyListStillShows) {
    Rig r;
    r.Start();
    r.chooser->ShowFileList();
    EXPECT_TRUE(r.chooserView.entries.empty());
    EXPECT_TRUE(r.chooserView.shown);
    r.files.listing = {{".hidden.ini", kAttrArchive | kAttrHidden}, {"datafile.ini", kAttrArchive}};
    r.chooser->ShowFileList();
    EXPECT_EQ(r.chooserView.entries, (std::vector<std::string>{".hidden.ini", "datafile.ini"}));
}

TEST(ChooserForm, ADeleteThatFailsIsNotReportedAndTheActiveFileGoesWithoutMoreAdo) {
    Rig r;
    r.Put("/app/Sample.ini", "[GroupName]\nSection1=S\n");
    r.Put("/app/DataFile.ini", "[Data]\nFile=/app/Sample.ini\n");
    r.Start();
    r.files.listing = {{"Sample.ini", kAttrArchive}, {"folder.ini", kAttrDirectory}};
    r.chooser->ShowFileList();
    r.chooserView.selected = 1;
    r.dialogs.confirmAnswers = {true};
    r.chooser->Delete1Click();  // nothing of that name to delete
    EXPECT_EQ(r.files.deleted, std::vector<std::string>{"/app/folder.ini"});
    EXPECT_EQ(r.dialogs.shown.size(), 1u);  // the question alone
    EXPECT_EQ(r.chooserView.entries.size(), 2u);

    r.chooserView.selected = 0;
    r.dialogs.confirmAnswers = {true};
    r.chooser->Delete1Click();
    EXPECT_FALSE(r.Exists("/app/Sample.ini"));
    // The pointer still names it, and the bar keeps what it loaded until the
    // next load finds it missing.
    EXPECT_NE(r.Get("/app/DataFile.ini").find("File=/app/Sample.ini"), std::string::npos);
    EXPECT_EQ(r.M().FCaptions[1], "S");
    r.bar->LoadSettings();
    EXPECT_EQ(r.M().FCaptions[1], "Group1");
}

}  // namespace
}  // namespace tw::test
