// Saving and applying from the editor: OK, Cancel, overwrite save, new save,
// browse, size and transparency, and failed saves.
#include <QCheckBox>
#include <QMenu>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sys/stat.h>

#include "core/inifile.h"
#include "core/text.h"
#include "setting_rig.h"
#include "ui/SettingWidgets.h"
#include "ui/qtext.h"

namespace tw {
namespace {

using namespace test;
namespace fs = std::filesystem;

struct EditorSave : EditorTest {
    // The raw (Shift-JIS) value of `key` in `file`; "<absent>" without it.
    std::string Read(const std::string& file, const std::string& key) {
        const std::string text = rig.ReadFile(file);
        std::smatch m;
        if (std::regex_search(text, m, std::regex("(^|\n)" + key + "=([^\r\n]*)"))) return m[2];
        return "<absent>";
    }
    long KeyCount(const std::string& file) { return std::ranges::count(rig.ReadFile(file), '='); }
    std::string Pointer() { return Read("DataFile.ini", "File"); }
    // Both files of the program directory, byte for byte.
    std::pair<std::string, std::string> Files() {
        return {rig.ReadFile("DataFile.ini"), rig.ReadFile("Sample.ini")};
    }
    std::vector<QString> Infos() const { return rig.dialogs.Texts("info"); }
};

TEST_F(EditorSave, OverwriteSaveThenCancelThenOk) {
    Key(e.ComboBox1, Qt::Key_Down);
    Rename(e.ComboBox1, "Saved");
    e.Button6Click();
    EXPECT_EQ(Infos(), std::vector<QString>{Q("保存しました")});
    EXPECT_EQ(Read("Sample.ini", "Section2"), "Saved");
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(bar->Groups[2]->title(), Q("フォルダ"));  // not reloaded
    e.Button1Click();
    EXPECT_FALSE(e.isVisible());

    // Reopened, the editor holds the bar's names, not the file's: OK writes
    // them back with the new name of group 1, and the bar reloads.
    bar->Setting1Click();
    Retype(e.ComboBox1, Q("ツール"));
    FocusOut(e.ComboBox1, Qt::MouseFocusReason);  // pressing OK takes the focus
    e.CheckBox2->setChecked(true);
    rig.dialogs.shown.clear();
    e.Button2Click();
    EXPECT_EQ(Read("Sample.ini", "Section1") + Read("Sample.ini", "Section2"), Sjis("ツールフォルダ"));
    EXPECT_EQ(Pointer(), Path("Sample.ini"));
    EXPECT_EQ(bar->Groups[1]->title(), Q("ツール"));
    EXPECT_TRUE(bar->model().FStrech);
    EXPECT_FALSE(e.isVisible());
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(EditorSave, NewSave) {
    Rename(e.ComboBox1, "New");
    e.Button4Click();  // cancelled: nothing is written
    EXPECT_EQ(rig.dialogs.lastPrompt, Q("ファイル名を記入してください（拡張子不要）"));
    // The name is taken as typed and ".ini" always appended.
    const std::pair<const char*, const char*> names[] = {
        {"x", "x.ini"}, {"x.ini", "x.ini.ini"}, {"", ".ini"}};
    for (const auto& [typed, file] : names) {
        rig.dialogs.shown.clear();
        rig.dialogs.inputs = {QString(typed)};
        e.Button4Click();
        EXPECT_EQ(KeyCount(file), 178) << file;
        EXPECT_EQ(Read(file, "Section1"), "New") << file;
        EXPECT_EQ(Pointer(), Path(file));
        EXPECT_EQ(e.presenter().FFileName, Path(file));
        EXPECT_EQ(e.Edit4->text(), QPath(file));
        EXPECT_EQ(bar->model().FCaptions[0], Path(file));
        EXPECT_EQ(Infos(), std::vector<QString>{Q("保存しました")});
    }
    EXPECT_EQ(bar->Groups[1]->title(), Q("アプリ"));  // not reloaded
    EXPECT_EQ(Read("Sample.ini", "Section1"), Sjis("アプリ"));

    // An existing name: only the notice, no file touched.
    Rename(e.ComboBox1, "Other");
    rig.dialogs.shown.clear();
    const auto before = std::pair(Files(), rig.ReadFile("x.ini"));
    rig.dialogs.inputs = {QString("x")};
    e.Button4Click();
    EXPECT_EQ(Infos(), std::vector<QString>{Q("同じ名前のファイルがすでに存在します")});
    EXPECT_EQ(std::pair(Files(), rig.ReadFile("x.ini")), before);
    EXPECT_EQ(e.presenter().FFileName, Path(".ini"));
}

TEST_F(EditorSave, BrowseToAFileThatDoesNotExist) {
    Rename(e.ComboBox1, "Lost");
    e.Button5Click();  // cancelled
    EXPECT_EQ(rig.dialogs.lastFilter, Q("設定ファイル(*.ini)|*.ini"));
    EXPECT_EQ(rig.dialogs.lastInitialDir, QString::fromStdString(rig.AppDir()));
    EXPECT_EQ(e.presenter().FGroupNames[1], "Lost");

    rig.dialogs.files = {QPath("none.ini")};
    e.Button5Click();
    EXPECT_EQ(Pointer(), Path("none.ini"));
    EXPECT_FALSE(fs::exists(rig.dir / "none.ini"));
    // The bar loaded the defaults and the editor reloaded from it.
    EXPECT_EQ(bar->model().FCaptions[0], Path("none.ini"));
    EXPECT_FALSE(bar->Groups[1]->menuAction()->isVisible());
    EXPECT_EQ(e.Edit4->text(), QPath("none.ini"));
    EXPECT_EQ(e.ComboBox1->itemText(0), "Group1");
    EXPECT_EQ(e.Edit1->text(), "");
    EXPECT_TRUE(e.isVisible());
    e.Button6Click();  // the next save creates it
    EXPECT_EQ(KeyCount("none.ini"), 178);
}

TEST_F(EditorSave, BrowseRefusesWhatIsNotARegularFile) {
    ASSERT_EQ(mkfifo((rig.dir / "fifo.ini").c_str(), 0644), 0);
    fs::create_directory(rig.dir / "folder.ini");
    const auto before = Files();
    for (const char* name : {"fifo.ini", "folder.ini"}) {
        rig.dialogs.shown.clear();
        rig.dialogs.files = {QPath(name)};
        e.Button5Click();
        EXPECT_EQ(Errors(), std::vector<QString>{QPath(name) + Q(" は通常のファイルではありません.")});
        EXPECT_EQ(Files(), before);
        EXPECT_EQ(e.presenter().FFileName, Path("Sample.ini"));
        EXPECT_EQ(bar->model().FCaptions[0], Path("Sample.ini"));
    }
}

TEST_F(EditorSave, SizeAndTransparencyFields) {
    Retype(e.Edit3, "25");
    // Beyond the end where the slider already stands: the typed number stays
    // and is what is saved.
    ASSERT_EQ(e.TrackBar1->value(), 100);
    Type(e.Edit5, "0");
    EXPECT_EQ(e.Edit5->text(), "1000");
    EXPECT_EQ(e.TrackBar1->value(), 100);
    e.Button6Click();
    EXPECT_EQ(Read("Sample.ini", "Size"), "25");
    EXPECT_EQ(Read("Sample.ini", "Blend"), "1000");

    // The slider at 50, 5 typed: the slider goes to its end, the field follows.
    e.TrackBar1->setValue(50);
    EXPECT_EQ(e.Edit5->text(), "50");
    Retype(e.Edit5, "5");
    EXPECT_EQ(e.TrackBar1->value(), 30);
    EXPECT_EQ(e.Edit5->text(), "30");

    // Emptying either field: the error once, the value stays; a number typed
    // afterwards is taken.
    rig.dialogs.shown.clear();
    Retype(e.Edit3, "");
    EXPECT_EQ(e.presenter().FWorkSize, 25);
    Type(e.Edit3, "0");
    EXPECT_EQ(e.presenter().FWorkSize, 0);
    Retype(e.Edit5, "");
    EXPECT_EQ(e.TrackBar1->value(), 30);
    Type(e.Edit5, "75");
    EXPECT_EQ(e.TrackBar1->value(), 75);
    EXPECT_EQ(Errors(), std::vector<QString>(2, Q("'' は整数ではありません.")));
}

TEST_F(EditorSave, SpinButtonsStepByOneFromTheTypedNumberWithinTheirRange) {
    const struct {
        TUpDown* spin;
        QLineEdit* field;
        const char* typed;
        int steps;  // up when positive; by key and by button alternately
        const char* shown;
    } cases[] = {
        {e.UpDown1, e.Edit3, "20", 1, "21"}, {e.UpDown1, e.Edit3, "7", -2, "5"},
        {e.UpDown1, e.Edit3, "50", 1, "50"}, {e.UpDown1, e.Edit3, "3", -3, "3"},
        {e.UpDown1, e.Edit3, "999", -1, "49"}, {e.UpDown1, e.Edit3, "0", 2, "5"},
        {e.UpDown2, e.Edit5, "55", 1, "56"}, {e.UpDown2, e.Edit5, "100", 2, "100"},
        {e.UpDown2, e.Edit5, "31", -2, "30"},
    };
    for (const auto& c : cases) {
        c.field->setText(c.typed);
        for (int k = 0; k < std::abs(c.steps); ++k) {
            if (k % 2) (c.steps > 0 ? c.spin->UpButton() : c.spin->DownButton())->click();
            else Key(c.field, c.steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        }
        EXPECT_EQ(c.field->text(), c.shown) << c.typed << " " << c.steps;
    }
    EXPECT_EQ(e.presenter().FWorkSize, 5);
    EXPECT_EQ(e.TrackBar1->value(), 30);
    EXPECT_TRUE(Errors().empty());
}

TEST(EditorColour, RunsFromTheFileToTheBarAndThroughTheDialogBackRedInTheLowestByte) {
    EditorRig r("[Window]\nColor=" + std::to_string(0x123456) + "\n");
    TForm2& e = *r.editor;
    EXPECT_EQ(r.bar->BackgroundColor(), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(e.presenter().FWorkColor, 0x123456u);
    r.rig.dialogs.colors = {std::nullopt, QColor(1, 2, 3), std::nullopt};
    e.Button3Click();  // cancelled: nothing changes
    EXPECT_EQ(r.rig.dialogs.lastColorPreset, QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(e.presenter().FWorkColor, 0x123456u);
    e.Button3Click();
    EXPECT_EQ(e.presenter().FWorkColor, 0x030201u);
    e.Button3Click();  // opens with the colour last chosen
    EXPECT_EQ(r.rig.dialogs.lastColorPreset, QColor(1, 2, 3));
    e.Button2Click();
    EXPECT_EQ(r.rig.profile.Read(r.Path("Sample.ini"), "Window", "Color", ""), "197121");
    EXPECT_EQ(r.bar->BackgroundColor(), QColor(1, 2, 3));
}

TEST_F(EditorSave, FailedSavesChangeNothing) {
    Rename(e.ComboBox1, "Changed");
    bar->Groups[1]->setTitle("unreloaded");  // a reload would overwrite it
    const auto before = Files();
    TForm2& form = e;  // a local: GCC 12's UBSan misreads reference members in lambdas
    const auto refused = [&](void (TForm2::*click)(), const QString& error) {
        rig.dialogs.shown.clear();
        rig.dialogs.inputs = {QString("fresh")};
        rig.dialogs.files = {QPath("other.ini")};
        (form.*click)();
        EXPECT_EQ(Errors(), std::vector<QString>{error});
        EXPECT_TRUE(Infos().empty());
        EXPECT_EQ(Files(), before);
        EXPECT_FALSE(fs::exists(rig.dir / "fresh.ini"));
        EXPECT_EQ(form.presenter().FFileName, Path("Sample.ini"));
        EXPECT_EQ(form.Edit4->text(), QPath("Sample.ini"));
        EXPECT_EQ(bar->model().FCaptions[0], Path("Sample.ini"));
        EXPECT_EQ(bar->Groups[1]->title(), "unreloaded");
        EXPECT_EQ(form.presenter().FGroupNames[1], "Changed");
        EXPECT_TRUE(form.isVisible());
    };
    const auto chmodIn = [&](const char* file, mode_t mode) {
        ASSERT_EQ(chmod((rig.dir / file).c_str(), mode), 0);
    };
    const auto ok = &TForm2::Button2Click, overwrite = &TForm2::Button6Click,
               saveAs = &TForm2::Button4Click, browse = &TForm2::Button5Click;

    e.Edit5->setText("abc");  // a transparency that is not a number
    for (auto click : {ok, overwrite, saveAs}) refused(click, Q("'abc' は整数ではありません."));
    e.Edit5->setText("100");
    chmodIn("Sample.ini", 0444);
    for (auto click : {ok, overwrite}) refused(click, QPath("Sample.ini") + Q(" に書き込めません."));
    chmodIn("Sample.ini", 0644);
    chmodIn("DataFile.ini", 0444);
    for (auto click : {ok, overwrite, saveAs, browse})
        refused(click, QPath("DataFile.ini") + Q(" に書き込めません."));
    chmodIn("DataFile.ini", 0644);
    // Room on disk for the settings file but not for the pointer file.
    rig.roomFor[rig.temp.File("DataFile.ini")] = 0;
    for (auto click : {ok, overwrite, saveAs, browse})
        refused(click, QPath("DataFile.ini") + Q(" に書き込めません."));
    rig.roomFor.clear();
    EXPECT_EQ(std::distance(fs::directory_iterator(rig.dir), fs::directory_iterator()), 2);

    rig.dialogs.inputs = {Q("😀")};  // a name Shift-JIS cannot hold
    e.Button4Click();
    EXPECT_EQ(Errors().back(), Q("'😀' には Shift-JIS で書けない文字があります."));
    EXPECT_EQ(std::distance(fs::directory_iterator(rig.dir), fs::directory_iterator()), 2);
    EXPECT_EQ(Files(), before);

    e.Button2Click();  // once the fault is gone the save goes through
    EXPECT_EQ(Read("Sample.ini", "Section1"), "Changed");
    EXPECT_EQ(bar->model().FCaptions[1], "Changed");
    EXPECT_FALSE(e.isVisible());
}

TEST_F(EditorSave, LineBreaksAndNulAreRefusedWhereTheyEnterSoSavesKeepWorking) {
    const std::string before = e.presenter().FItemTargets[1][1];
    e.WMDropFiles({QStringLiteral("/tmp/two\nlines.txt")});
    e.Edit1->setText(QStringLiteral("/typed\r\nInjected=1"));
    e.Edit1Change();
    e.ComboBox2->setCurrentIndex(-1);  // as typing does; a NUL cannot be typed
    e.ComboBox2->setEditText(QString("a") + QChar(0) + "b");
    FocusOut(e.ComboBox2);
    const auto errors = Errors();
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], Q("'/tmp/two\\nlines.txt' には改行か NUL 文字があるため設定ファイルに書けません."));
    EXPECT_TRUE(errors[1].contains(QStringLiteral("\\r\\n")));
    EXPECT_TRUE(errors[2].contains(QStringLiteral("a\\0b")));
    EXPECT_EQ(e.presenter().FItemTargets[1][1], before);
    EXPECT_EQ(e.Edit1->text(), ToQ(before));
    EXPECT_EQ(e.presenter().FItemCaptions[1][1], Sjis("エディタ"));

    e.Button6Click();  // the save goes through
    EXPECT_EQ(Errors().size(), 3u);
    EXPECT_EQ(Read("Sample.ini", "ItemValue11"), before);
    EXPECT_EQ(Read("Sample.ini", "Injected"), "<absent>");
}

TEST_F(EditorSave, ASaveOverAFileAnotherProgramChangedAsksFirst) {
    const auto question = [&](const std::string& file) {
        return QPath(file) + Q(" は他のプログラムによって変更されています。上書きしますか？");
    };
    const auto questions = [&] { return rig.dialogs.Texts("confirm"); };
    Rename(e.ComboBox1, "Mine");
    e.Button6Click();  // unchanged since the editor was shown: no question
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(Read("Sample.ini", "Section1"), "Mine");

    // Another program rewrites the file. いいえ writes nothing, and OK
    // neither reloads the bar nor hides the editor.
    std::string theirsText = kSample;
    theirsText.replace(theirsText.find("アプリ"), std::string("アプリ").size(), "Theirs");
    rig.WriteFile("Sample.ini", theirsText + "[Theirs]\nKey=1\n");
    const std::string theirs = rig.ReadFile("Sample.ini");
    rig.dialogs.shown.clear();
    e.Button6Click();
    e.Button2Click();
    EXPECT_EQ(questions(), std::vector<QString>(2, question("Sample.ini")));
    EXPECT_EQ(rig.ReadFile("Sample.ini"), theirs);
    EXPECT_TRUE(Infos().empty());
    EXPECT_TRUE(Errors().empty());
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(bar->model().FCaptions[1], Sjis("アプリ")) << "the bar was reloaded";

    // はい saves over it; then what was saved is the file as the editor
    // knows it, and the next save asks nothing.
    rig.dialogs.shown.clear();
    rig.dialogs.confirmAnswers = {true};
    e.Button6Click();
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_EQ(Infos(), std::vector<QString>{Q("保存しました")});
    EXPECT_EQ(Read("Sample.ini", "Section1"), "Mine");
    EXPECT_EQ(Read("Sample.ini", "Key"), "1");
    rig.dialogs.shown.clear();
    e.Button2Click();
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_FALSE(e.isVisible());

    // Changed while the editor was hidden: showing it takes the file as it is.
    rig.WriteFile("Sample.ini", kSample);
    bar->Setting1Click();
    e.Button6Click();
    EXPECT_TRUE(questions().empty());

    // A new save writes its fresh file without a question, and from then on
    // that file is the one watched.
    rig.dialogs.shown.clear();
    rig.dialogs.inputs = {QString("fresh")};
    e.Button4Click();
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(KeyCount("fresh.ini"), 178);
    rig.WriteFile("fresh.ini", "[GroupName]\nSection1=他\n");
    e.Button6Click();
    EXPECT_EQ(questions(), std::vector<QString>{question("fresh.ini")});
    EXPECT_EQ(Read("fresh.ini", "Section1"), Sjis("他"));

    // Browse takes the chosen file as it is then; a file that was absent and
    // has appeared since counts as changed.
    rig.dialogs.shown.clear();
    rig.dialogs.files = {QPath("none.ini")};
    e.Button5Click();
    rig.WriteFile("none.ini", "[GroupName]\nSection1=先\n");
    e.Button6Click();
    EXPECT_EQ(questions(), std::vector<QString>{question("none.ini")});
    EXPECT_EQ(Read("none.ini", "Section1"), Sjis("先"));
}

TEST(EditorNul, ACaptionWithANulLoadsUpToItAndSaves) {
    EditorRig r(std::string("[Group1]\nItem11=ab") + '\0' + "cd\nItemValue11=/x\n");
    ASSERT_NE(r.rig.ReadFile("Sample.ini").find('\0'), std::string::npos);
    TForm2& e = *r.editor;
    EXPECT_EQ(r.bar->model().FCaptions[BarIndex(1, 1)], "ab");
    EXPECT_EQ(e.ComboBox2->itemText(0), "ab");
    e.Button2Click();
    EXPECT_TRUE(r.Errors().empty());
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(IniDocument(r.rig.ReadFile("Sample.ini")).Get("Group1", "Item11"), "ab");
    EXPECT_EQ(r.rig.ReadFile("Sample.ini").find('\0'), std::string::npos);
}

// Makes folders under `dir` (ending in "/") until the path is `length`
// bytes long and ends in "/".
std::string DeepFolder(std::string dir, std::size_t length) {
    while (dir.size() < length) {
        const std::size_t part = std::min<std::size_t>(150, length - dir.size() - 1);
        dir += std::string(std::max<std::size_t>(part, 1), 'd') + "/";
        fs::create_directory(dir);
    }
    return dir;
}

TEST_F(EditorSave, APointerPathCutAtTheLimitIsShownButNeitherReadNorWritten) {
    const std::string folder = DeepFolder(rig.AppDir(), 1900);
    const std::string exact = folder + std::string(2047 - folder.size() - 4, 'f') + ".ini";
    ASSERT_EQ(exact.size(), 2047u);
    test::Spit(exact, Sjis("[GroupName]\r\nSection1=長い\r\n"));
    const auto point = [&](const std::string& value) {
        rig.WriteFile("DataFile.ini", "[Data]\nFile=" + value + "\n");
        bar->LoadSettings(nullptr);
        e.LoadWorkingCopy();
    };
    // A path of exactly the limit is read and saved like any other.
    point(exact);
    EXPECT_EQ(bar->Groups[1]->title(), Q("長い"));
    Rename(e.ComboBox1, "Saved");
    e.Button6Click();
    EXPECT_EQ(IniDocument(test::Slurp(exact)).Get("GroupName", "Section1"), "Saved");
    EXPECT_TRUE(Errors().empty());

    // A longer one reads as its first 2047 bytes, which name another file:
    // shown, but the bar and the editor hold the defaults and no save
    // writes anything.
    point(exact + "/more.ini");
    EXPECT_EQ(bar->model().FCaptions[0], exact);
    EXPECT_EQ(e.Edit4->text(), QString::fromStdString(exact));
    EXPECT_FALSE(bar->Groups[1]->menuAction()->isVisible());
    EXPECT_EQ(e.presenter().FGroupNames[1], "Group1");
    const std::string file = test::Slurp(exact), pointer = rig.ReadFile("DataFile.ini");
    rig.dialogs.shown.clear();
    e.Button6Click();
    e.Button2Click();
    EXPECT_EQ(Errors(), std::vector<QString>(2, QString::fromStdString(exact) + Q(" に書き込めません.")));
    EXPECT_TRUE(Infos().empty());
    EXPECT_EQ(test::Slurp(exact), file);
    EXPECT_EQ(rig.ReadFile("DataFile.ini"), pointer);
    EXPECT_TRUE(e.isVisible());

    // A new save writes a file of its own and points there.
    rig.dialogs.inputs = {QString("fresh")};
    e.Button4Click();
    EXPECT_EQ(Pointer(), Path("fresh.ini"));
    e.Button6Click();
    EXPECT_EQ(Errors().size(), 2u);
    EXPECT_EQ(KeyCount("fresh.ini"), 178);
}

TEST(EditorLongPaths, ANewSaveOrABrowsedPathBeyondTheLimitIsRefusedByName) {
    TestRig rig;
    const std::string dir = DeepFolder(rig.AppDir(), 2000);
    ASSERT_EQ(dir.size(), 2000u);
    Platform platform = rig.MakePlatform();
    platform.services.executablePath = dir + "tamblewick";
    TForm1 bar(platform);
    TForm2 e(bar, platform);
    bar.SetForms(&e, nullptr);
    e.show();
    ASSERT_EQ(bar.model().FAppDir, dir);
    const std::string fits = dir + std::string(43, 'n') + ".ini";  // 2047 bytes
    const std::string beyond = dir + std::string(44, 'n') + ".ini";
    const auto pointer = [&] { return test::Slurp(dir + "DataFile.ini"); };

    rig.dialogs.inputs = {QString(43, 'n'), QString(44, 'n')};
    e.Button4Click();
    EXPECT_TRUE(rig.dialogs.Texts("error").empty());
    EXPECT_TRUE(fs::exists(fits));
    EXPECT_EQ(e.presenter().FFileName, fits);
    const std::string before = pointer();
    EXPECT_NE(before.find(fits), std::string::npos);

    const QString refused = "'" + QString::fromStdString(beyond) + Q("' は長すぎます (2047 バイトまで)");
    e.Button4Click();
    rig.dialogs.files = {QString::fromStdString(beyond)};
    e.Button5Click();
    EXPECT_EQ(rig.dialogs.Texts("error"), std::vector<QString>(2, refused));
    EXPECT_FALSE(fs::exists(beyond));
    EXPECT_EQ(pointer(), before);
    EXPECT_EQ(e.presenter().FFileName, fits);
    EXPECT_EQ(bar.model().FCaptions[0], fits);
}

}  // namespace
}  // namespace tw
