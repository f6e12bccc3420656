// The settings editor's binding: each view call reaches its control, and
// each key, focus change, drop and click reaches its handler.
#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "core/text.h"
#include "setting_rig.h"
#include "ui/SettingWidgets.h"

namespace tw {
namespace {

using namespace test;
namespace fs = std::filesystem;
using Editor = EditorTest;

TEST_F(Editor, OnlyBecomingVisibleCopiesTheBarsModel) {
    EXPECT_EQ(e.ComboBox1->itemText(1) + e.ComboBox1->itemText(8), Q("フォルダGroup9"));
    EXPECT_EQ(e.ComboBox2->itemText(1) + e.ComboBox2->itemText(2), Q("表計算Item3"));
    EXPECT_EQ(e.Edit1->text(), "/usr/bin/editor");
    EXPECT_TRUE(e.CheckBox1->isChecked() && !e.CheckBox2->isChecked() && e.CheckBox3->isChecked());
    EXPECT_EQ(e.Edit4->text(), QPath("Sample.ini"));
    EXPECT_EQ(e.presenter().FWorkColor, 65280u);
    EXPECT_EQ(e.Edit3->text(), "50");  // the field stays within 3..50,
    EXPECT_EQ(e.presenter().FWorkSize, 60);        // the height does not

    Rename(e.ComboBox1, "Tools");
    Retype(e.Edit3, "7");
    bar->Setting1Click();  // already shown: the edits stay
    EXPECT_EQ(e.presenter().FGroupNames[1], "Tools");
    EXPECT_EQ(e.presenter().FWorkSize, 7);
    e.Button1Click();
    EXPECT_FALSE(e.isVisible());
    bar->Setting1Click();  // hidden, then shown: the bar's model again
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(e.presenter().FGroupNames[1], Sjis("アプリ"));
    EXPECT_EQ(e.Edit3->text(), "50");
    EXPECT_EQ(e.presenter().FWorkSize, 60);
}

TEST_F(Editor, TheTransparencySliderAndItsFieldFollowEachOtherWithinTheirRange) {
    for (const auto& [blend, shown] : {std::pair(50, 50), std::pair(10, 30)}) {
        EditorRig r("[Window]\nBlend=" + std::to_string(blend) + "\n");
        EXPECT_EQ(r.editor->TrackBar1->value(), shown) << blend;
        EXPECT_EQ(r.editor->Edit5->text(), QString::number(shown)) << blend;
    }
    // Beyond the end where the slider already stands: the typed number stays.
    ASSERT_EQ(e.TrackBar1->value(), 100);
    Type(e.Edit5, "0");
    EXPECT_EQ(e.Edit5->text(), "1000");
    EXPECT_EQ(e.TrackBar1->value(), 100);
    // The slider at 50, 5 typed: the slider goes to its end, the field follows.
    e.TrackBar1->setValue(50);
    EXPECT_EQ(e.Edit5->text(), "50");
    Retype(e.Edit5, "5");
    EXPECT_EQ(e.TrackBar1->value(), 30);
    EXPECT_EQ(e.Edit5->text(), "30");
    Retype(e.Edit3, "25");
    EXPECT_EQ(e.presenter().FWorkSize, 25);
}

TEST_F(Editor, ChoosingGroupsAndItems) {
    Key(e.ComboBox1, Qt::Key_Down);
    EXPECT_EQ(e.presenter().FCurGroup, 1);
    EXPECT_EQ(e.ComboBox2->itemText(0), Q("ホーム"));
    EXPECT_EQ(e.Edit1->text(), "/home");
    Key(e.ComboBox2, Qt::Key_Down);
    EXPECT_EQ(e.presenter().FCurItem, 1);
    EXPECT_EQ(e.Edit1->text(), "");
    Key(e.ComboBox1, Qt::Key_Up);
    EXPECT_EQ(e.presenter().FCurGroup, 0);
    EXPECT_EQ(e.Edit1->text(), "/usr/bin/editor");
}

TEST_F(Editor, EnterAndLeavingTheListRenameButOpeningItOrAnotherWindowDoesNot) {
    Retype(e.ComboBox1, Q("ツール"));
    Key(e.ComboBox1, Qt::Key_Return, "\r");
    EXPECT_EQ(e.presenter().FGroupNames[1], Sjis("ツール"));
    EXPECT_EQ(e.ComboBox1->itemText(0), Q("ツール"));
    EXPECT_EQ(e.ComboBox1->currentIndex(), 0);
    // Opening the drop-down list or another window taking the focus is no
    // rename; a name another group has renames this one, it chooses nothing.
    Retype(e.ComboBox1, Q("フォルダ"));
    FocusOut(e.ComboBox1, Qt::PopupFocusReason);
    FocusOut(e.ComboBox1, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(e.presenter().FGroupNames[1], Sjis("ツール"));
    FocusOut(e.ComboBox1);
    EXPECT_EQ(e.presenter().FCurGroup, 0);
    EXPECT_EQ(e.presenter().FGroupNames[1], Sjis("フォルダ"));
    // Items: the keypad's Enter with Shift renames too.
    Retype(e.ComboBox2, Q("メモ帳"));
    Key(e.ComboBox2, Qt::Key_Enter, "\r", 1, Qt::ShiftModifier);
    EXPECT_EQ(e.presenter().FItemCaptions[1][1], Sjis("メモ帳"));
    Retype(e.ComboBox2, Q("計算"));
    FocusOut(e.ComboBox2);
    EXPECT_EQ(e.ComboBox2->itemText(0), Q("計算"));
    EXPECT_TRUE(Errors().empty());
}

// Drag enter and drop of `mime` on `w`; whether both were taken as a copy.
bool Drop(QWidget* w, const QMimeData& mime) {
    const auto actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 5), actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &enter);
    QDropEvent dropped(QPointF(5, 5), actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &dropped);
    return enter.isAccepted() && dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
}

TEST_F(Editor, TypedAndDesktopDroppedTargets) {
    const std::string vi = Sjis("/usr/bin/vi 表");
    Retype(e.Edit1, Q("/usr/bin/vi 表"));
    Type(e.Edit1, Q("😀"));  // refused
    EXPECT_EQ(e.Edit1->text(), Q("/usr/bin/vi 表"));
    EXPECT_EQ(e.presenter().FItemTargets[1][1], vi);

    Key(e.ComboBox1, Qt::Key_Down, {}, 2);
    // Real drops: local files on the window or any control, plain text not.
    QMimeData text, files;
    text.setText("/not/taken");
    EXPECT_FALSE(Drop(e.Edit1, text));
    files.setUrls({QUrl::fromLocalFile("/usr/a b"), QUrl("http://example.org/x")});
    EXPECT_TRUE(Drop(e.Edit2, files));
    EXPECT_EQ(e.presenter().FItemTargets[3][1], "/usr/a b");
    EXPECT_EQ(e.Edit2->text(), "");
}

// A folder for the tree and the list: files, a subfolder, a pipe and a
// dangling link, the last three never listed.
struct Files {
    fs::path sub;
    explicit Files(const TestRig& rig) : sub(rig.dir / "sub") {
        fs::create_directories(sub / "inner");
        for (const char* name : {"a.txt", "b.exe", "C.EXE", "noext", ".hidden", "d.exe.bak"})
            std::ofstream(sub / name) << "x";
        mkfifo((sub / "pipe").c_str(), 0600);
        fs::create_symlink(sub / "gone", sub / "dangling");
    }
    QString Q() const { return QString::fromStdString(sub.string()); }
};

TEST_F(Editor, DropsFromTheFolderTreeAndTheFileList) {
    Files files(rig);
    ASSERT_TRUE(e.ShellTreeView1->SelectPath(files.Q()));
    const std::pair<QObject*, bool> sources[] = {{e.ShellTreeView1, true}, {e.FileListBox1, true},
                                                 {e.Edit1, false}, {nullptr, false}};
    for (const auto& [source, taken] : sources) EXPECT_EQ(e.Edit1DragOver(source), taken);

    e.Edit1DragDrop(e.ShellTreeView1);  // a folder: its path, the caption stays
    EXPECT_EQ(e.presenter().FItemTargets[1][1], files.sub.string());
    EXPECT_EQ(e.presenter().FItemCaptions[1][1], Sjis("エディタ"));
    // A file: folder, separator and name; the caption is the file name.
    Key(e.ComboBox2, Qt::Key_Down);
    e.FileListBox1->SelectEntry(e.FileListBox1->Entries().indexOf("a.txt"));
    e.Edit1DragDrop(e.FileListBox1);
    const std::string a = files.sub.string() + "/a.txt";
    EXPECT_EQ(e.presenter().FItemTargets[1][2], a);
    EXPECT_EQ(e.ComboBox2->itemText(1), "a.txt");

    e.Edit1DragDrop(e.ComboBox1);  // any other source is refused
    EXPECT_EQ(e.presenter().FItemTargets[1][2], a);
}

TEST_F(Editor, ExtensionFilter) {
    Files files(rig);
    ASSERT_TRUE(e.ShellTreeView1->SelectPath(files.Q()));
    // At most three Shift-JIS bytes, "." aside; only three bytes filter,
    // ignoring case.
    const char *all = ".hidden a.txt b.exe C.EXE d.exe.bak noext", *exe = "b.exe C.EXE";
    const struct { const char *keys, *text, *mask, *shown; } steps[] = {
        {"", "", "*.*", all},         {"exe", "exe", "*.exe", exe}, {"x", "exe", "*.exe", exe},
        {".", "exe.", "*.*", all},    {"\b", "exe", "*.exe", exe},  {"\b", "ex", "*.*", all},
        {"\b\b表t", "表t", "*.表t", ""}, {"u", "表t", "*.表t", ""}};
    for (const auto& s : steps) {
        for (QChar c : Q(s.keys))
            c == '\b' ? Key(e.Edit2, Qt::Key_Backspace, "\b") : Type(e.Edit2, QString(c));
        EXPECT_EQ(e.Edit2->text(), Q(s.text)) << s.keys;
        EXPECT_EQ(e.FileListBox1->Mask(), Q(s.mask)) << s.keys;
        EXPECT_EQ(e.FileListBox1->Entries().join(' '), Q(s.shown)) << s.keys;
    }
    // The mask stays when another folder is chosen.
    ASSERT_TRUE(e.ShellTreeView1->SelectPath(QString::fromStdString(rig.dir.string())));
    EXPECT_EQ(e.FileListBox1->Mask(), Q("*.表t"));
    EXPECT_TRUE(e.FileListBox1->Entries().isEmpty());
}

TEST_F(Editor, EveryButtonAndCheckBoxReachesItsHandler) {
    const auto value = [&](const char* key) {
        return rig.profile.Read(Path("Sample.ini"), "Window", key, "<absent>");
    };
    e.CheckBox2->setChecked(true);
    e.CheckBox4->setChecked(true);
    e.Button6->click();
    EXPECT_EQ(rig.dialogs.Texts("info"), std::vector<std::string>{"保存しました"});
    EXPECT_EQ(value("Strech") + value("ShowJapanese") + value("ShowBottom"), "111");
    rig.dialogs.colors = {0x030201u};
    e.Button3->click();
    EXPECT_EQ(rig.dialogs.lastPreset, 65280u);
    EXPECT_EQ(e.presenter().FWorkColor, 0x030201u);
    e.Button4->click();  // cancelled
    EXPECT_EQ(rig.dialogs.lastPrompt, "ファイル名を記入してください（拡張子不要）");
    e.Button5->click();  // cancelled
    EXPECT_EQ(rig.dialogs.lastFilter, "設定ファイル(*.ini)|*.ini");
    for (const auto& s : rig.dialogs.shown) EXPECT_EQ(s.owner, static_cast<const QWidget*>(&e));
    e.Button1->click();
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(value("Color"), "65280");  // Cancel saves nothing
    bar->Setting1Click();
    e.CheckBox1->setChecked(false);
    e.Button2->click();
    EXPECT_FALSE(e.isVisible());
    EXPECT_FALSE(bar->model().FShowBottom);
}

TEST_F(Editor, SpinButtonsStepByOneFromTheTypedNumberWithinTheirRange) {
    const struct {
        TUpDown* spin;
        QLineEdit* field;
        const char* typed;
        int steps;  // up when positive; by key and by button alternately
        const char* shown;
    } cases[] = {
        {e.UpDown1, e.Edit3, "20", 1, "21"}, {e.UpDown1, e.Edit3, "7", -2, "5"},
        {e.UpDown1, e.Edit3, "50", 1, "50"}, {e.UpDown1, e.Edit3, "999", -1, "49"},
        {e.UpDown1, e.Edit3, "0", 2, "5"},   {e.UpDown2, e.Edit5, "100", 2, "100"},
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

}  // namespace
}  // namespace tw
