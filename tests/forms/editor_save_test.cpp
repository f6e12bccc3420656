// Saving and applying from the settings editor: what each button writes,
// and what a save that fails, or would overwrite another program's change,
// leaves behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/inifile.h"
#include "editorfakes.h"

namespace tw::test {
namespace {

constexpr char kSample[] =
    "[GroupName]\nSection1=アプリ\nSection2=フォルダ\n"
    "[Group1]\nItem11=エディタ\nItemValue11=/usr/bin/editor\n"
    "[Window]\nShowBottom=1\nSysInfo=1\nColor=65280\nSize=60\nBlend=100\n";
constexpr char kFile[] = "/app/Sample.ini";
constexpr char kPointer[] = "/app/DataFile.ini";
constexpr auto kGroups = EditorList::ComboBox1;
constexpr auto kItems = EditorList::ComboBox2;

using Texts = std::vector<std::string>;
using Disk = std::map<std::string, std::string>;

// The value of `key` in the file at `path`; "<absent>" without it.
std::string Value(const std::string& path, const char* section, const char* key) {
    return IniDocument(Rig::Get(path)).Get(section, key).value_or("<absent>");
}
long KeyCount(const std::string& path) { return std::ranges::count(Rig::Get(path), '='); }

// The bar over a settings file and its shown editor.
struct Shown : Rig {
    explicit Shown(const std::string& sample = kSample) {
        Put(kFile, sample);
        Put(kPointer, std::string("[Data]\nFile=") + kFile + "\n");
        Start();
        bar->Setting1Click();
        editor->FormShow();
    }
    FakeEditorView& v = editorView;
    Texts Errors() const { return dialogs.Texts("error"); }
    Texts Infos() const { return dialogs.Texts("info"); }
    Texts Questions() const { return dialogs.Texts("confirm"); }
    // Types over a list and leaves it.
    void Rename(EditorList list, const std::string& utf8) {
        v.TypeInto(list, utf8);
        list == kGroups ? editor->ComboBox1Exit() : editor->ComboBox2Exit();
    }
};

struct EditorSave : ::testing::Test, Shown {};

TEST_F(EditorSave, OverwriteSaveKeepsTheBarAndOkWritesBothFilesAndReloads) {
    v.L(kGroups).index = 1;
    editor->ComboBox1Change();
    Rename(kGroups, "Saved");
    editor->Button6Click();
    EXPECT_EQ(Infos(), Texts{"保存しました"});
    EXPECT_EQ(Value(kFile, "GroupName", "Section2"), "Saved");
    EXPECT_TRUE(v.shown);
    EXPECT_EQ(barView.groupCaption[2], Sjis("フォルダ"));  // not reloaded
    editor->Button1Click();
    EXPECT_FALSE(v.shown);

    // Shown again, the editor holds the bar's names, not the file's: OK
    // writes them back with the new name of group 1, and the bar reloads.
    bar->Setting1Click();
    editor->FormShow();
    Rename(kGroups, "ツール");
    v.checks[2] = true;
    MemoryDisk::Files().erase(kPointer);
    dialogs.shown.clear();
    editor->Button2Click();
    EXPECT_EQ(Value(kFile, "GroupName", "Section1") + Value(kFile, "GroupName", "Section2"),
              Sjis("ツールフォルダ"));
    EXPECT_EQ(Value(kPointer, "Data", "File"), kFile);
    EXPECT_EQ(barView.groupCaption[1], Sjis("ツール"));
    EXPECT_TRUE(M().FStrech);
    EXPECT_FALSE(v.shown);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(EditorSave, ANewSaveAppendsIniToTheNameAsTypedAndNeverReplacesAFile) {
    Rename(kGroups, "New");
    const Disk before = MemoryDisk::Files();
    editor->Button4Click();  // cancelled
    EXPECT_EQ(MemoryDisk::Files(), before);
    const std::pair<const char*, const char*> names[] = {
        {"x", "/app/x.ini"}, {"x.ini", "/app/x.ini.ini"}, {"", "/app/.ini"}};
    for (const auto& [typed, file] : names) {
        dialogs.shown.clear();
        dialogs.inputs = {typed};
        editor->Button4Click();
        EXPECT_EQ(KeyCount(file), 178) << file;
        EXPECT_EQ(Value(file, "GroupName", "Section1"), "New") << file;
        EXPECT_EQ(Value(kPointer, "Data", "File"), file);
        EXPECT_EQ(editor->FFileName, file);
        EXPECT_EQ(v.fileName, file);
        EXPECT_EQ(M().FCaptions[0], file);
        EXPECT_EQ(Infos(), Texts{"保存しました"});
    }
    EXPECT_EQ(barView.groupCaption[1], Sjis("アプリ"));  // not reloaded
    EXPECT_EQ(Value(kFile, "GroupName", "Section1"), Sjis("アプリ"));

    // An existing name: only the notice, no file touched.
    Rename(kGroups, "Other");
    dialogs.shown.clear();
    const Disk saved = MemoryDisk::Files();
    dialogs.inputs = {"x"};
    editor->Button4Click();
    EXPECT_EQ(Infos(), Texts{"同じ名前のファイルがすでに存在します"});
    EXPECT_EQ(MemoryDisk::Files(), saved);
    EXPECT_EQ(editor->FFileName, "/app/.ini");
}

TEST_F(EditorSave, BrowsingToAMissingFilePointsThereAndTheNextSaveCreatesIt) {
    Rename(kGroups, "Lost");
    editor->Button5Click();  // cancelled
    EXPECT_EQ(editor->FGroupNames[1], "Lost");
    dialogs.files = {"/app/none.ini"};
    editor->Button5Click();
    EXPECT_EQ(Value(kPointer, "Data", "File"), "/app/none.ini");
    EXPECT_FALSE(Exists("/app/none.ini"));
    // The bar loaded the defaults and the editor reloaded from it.
    EXPECT_EQ(M().FCaptions[0], "/app/none.ini");
    EXPECT_FALSE(barView.groupVisible[1]);
    EXPECT_EQ(v.fileName, "/app/none.ini");
    EXPECT_EQ(v.L(kGroups).entries[0], "Group1");
    EXPECT_EQ(v.target, "");
    EXPECT_TRUE(v.shown);
    editor->Button6Click();
    EXPECT_EQ(KeyCount("/app/none.ini"), 178);

    // What is not a regular file is refused by name, nothing written.
    files.specials = {"/app/fifo.ini"};
    const Disk before = MemoryDisk::Files();
    dialogs.files = {"/app/fifo.ini"};
    editor->Button5Click();
    EXPECT_EQ(Errors(), Texts{"/app/fifo.ini は通常のファイルではありません."});
    EXPECT_EQ(MemoryDisk::Files(), before);
    EXPECT_EQ(editor->FFileName, "/app/none.ini");
}

TEST_F(EditorSave, FailedSavesChangeNothing) {
    Rename(kGroups, "Changed");
    barView.groupCaption[1] = "unreloaded";  // a reload would overwrite it
    const Disk before = MemoryDisk::Files();
    const auto refused = [&](void (EditorPresenter::*click)(), const std::string& error) {
        dialogs.shown.clear();
        dialogs.inputs = {"fresh"};
        dialogs.files = {"/app/other.ini"};
        (editor.get()->*click)();
        EXPECT_EQ(Errors(), Texts{error});
        EXPECT_TRUE(Infos().empty());
        EXPECT_EQ(MemoryDisk::Files(), before);
        EXPECT_EQ(editor->FFileName, kFile);
        EXPECT_EQ(v.fileName, kFile);
        EXPECT_EQ(M().FCaptions[0], kFile);
        EXPECT_EQ(barView.groupCaption[1], "unreloaded");
        EXPECT_EQ(editor->FGroupNames[1], "Changed");
        EXPECT_TRUE(v.shown);
    };
    const auto ok = &EditorPresenter::Button2Click, overwrite = &EditorPresenter::Button6Click,
               saveAs = &EditorPresenter::Button4Click, browse = &EditorPresenter::Button5Click;

    v.fields[2] = "abc";  // a transparency that is not a number
    for (auto click : {ok, overwrite, saveAs}) refused(click, "'abc' は整数ではありません.");
    v.fields[2] = "100";
    MemoryDisk::ReadOnly()[kFile] = true;
    for (auto click : {ok, overwrite}) refused(click, "/app/Sample.ini に書き込めません.");
    MemoryDisk::ReadOnly().clear();
    MemoryDisk::ReadOnly()[kPointer] = true;
    for (auto click : {ok, overwrite, saveAs, browse})
        refused(click, "/app/DataFile.ini に書き込めません.");
    MemoryDisk::ReadOnly().clear();
    // Room on disk for the settings file but not for the pointer file.
    MemoryDisk::Full()[kPointer] = true;
    for (auto click : {ok, overwrite, saveAs, browse})
        refused(click, "/app/DataFile.ini に書き込めません.");
    MemoryDisk::Full().clear();

    dialogs.inputs = {"😀"};  // a name Shift-JIS cannot hold
    editor->Button4Click();
    EXPECT_EQ(Errors().back(), "'😀' には Shift-JIS で書けない文字があります.");
    EXPECT_EQ(MemoryDisk::Files(), before);

    editor->Button2Click();  // once the fault is gone the save goes through
    EXPECT_EQ(Value(kFile, "GroupName", "Section1"), "Changed");
    EXPECT_EQ(M().FCaptions[1], "Changed");
    EXPECT_FALSE(v.shown);
}

TEST_F(EditorSave, LineBreaksAndNulAreRefusedWhereTheyEnterSoSavesKeepWorking) {
    const std::string before = editor->FItemTargets[1][1];
    editor->WMDropFiles({"/tmp/two\nlines.txt"});
    v.typedTarget = "/typed\r\nInjected=1";
    editor->Edit1Change();
    v.TypeInto(kItems, std::string("a\0b", 3));
    editor->ComboBox2Exit();
    const Texts errors = Errors();
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], "'/tmp/two\\nlines.txt' には改行か NUL 文字があるため設定ファイルに書けません.");
    EXPECT_NE(errors[1].find("\\r\\n"), std::string::npos) << errors[1];
    EXPECT_NE(errors[2].find("a\\0b"), std::string::npos) << errors[2];
    EXPECT_EQ(editor->FItemTargets[1][1], before);
    EXPECT_EQ(v.TargetText(), before);
    EXPECT_EQ(editor->FItemCaptions[1][1], Sjis("エディタ"));

    editor->Button6Click();
    EXPECT_EQ(Errors().size(), 3u);
    EXPECT_EQ(Value(kFile, "Group1", "ItemValue11"), before);
    EXPECT_EQ(Value(kFile, "Window", "Injected"), "<absent>");
}

TEST_F(EditorSave, ASaveOverAFileAnotherProgramChangedAsksFirst) {
    const auto question = [](const std::string& file) {
        return file + " は他のプログラムによって変更されています。上書きしますか？";
    };
    Rename(kGroups, "Mine");
    editor->Button6Click();  // unchanged since the editor was shown: no question
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(Value(kFile, "GroupName", "Section1"), "Mine");

    // Another program rewrites the file. いいえ writes nothing, and OK
    // neither reloads the bar nor hides the editor.
    std::string theirsText = kSample;
    theirsText.replace(theirsText.find("アプリ"), std::string("アプリ").size(), "Theirs");
    Put(kFile, theirsText + "[Theirs]\nKey=1\n");
    const std::string theirs = Get(kFile);
    dialogs.shown.clear();
    editor->Button6Click();
    editor->Button2Click();
    EXPECT_EQ(Questions(), Texts(2, question(kFile)));
    EXPECT_EQ(Get(kFile), theirs);
    EXPECT_TRUE(Infos().empty());
    EXPECT_TRUE(Errors().empty());
    EXPECT_TRUE(v.shown);
    EXPECT_EQ(M().FCaptions[1], Sjis("アプリ")) << "the bar was reloaded";

    // はい saves over it, keeping their other keys; the next save asks nothing.
    dialogs.shown.clear();
    dialogs.confirmAnswers = {true};
    editor->Button6Click();
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_EQ(Infos(), Texts{"保存しました"});
    EXPECT_EQ(Value(kFile, "GroupName", "Section1"), "Mine");
    EXPECT_EQ(Value(kFile, "Theirs", "Key"), "1");
    dialogs.shown.clear();
    editor->Button2Click();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(v.shown);

    // Changed while the editor was hidden: showing it takes the file as it is.
    Put(kFile, kSample);
    bar->Setting1Click();
    editor->FormShow();
    editor->Button6Click();
    EXPECT_TRUE(Questions().empty());

    // A new save writes its fresh file without a question, and from then on
    // that file is the one watched.
    dialogs.shown.clear();
    dialogs.inputs = {"fresh"};
    editor->Button4Click();
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(KeyCount("/app/fresh.ini"), 178);
    Put("/app/fresh.ini", "[GroupName]\nSection1=他\n");
    editor->Button6Click();
    EXPECT_EQ(Questions(), Texts{question("/app/fresh.ini")});
    EXPECT_EQ(Value("/app/fresh.ini", "GroupName", "Section1"), Sjis("他"));

    // Browse takes the chosen file as it is then; a file that was absent and
    // has appeared since counts as changed.
    dialogs.shown.clear();
    dialogs.files = {"/app/none.ini"};
    editor->Button5Click();
    Put("/app/none.ini", "[GroupName]\nSection1=先\n");
    editor->Button6Click();
    EXPECT_EQ(Questions(), Texts{question("/app/none.ini")});
    EXPECT_EQ(Value("/app/none.ini", "GroupName", "Section1"), Sjis("先"));
}

TEST(EditorNul, ACaptionWithANulLoadsUpToItAndSavesWithoutIt) {
    Shown r;
    constexpr char kNul[] = "[Group1]\r\nItem11=ab\0cd\r\nItemValue11=/x\r\n";
    MemoryDisk::Files()[kFile] = std::string(kNul, sizeof kNul - 1);
    ASSERT_NE(r.Get(kFile).find("cd"), std::string::npos);
    r.bar->LoadSettings();
    r.editor->LoadWorkingCopy();
    EXPECT_EQ(r.M().FCaptions[BarIndex(1, 1)], "ab");
    EXPECT_EQ(r.v.L(kItems).entries[0], "ab");
    r.editor->Button2Click();
    EXPECT_TRUE(r.Errors().empty());
    EXPECT_FALSE(r.v.shown);
    EXPECT_EQ(Value(kFile, "Group1", "Item11"), "ab");
    EXPECT_EQ(r.Get(kFile).find('\0'), std::string::npos);
}

TEST_F(EditorSave, APointerPathCutAtTheLimitIsShownButNeitherReadNorWritten) {
    const std::string exact = "/app/" + std::string(2047 - 5 - 4, 'f') + ".ini";
    ASSERT_EQ(exact.size(), 2047u);
    Put(exact, "[GroupName]\nSection1=長い\n");
    const auto point = [&](const std::string& value) {
        Put(kPointer, "[Data]\nFile=" + value + "\n");
        bar->LoadSettings();
        editor->LoadWorkingCopy();
    };
    // A path of exactly the limit is read and saved like any other.
    point(exact);
    EXPECT_EQ(barView.groupCaption[1], Sjis("長い"));
    Rename(kGroups, "Saved");
    editor->Button6Click();
    EXPECT_EQ(Value(exact, "GroupName", "Section1"), "Saved");
    EXPECT_TRUE(Errors().empty());

    // A longer one reads as its first 2047 bytes, which name another file:
    // shown, but the bar and the editor hold the defaults and no save
    // writes anything.
    point(exact + "/more.ini");
    EXPECT_EQ(M().FCaptions[0], exact);
    EXPECT_EQ(v.fileName, exact);
    EXPECT_FALSE(barView.groupVisible[1]);
    EXPECT_EQ(editor->FGroupNames[1], "Group1");
    const Disk before = MemoryDisk::Files();
    dialogs.shown.clear();
    editor->Button6Click();
    editor->Button2Click();
    EXPECT_EQ(Errors(), Texts(2, exact + " に書き込めません."));
    EXPECT_TRUE(Infos().empty());
    EXPECT_EQ(MemoryDisk::Files(), before);
    EXPECT_TRUE(v.shown);

    // A new save writes a file of its own and points there.
    dialogs.inputs = {"fresh"};
    editor->Button4Click();
    EXPECT_EQ(Value(kPointer, "Data", "File"), "/app/fresh.ini");
    editor->Button6Click();
    EXPECT_EQ(Errors().size(), 2u);
    EXPECT_EQ(KeyCount("/app/fresh.ini"), 178);
}

TEST(EditorLongPaths, ANewSaveOrABrowsedPathBeyondTheLimitIsRefusedByName) {
    Rig r;
    const std::string dir = "/" + std::string(1998, 'd') + "/";
    r.services.executablePath = dir + "tamblewick";
    r.Start();
    r.bar->Setting1Click();
    r.editor->FormShow();
    ASSERT_EQ(r.M().FAppDir, dir);
    const std::string fits = dir + std::string(43, 'n') + ".ini";  // 2047 bytes
    const std::string beyond = dir + std::string(44, 'n') + ".ini";

    r.dialogs.inputs = {std::string(43, 'n'), std::string(44, 'n')};
    r.editor->Button4Click();
    EXPECT_TRUE(r.dialogs.Texts("error").empty());
    EXPECT_TRUE(r.Exists(fits));
    EXPECT_EQ(r.editor->FFileName, fits);
    const std::string pointer = r.Get(dir + "DataFile.ini");
    EXPECT_NE(pointer.find(fits), std::string::npos);

    r.editor->Button4Click();
    r.dialogs.files = {beyond};
    r.editor->Button5Click();
    EXPECT_EQ(r.dialogs.Texts("error"), Texts(2, "'" + beyond + "' は長すぎます (2047 バイトまで)"));
    EXPECT_FALSE(r.Exists(beyond));
    EXPECT_EQ(r.Get(dir + "DataFile.ini"), pointer);
    EXPECT_EQ(r.editor->FFileName, fits);
    EXPECT_EQ(r.M().FCaptions[0], fits);
}

}  // namespace
}  // namespace tw::test
