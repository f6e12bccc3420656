// The settings editor's rules over a fake window and folder listing.
#include <gtest/gtest.h>

#include "editorfakes.h"

namespace tw::test {
namespace {

constexpr char kSample[] =
    "[GroupName]\nSection1=アプリ\nSection2=フォルダ\n"
    "[Group1]\nItem11=エディタ\nItemValue11=/usr/bin/editor\nItem12=表計算\nItemValue12=/opt/calc\n"
    "[Group2]\nItem21=ホーム\nItemValue21=/home\n"
    "[Window]\nShowBottom=1\nSysInfo=1\nColor=65280\nSize=60\nBlend=30\n";

struct EditorForm : ::testing::Test, Rig {
    EditorForm() {
        Put("/app/Sample.ini", kSample);
        Start();
        bar->Setting1Click();
        editor->FormShow();
    }
    FakeEditorView& v = editorView;
    std::vector<std::string> Errors() const { return dialogs.Texts("error"); }
};

TEST_F(EditorForm, TheWorkingCopyComesFromTheModel) {
    EXPECT_TRUE(v.shown);
    EXPECT_EQ(v.L(EditorList::ComboBox1).entries[0], Sjis("アプリ"));
    EXPECT_EQ(v.L(EditorList::ComboBox1).entries[2], "Group3");
    EXPECT_EQ(v.L(EditorList::ComboBox2).entries[1], Sjis("表計算"));
    EXPECT_EQ(v.target, "/usr/bin/editor");
    EXPECT_TRUE(v.checks[1]);
    EXPECT_FALSE(v.checks[2]);
    EXPECT_TRUE(v.checks[3]);
    EXPECT_EQ(v.fileName, "/app/Sample.ini");
    EXPECT_EQ(v.upDown1, 60);
    EXPECT_EQ(v.trackBar, 30);  // 76 of 255 back to a percent
    EXPECT_EQ(v.upDown2, 30);
    EXPECT_EQ(editor->FWorkColor, 65280u);
    EXPECT_EQ(editor->FWorkSize, 60);
}

TEST_F(EditorForm, VisitsKeepRenamesAndOnlyBecomingVisibleReloads) {
    v.L(EditorList::ComboBox2).index = 1;
    editor->ComboBox2Change();
    EXPECT_EQ(editor->FCurItem, 1);
    EXPECT_EQ(v.target, "/opt/calc");
    v.TypeInto(EditorList::ComboBox2, "計算機");
    editor->ComboBox2KeyDown(kKeyReturn, kShiftShift);
    EXPECT_EQ(editor->FItemCaptions[1][2], Sjis("計算機"));
    EXPECT_EQ(editor->FItemTargets[1][2], "/opt/calc");
    // Another group starts at its first item; renames last across visits.
    v.L(EditorList::ComboBox1).index = 1;
    editor->ComboBox1Change();
    EXPECT_EQ(editor->FCurItem, 0);
    v.L(EditorList::ComboBox1).index = 0;
    editor->ComboBox1Change();
    EXPECT_EQ(v.L(EditorList::ComboBox2).entries[1], Sjis("計算機"));
    EXPECT_EQ(v.target, "/usr/bin/editor");

    // An emptied group name takes its default and keeps its items; a name
    // Shift-JIS cannot hold is refused by name.
    v.TypeInto(EditorList::ComboBox1, "");
    editor->ComboBox1Exit();
    EXPECT_EQ(editor->FGroupNames[1], "Group1");
    EXPECT_EQ(v.L(EditorList::ComboBox1).entries[0], "Group1");
    EXPECT_EQ(editor->FItemTargets[1][1], "/usr/bin/editor");
    v.TypeInto(EditorList::ComboBox1, "絵文字😀");
    editor->ComboBox1Exit();
    EXPECT_EQ(editor->FGroupNames[1], "Group1");
    EXPECT_EQ(Errors(), std::vector<std::string>{"'絵文字😀' には Shift-JIS で書けない文字があります."});

    // Asked to show while shown, the editor keeps its edits; hidden and
    // shown again, it holds the bar's model.
    bar->Setting1Click();
    EXPECT_EQ(editor->FGroupNames[1], "Group1");
    editor->Button1Click();
    bar->Setting1Click();
    editor->FormShow();
    EXPECT_EQ(editor->FGroupNames[1], Sjis("アプリ"));
    EXPECT_EQ(editor->FItemCaptions[1][2], Sjis("表計算"));
}

TEST_F(EditorForm, ChoosingRenamingAndEmptying) {
    v.L(EditorList::ComboBox1).index = 1;
    editor->ComboBox1Change();
    EXPECT_EQ(editor->FCurGroup, 1);
    EXPECT_EQ(v.L(EditorList::ComboBox2).entries[0], Sjis("ホーム"));
    EXPECT_EQ(v.target, "/home");

    v.TypeInto(EditorList::ComboBox1, "住まい");
    editor->ComboBox1Change();  // typing changes nothing yet
    EXPECT_EQ(editor->FCurGroup, 1);
    editor->ComboBox1KeyDown('A', kShiftNone);
    EXPECT_EQ(v.L(EditorList::ComboBox1).index, -1);
    editor->ComboBox1KeyDown(kKeyReturn, kShiftNone);
    EXPECT_EQ(editor->FGroupNames[2], Sjis("住まい"));
    EXPECT_EQ(v.L(EditorList::ComboBox1).entries[1], Sjis("住まい"));
    EXPECT_EQ(v.L(EditorList::ComboBox1).index, 1);

    // A name Shift-JIS cannot hold is refused and the old one comes back.
    v.TypeInto(EditorList::ComboBox2, "😀");
    editor->ComboBox2Exit();
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_NE(Errors()[0].find("😀"), std::string::npos);
    EXPECT_EQ(v.L(EditorList::ComboBox2).entries[0], Sjis("ホーム"));

    // An emptied entry takes its default caption and loses its target.
    v.TypeInto(EditorList::ComboBox2, "");
    editor->ComboBox2Exit();
    EXPECT_EQ(editor->FItemCaptions[2][1], "Item1");
    EXPECT_EQ(editor->FItemTargets[2][1], "");
    EXPECT_EQ(v.target, "");
}

TEST_F(EditorForm, TypedDroppedAndDraggedTargets) {
    v.typedTarget = "/bin/新しい";
    editor->Edit1Change();
    EXPECT_EQ(editor->FItemTargets[1][1], Sjis("/bin/新しい"));
    v.typedTarget = "a\nb";
    editor->Edit1Change();
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_EQ(v.target, Sjis("/bin/新しい"));

    editor->WMDropFiles({"/x/one", "/x/two"});
    EXPECT_EQ(editor->FItemTargets[1][1], "/x/two");
    editor->WMDropFiles({"/x/three", "/x/😀"});
    EXPECT_EQ(editor->FItemTargets[1][1], "/x/two");
    EXPECT_EQ(Errors().size(), 2u);

    EXPECT_FALSE(editor->Edit1DragOver(DragSource::Other));
    EXPECT_TRUE(editor->Edit1DragOver(DragSource::FileListBox1));
    folders.folder = "/home/u";
    editor->Edit1DragDrop(DragSource::ShellTreeView1);
    EXPECT_EQ(editor->FItemTargets[1][1], "/home/u");
    // From the file list without a selection: the index error, the folder shown.
    editor->Edit1DragDrop(DragSource::FileListBox1);
    ASSERT_EQ(Errors().size(), 3u);
    EXPECT_EQ(Errors()[2], "リストのインデックスが範囲を超えています (-1)");
    EXPECT_EQ(v.target, "/home/u/");
    folders.entries = {"a.txt", Sjis("表.txt")};
    folders.selected = 1;
    editor->Edit1DragDrop(DragSource::FileListBox1);
    EXPECT_EQ(editor->FItemTargets[1][1], Sjis("/home/u/表.txt"));
    EXPECT_EQ(editor->FItemCaptions[1][1], Sjis("表.txt"));
    EXPECT_EQ(v.L(EditorList::ComboBox2).entries[0], Sjis("表.txt"));
}

TEST_F(EditorForm, DropsTakeTheLastPathWholeAndAFolderEndingInASeparatorGetsNoSecond) {
    const std::string longPath = Sjis("/三/") + std::string(300, 'p');
    editor->WMDropFiles({"/one", "/two/", SjisToUtf8(longPath)});
    EXPECT_EQ(editor->FItemTargets[1][1], longPath);
    EXPECT_EQ(editor->FItemCaptions[1][1], Sjis("エディタ"));
    EXPECT_EQ(editor->FItemTargets[1][2], "/opt/calc");

    folders.folder = "/";
    editor->Edit1DragDrop(DragSource::FileListBox1);  // nothing selected
    EXPECT_EQ(v.target, "/");
    EXPECT_EQ(editor->FItemTargets[1][1], longPath);
    folders.entries = {"a.txt"};
    folders.selected = 0;
    editor->Edit1DragDrop(DragSource::FileListBox1);
    EXPECT_EQ(editor->FItemTargets[1][1], "/a.txt");
    editor->Edit1DragDrop(DragSource::Other);  // refused
    EXPECT_EQ(editor->FItemTargets[1][1], "/a.txt");
    EXPECT_EQ(Errors().size(), 1u);
}

TEST_F(EditorForm, TreeSelectionAndExtensionFilterDriveTheList) {
    folders.folder = "/home/ü";
    editor->ShellTreeView1Change();
    EXPECT_EQ(folders.listDir, std::nullopt);
    EXPECT_TRUE(folders.cleared);
    folders.folder = "/home/表";
    editor->ShellTreeView1Change();
    EXPECT_EQ(folders.listDir, std::optional<std::string>(Sjis("/home/表")));

    v.fields[0] = "in";
    char32_t key = U'i';
    editor->Edit2KeyPress(key);
    EXPECT_EQ(key, U'i');
    v.fields[0] = "ini";
    editor->Edit2KeyPress(key);
    EXPECT_EQ(key, 0u);
    key = U'.';
    editor->Edit2KeyPress(key);
    EXPECT_EQ(key, U'.');
    key = 8;
    editor->Edit2KeyPress(key);
    EXPECT_EQ(key, 8u);
    editor->Edit2Change();
    EXPECT_EQ(folders.mask, "*.ini");
    v.fields[0] = "表";  // two bytes
    editor->Edit2Change();
    EXPECT_EQ(folders.mask, "*.*");
}

TEST_F(EditorForm, NumbersColourAndSaves) {
    v.fields[1] = "$20";
    editor->Edit3Change();
    EXPECT_EQ(editor->FWorkSize, 32);
    v.fields[1] = "1x";
    editor->Edit3Change();
    EXPECT_EQ(Errors(), std::vector<std::string>{"'1x' は整数ではありません."});
    v.fields[2] = "150";
    editor->Edit5Change();
    EXPECT_EQ(v.trackBar, 100);
    v.trackBar = 42;
    editor->TrackBar1Change();
    EXPECT_EQ(v.upDown2, 42);

    dialogs.colors = {0x123456u};
    editor->Button3Click();
    EXPECT_EQ(dialogs.lastPreset, 65280u);
    dialogs.colors = {std::nullopt};
    editor->Button3Click();
    EXPECT_EQ(dialogs.lastPreset, 0x123456u);
    EXPECT_EQ(editor->FWorkColor, 0x123456u);

    editor->Button6Click();
    EXPECT_EQ(dialogs.Texts("info"), std::vector<std::string>{"保存しました"});
    const std::string saved = Get("/app/Sample.ini");
    EXPECT_NE(saved.find("Size=32"), std::string::npos);
    EXPECT_NE(saved.find("Blend=42"), std::string::npos);
    EXPECT_NE(saved.find("Color=1193046"), std::string::npos);
    EXPECT_EQ(M().FBarSize, 60);  // the bar reloads only on OK

    editor->Button2Click();
    EXPECT_EQ(M().FBarSize, 32);
    EXPECT_EQ(barView.color, 0x123456u);
    EXPECT_FALSE(v.shown);
}

TEST_F(EditorForm, EmptiedNumberFieldsAreRefusedAndATransparencyBeyondTheSliderIsSavedAsTyped) {
    v.fields[1] = "25";
    editor->Edit3Change();
    v.fields[2] = "1000";
    editor->Edit5Change();
    EXPECT_EQ(v.trackBar, 100);
    editor->Button6Click();
    const std::string saved = Get("/app/Sample.ini");
    EXPECT_NE(saved.find("Size=25\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Blend=1000\r\n"), std::string::npos);

    // Emptying either field: the error, the value stays; a number typed
    // afterwards is taken.
    v.fields[1] = "";
    editor->Edit3Change();
    EXPECT_EQ(editor->FWorkSize, 25);
    v.fields[1] = "0";
    editor->Edit3Change();
    EXPECT_EQ(editor->FWorkSize, 0);
    v.trackBar = 40;
    v.fields[2] = "";
    editor->Edit5Change();
    EXPECT_EQ(v.trackBar, 40);
    v.fields[2] = "75";
    editor->Edit5Change();
    EXPECT_EQ(v.trackBar, 75);
    EXPECT_EQ(Errors(), std::vector<std::string>(2, "'' は整数ではありません."));
}

TEST_F(EditorForm, NewSaveAndBrowse) {
    editor->Button4Click();  // cancelled
    EXPECT_EQ(dialogs.lastCaption, "設定保存");
    EXPECT_EQ(dialogs.lastPrompt, "ファイル名を記入してください（拡張子不要）");
    Put("/app/taken.ini", "");
    dialogs.inputs = {"taken"};
    editor->Button4Click();
    EXPECT_EQ(dialogs.Texts("info").back(), "同じ名前のファイルがすでに存在します");
    dialogs.inputs = {"新規"};
    v.fields[2] = "30";
    editor->Button4Click();
    const std::string path = "/app/" + Sjis("新規") + ".ini";
    EXPECT_TRUE(MemoryDisk::Files().count(path));
    EXPECT_EQ(editor->FFileName, path);
    EXPECT_EQ(M().FCaptions[0], path);
    EXPECT_EQ(v.fileName, path);
    EXPECT_NE(Get("/app/DataFile.ini").find(path), std::string::npos);

    files.specials = {"/dev/null"};
    dialogs.files = {"/dev/null"};
    editor->Button5Click();
    EXPECT_EQ(dialogs.lastFilter, "設定ファイル(*.ini)|*.ini");
    EXPECT_EQ(dialogs.lastInitialDir, "/app/");
    EXPECT_EQ(M().FCaptions[0], path);
    EXPECT_EQ(Errors().size(), 1u);

    Put("/elsewhere/x.ini", "[GroupName]\nSection1=X\n");
    dialogs.files = {"/elsewhere/x.ini"};
    editor->Button5Click();
    EXPECT_EQ(M().FCaptions[0], "/elsewhere/x.ini");
    EXPECT_EQ(v.L(EditorList::ComboBox1).entries[0], "X");
    EXPECT_EQ(v.fileName, "/elsewhere/x.ini");
    EXPECT_TRUE(v.shown);
    editor->Button1Click();
    EXPECT_FALSE(v.shown);
}

}  // namespace
}  // namespace tw::test
