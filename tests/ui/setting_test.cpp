// The editor's working copy, navigation, renaming, drops, folder tree, file
// list and filter.
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QStandardItemModel>
#include <QUrl>

#include <gtest/gtest.h>

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

const char kSample[] =
    "[GroupName]\n"
    "Section1=アプリ\n"
    "Section2=フォルダ\n"
    "Section3=Web\n"
    "[Group1]\n"
    "Item11=エディタ\n"
    "ItemValue11=/usr/bin/editor\n"
    "Item12=表計算\n"
    "ItemValue12=/opt/calc\n"
    "[Group2]\n"
    "Item21=ホーム\n"
    "ItemValue21=/home\n"
    "[Group3]\n"
    "Item31=検索\n"
    "ItemValue31=http://example.org/\n"
    "[Window]\n"
    "ShowBottom=1\n"
    "Strech=0\n"
    "SysInfo=1\n"
    "Color=65280\n"
    "Size=60\n"
    "Blend=90\n"
    "ShowJapanese=1\n";

void Touch(const fs::path& p) { std::ofstream(p) << "x"; }

TEST(Editor, ControlsCarryTheirNamesCaptionsAndLabels) {
    EditorRig r;
    TForm2& e = r.e();
    EXPECT_EQ(e.windowTitle(), Q("Tamblewick 設定"));
    EXPECT_EQ(e.size(), QSize(706, 495));
    EXPECT_EQ(e.Panel1->height(), 185);
    EXPECT_EQ(e.FileListBox1->width(), 304);
    EXPECT_EQ(e.Edit1->width(), 585);
    EXPECT_EQ(e.Edit2->width(), 45);

    const std::pair<QAbstractButton*, const char*> captions[] = {
        {e.CheckBox1, "デスクトップの下側に表示"}, {e.CheckBox2, "伸縮表示する"},
        {e.CheckBox3, "システム情報表示"}, {e.CheckBox4, "日本語表示"}, {e.Button3, "色"},
        {e.Button5, "参照"}, {e.Button6, "上書き保存"}, {e.Button4, "新規保存"},
        {e.Button1, "Cancel"}, {e.Button2, "OK"}};
    for (const auto& [button, caption] : captions) EXPECT_EQ(button->text(), Q(caption));
    EXPECT_EQ(e.Label1->text(), Q("拡張子フィルター： *."));
    EXPECT_EQ(e.Label2->text(), Q("サイズ："));
    EXPECT_EQ(e.Label3->text(), Q("設定ファイル："));
    EXPECT_EQ(e.Label4->text(), Q("半透明度"));
    EXPECT_EQ(e.GroupBox1->title(), Q("メニューグループ"));
    EXPECT_EQ(e.GroupBox2->title(), Q("メニュー項目"));
    EXPECT_EQ(e.GroupBox3->title(), Q("ターゲット"));
    EXPECT_EQ(e.Edit4->text(), Q("Edit4"));

    // Every input is named after its label; found by designer name.
    const std::pair<const char*, const char*> labelled[] = {
        {"ComboBox1", "メニューグループ"}, {"ComboBox2", "メニュー項目"}, {"Edit1", "ターゲット"},
        {"Edit3", "サイズ："}, {"Edit4", "設定ファイル："}, {"TrackBar1", "半透明度"},
        {"Edit5", "半透明度"}, {"Edit2", "拡張子フィルター： *."},
        {"ShellTreeView1", "フォルダー"}, {"FileListBox1", "ファイル"}};
    for (const auto& [name, label] : labelled) {
        auto* w = e.findChild<QWidget*>(QString::fromUtf8(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->accessibleName(), Q(label)) << name;
    }

    // Ranges of the spin controls and the slider.
    EXPECT_EQ(e.UpDown1->Min(), 3);
    EXPECT_EQ(e.UpDown1->Max(), 50);
    EXPECT_EQ(e.UpDown2->Min(), 30);
    EXPECT_EQ(e.UpDown2->Max(), 100);
    EXPECT_EQ(e.TrackBar1->minimum(), 30);
    EXPECT_EQ(e.TrackBar1->maximum(), 100);
    EXPECT_EQ(e.TrackBar1->tickInterval(), 1);
    EXPECT_EQ(e.TrackBar1->tickPosition(), QSlider::TicksBelow);
    EXPECT_FALSE(e.Button1->autoDefault() || e.Button2->autoDefault());
}

TEST(Editor, ShowingCopiesTheBarsModel) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();

    EXPECT_EQ(Items(e.ComboBox1), (QStringList{Q("アプリ"), Q("フォルダ"), "Web", "Group4", "Group5",
                                                "Group6", "Group7", "Group8", "Group9"}));
    EXPECT_EQ(e.ComboBox1->currentIndex(), 0);
    EXPECT_EQ(Items(e.ComboBox2), (QStringList{Q("エディタ"), Q("表計算"), "Item3", "Item4", "Item5",
                                                "Item6", "Item7", "Item8", "Item9"}));
    EXPECT_EQ(e.ComboBox2->currentIndex(), 0);
    EXPECT_EQ(e.Edit1->text(), "/usr/bin/editor");
    EXPECT_EQ(e.FGroupNames[2], Sjis("フォルダ"));
    EXPECT_EQ(e.FItemCaptions[3][1], Sjis("検索"));
    EXPECT_EQ(e.FItemTargets[2][1], "/home");
    EXPECT_EQ(e.FItemCaptions[9][9], "Item9");
    EXPECT_TRUE(e.CheckBox1->isChecked());
    EXPECT_FALSE(e.CheckBox2->isChecked());
    EXPECT_TRUE(e.CheckBox3->isChecked());
    EXPECT_TRUE(e.CheckBox4->isChecked());
    EXPECT_EQ(e.FFileName, r.Path("Sample.ini"));
    EXPECT_EQ(e.Edit4->text(), r.QPath("Sample.ini"));
    EXPECT_EQ(e.FWorkColor, 65280u);
    EXPECT_EQ(e.ColorDialogPreset(), 65280u);
    // The spin field shows the size within 3..50; the height is kept whole.
    EXPECT_EQ(e.Edit3->text(), "50");
    EXPECT_EQ(e.FWorkSize, 60);
    EXPECT_EQ(e.TrackBar1->value(), 90);
    EXPECT_EQ(e.Edit5->text(), "90");
    EXPECT_EQ(e.FCurGroup, 0);
    EXPECT_EQ(e.FCurItem, 0);

    // Showing an editor that is already shown keeps the working copy.
    Retype(e.ComboBox1, "Tools");
    e.ComboBox1Exit();
    Retype(e.Edit3, "7");
    r.bar->Setting1Click();
    EXPECT_EQ(e.FGroupNames[1], "Tools");
    EXPECT_EQ(e.FWorkSize, 7);

    // Cancel, then showing again: the bar's model, not the discarded edits,
    // and the fields lose whatever was typed into them.
    e.Button1Click();
    EXPECT_FALSE(e.isVisible());
    r.bar->Setting1Click();
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(e.FGroupNames[1], Sjis("アプリ"));
    EXPECT_EQ(e.ComboBox1->itemText(0), Q("アプリ"));
    EXPECT_EQ(e.Edit3->text(), "50");
    EXPECT_EQ(e.FWorkSize, 60);
    EXPECT_EQ(e.Edit5->text(), "90");
    EXPECT_EQ(e.TrackBar1->value(), 90);
    EXPECT_TRUE(r.rig.dialogs.shown.empty());
}

TEST(Editor, TransparencyIsReadBackFromTheBarsAlpha) {
    const std::pair<int, int> table[] = {{30, 76}, {50, 128}, {90, 230}, {100, 255}, {10, 26}};
    for (const auto& [blend, alpha] : table) {
        EditorRig r("[Window]\nBlend=" + std::to_string(blend) + "\n");
        ASSERT_EQ(r.bar->AlphaBlendValue(), alpha) << blend;
        r.e().show();
        const int shown = std::max(blend, 30);  // the controls start at 30
        EXPECT_EQ(r.e().TrackBar1->value(), shown) << blend;
        EXPECT_EQ(r.e().Edit5->text(), QString::number(shown)) << blend;
        EXPECT_EQ(r.e().UpDown2->Position(), shown) << blend;
    }
}

TEST(Editor, ChoosingGroupsAndItems) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();

    // Choosing from code runs no handler.
    e.ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(e.FCurGroup, 0);
    e.ComboBox1->setCurrentIndex(0);

    // The user steps to the next group.
    Key(e.ComboBox1, Qt::Key_Down);
    EXPECT_EQ(e.FCurGroup, 1);
    EXPECT_EQ(e.ComboBox2->itemText(0), Q("ホーム"));
    EXPECT_EQ(e.ComboBox2->currentIndex(), 0);
    EXPECT_EQ(e.Edit1->text(), "/home");

    // And to the second item, which has no target.
    Key(e.ComboBox2, Qt::Key_Down);
    EXPECT_EQ(e.FCurItem, 1);
    EXPECT_EQ(e.Edit1->text(), "");

    // Renames made in this showing appear when coming back to a group.
    Key(e.ComboBox1, Qt::Key_Up);
    EXPECT_EQ(e.FCurGroup, 0);
    EXPECT_EQ(e.FCurItem, 0);
    Key(e.ComboBox2, Qt::Key_Down);
    Retype(e.ComboBox2, Q("計算機"));
    e.ComboBox2Exit();
    Key(e.ComboBox1, Qt::Key_Down);
    Key(e.ComboBox1, Qt::Key_Up);
    EXPECT_EQ(e.ComboBox2->itemText(1), Q("計算機"));
    EXPECT_EQ(e.Edit1->text(), "/usr/bin/editor");

    // Typing leaves no entry chosen; the handler then does nothing.
    Type(e.ComboBox2, "x");
    EXPECT_EQ(e.ComboBox2->currentIndex(), -1);
    EXPECT_EQ(e.ComboBox2->currentText(), Q("エディタx"));
    EXPECT_EQ(e.FCurItem, 0);
}

TEST(Editor, RenamingGroups) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();

    // Enter renames and keeps the entry chosen.
    Retype(e.ComboBox1, Q("ツール"));
    EXPECT_EQ(e.ComboBox1->currentIndex(), -1);
    Key(e.ComboBox1, Qt::Key_Return, "\r");
    EXPECT_EQ(e.FGroupNames[1], Sjis("ツール"));
    EXPECT_EQ(e.ComboBox1->itemText(0), Q("ツール"));
    EXPECT_EQ(e.ComboBox1->currentIndex(), 0);
    EXPECT_EQ(e.ComboBox1->currentText(), Q("ツール"));

    // Leaving without typing changes nothing, and neither does opening the
    // drop-down list.
    FocusOut(e.ComboBox1);
    EXPECT_EQ(e.FGroupNames[1], Sjis("ツール"));
    Retype(e.ComboBox1, "Popup");
    FocusOut(e.ComboBox1, Qt::PopupFocusReason);
    EXPECT_EQ(e.FGroupNames[1], Sjis("ツール"));

    // A typed name that another group has is still a rename of this group,
    // and is never taken as a choice of that group, not even when another
    // window takes the focus for a while.
    Retype(e.ComboBox1, Q("フォルダ"));
    FocusOut(e.ComboBox1, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(e.FCurGroup, 0);
    EXPECT_EQ(e.ComboBox1->currentIndex(), -1);
    EXPECT_EQ(e.FGroupNames[1], Sjis("ツール"));
    FocusOut(e.ComboBox1);
    EXPECT_EQ(e.FCurGroup, 0);
    EXPECT_EQ(e.FGroupNames[1], Sjis("フォルダ"));
    EXPECT_EQ(e.ComboBox1->currentIndex(), 0);

    // Emptying the name of group 3 restores its default; its items stay.
    Key(e.ComboBox1, Qt::Key_Down);
    Key(e.ComboBox1, Qt::Key_Down);
    ASSERT_EQ(e.FCurGroup, 2);
    Retype(e.ComboBox1, "");
    FocusOut(e.ComboBox1, Qt::MouseFocusReason);
    EXPECT_EQ(e.FGroupNames[3], "Group3");
    EXPECT_EQ(e.ComboBox1->itemText(2), "Group3");
    EXPECT_EQ(e.FItemCaptions[3][1], Sjis("検索"));
    EXPECT_EQ(e.FItemTargets[3][1], "http://example.org/");

    // A name Shift-JIS cannot hold is refused and the entry comes back.
    Retype(e.ComboBox1, Q("絵文字😀"));
    e.ComboBox1Exit();
    EXPECT_EQ(e.FGroupNames[3], "Group3");
    EXPECT_EQ(e.ComboBox1->currentText(), "Group3");
    EXPECT_EQ(r.rig.dialogs.Texts("error"),
              (std::vector<QString>{Q("'絵文字😀' には Shift-JIS で書けない文字があります.")}));
}

TEST(Editor, RenamingAndEmptyingItems) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();

    Retype(e.ComboBox2, Q("メモ帳"));
    Key(e.ComboBox2, Qt::Key_Enter, "\r", Qt::ShiftModifier);
    EXPECT_EQ(e.FItemCaptions[1][1], Sjis("メモ帳"));
    EXPECT_EQ(e.FItemTargets[1][1], "/usr/bin/editor");
    EXPECT_EQ(e.ComboBox2->currentIndex(), 0);

    // Emptying item 2's name: default caption, and the target goes.
    Key(e.ComboBox2, Qt::Key_Down);
    ASSERT_EQ(e.Edit1->text(), "/opt/calc");
    Retype(e.ComboBox2, "");
    FocusOut(e.ComboBox2);
    EXPECT_EQ(e.FItemCaptions[1][2], "Item2");
    EXPECT_EQ(e.ComboBox2->itemText(1), "Item2");
    EXPECT_EQ(e.ComboBox2->currentIndex(), 1);
    EXPECT_EQ(e.FItemTargets[1][2], "");
    EXPECT_EQ(e.Edit1->text(), "");

    // Item 5 of group 2.
    Key(e.ComboBox1, Qt::Key_Down);
    for (int k = 0; k < 4; ++k) Key(e.ComboBox2, Qt::Key_Down);
    e.WMDropFiles({"/bin/true"});
    Retype(e.ComboBox2, "");
    e.ComboBox2Exit();
    EXPECT_EQ(e.FItemCaptions[2][5], "Item5");
    EXPECT_EQ(e.FItemTargets[2][5], "");
    EXPECT_TRUE(r.rig.dialogs.shown.empty());
}

TEST(Editor, TypedTargetIsStored) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();
    Retype(e.Edit1, "/usr/bin/vi");
    EXPECT_EQ(e.FItemTargets[1][1], "/usr/bin/vi");
    Type(e.Edit1, Q(" 表"));
    EXPECT_EQ(e.FItemTargets[1][1], Sjis("/usr/bin/vi 表"));

    // A character Shift-JIS cannot hold is refused with a message.
    Type(e.Edit1, Q("😀"));
    EXPECT_EQ(e.FItemTargets[1][1], Sjis("/usr/bin/vi 表"));
    EXPECT_EQ(e.Edit1->text(), Q("/usr/bin/vi 表"));
    EXPECT_EQ(r.rig.dialogs.Texts("error").size(), 1u);
}

// A program directory with a folder of files for the tree and the list.
struct Files {
    fs::path sub;
    explicit Files(const TestRig& rig) : sub(rig.dir / "sub") {
        fs::create_directory(sub);
        fs::create_directory(sub / "inner");
        for (const char* name : {"a.txt", "b.exe", "C.EXE", "noext", ".hidden", "d.exe.bak"})
            Touch(sub / name);
        // Neither a folder nor a file.
        mkfifo((sub / "pipe").c_str(), 0600);
        fs::create_symlink(sub / "gone", sub / "dangling");
    }
    QString Q() const { return QString::fromStdString(sub.string()); }
};

TEST(Editor, DropsFromTheFolderTreeAndTheFileList) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    Files files(r.rig);
    e.show();
    ASSERT_TRUE(e.ShellTreeView1->SelectPath(files.Q()));
    EXPECT_EQ(e.ShellTreeView1->SelectedPath(), files.Q());
    EXPECT_EQ(e.FileListBox1->Directory(), files.sub.string());

    EXPECT_TRUE(e.Edit1DragOver(e.ShellTreeView1));
    EXPECT_TRUE(e.Edit1DragOver(e.FileListBox1));
    EXPECT_FALSE(e.Edit1DragOver(e.Edit1));
    EXPECT_FALSE(e.Edit1DragOver(e.ComboBox1));
    EXPECT_FALSE(e.Edit1DragOver(nullptr));

    // A folder: the target is its path, the caption stays.
    e.Edit1DragDrop(e.ShellTreeView1);
    EXPECT_EQ(e.Edit1->text(), files.Q());
    EXPECT_EQ(e.FItemTargets[1][1], files.sub.string());
    EXPECT_EQ(e.FItemCaptions[1][1], Sjis("エディタ"));

    // A file: folder, separator and name; the caption is the file name.
    Key(e.ComboBox2, Qt::Key_Down);
    const int a = e.FileListBox1->Entries().indexOf("a.txt");
    ASSERT_GE(a, 0);
    e.FileListBox1->SelectEntry(a);
    e.Edit1DragDrop(e.FileListBox1);
    EXPECT_EQ(e.FItemTargets[1][2], files.sub.string() + "/a.txt");
    EXPECT_EQ(e.Edit1->text(), files.Q() + "/a.txt");
    EXPECT_EQ(e.FItemCaptions[1][2], "a.txt");
    EXPECT_EQ(e.ComboBox2->itemText(1), "a.txt");
    EXPECT_EQ(e.ComboBox2->currentIndex(), 1);
    EXPECT_TRUE(r.rig.dialogs.shown.empty());

    // Nothing selected in the list: the error, the field keeps the folder
    // with its separator, the working copy is unchanged.
    e.FileListBox1->clearSelection();
    e.Edit1DragDrop(e.FileListBox1);
    EXPECT_EQ(r.rig.dialogs.Texts("error"),
              (std::vector<QString>{Q("リストのインデックスが範囲を超えています (-1)")}));
    EXPECT_EQ(e.Edit1->text(), files.Q() + "/");
    EXPECT_EQ(e.FItemTargets[1][2], files.sub.string() + "/a.txt");
    EXPECT_EQ(e.FItemCaptions[1][2], "a.txt");

    // At the root the folder already ends with its separator.
    ASSERT_TRUE(e.ShellTreeView1->SelectPath("/"));
    EXPECT_EQ(e.ShellTreeView1->SelectedPath(), "/");
    e.FileListBox1->clearSelection();
    e.Edit1DragDrop(e.FileListBox1);
    EXPECT_EQ(e.Edit1->text(), "/");

    // Any other source is refused.
    e.Edit1DragDrop(e.ComboBox1);
    EXPECT_EQ(e.Edit1->text(), "/");
    EXPECT_EQ(e.FItemTargets[1][2], files.sub.string() + "/a.txt");
}

TEST(Editor, FilesDroppedFromOtherPrograms) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();
    Key(e.ComboBox1, Qt::Key_Down);
    Key(e.ComboBox1, Qt::Key_Down);
    ASSERT_EQ(e.FCurGroup, 2);

    // The last of several wins; caption and lists stay as they are.
    e.WMDropFiles({"/one", "/two/", Q("/三/four.txt")});
    EXPECT_EQ(e.FItemTargets[3][1], Sjis("/三/four.txt"));
    EXPECT_EQ(e.Edit1->text(), Q("/三/four.txt"));
    EXPECT_EQ(e.FItemCaptions[3][1], Sjis("検索"));
    EXPECT_EQ(e.ComboBox2->itemText(0), Q("検索"));

    // A long path is taken whole.
    const QString longPath = "/" + QString(300, 'p');
    e.WMDropFiles({longPath});
    EXPECT_EQ(e.FItemTargets[3][1].size(), 301u);

    // A path Shift-JIS cannot hold refuses the drop.
    e.WMDropFiles({"/ok", Q("/😀")});
    EXPECT_EQ(e.FItemTargets[3][1].size(), 301u);
    EXPECT_EQ(r.rig.dialogs.Texts("error").size(), 1u);

    // Real drops, on the window and on the target field: enter, then drop.
    const auto drop = [](QWidget* w, QMimeData* mime) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(w, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                           Qt::NoModifier);
        QCoreApplication::sendEvent(w, &dropped);
        // Files are never moved away from the program that offered them.
        return enter.isAccepted() && dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
    };
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/usr/share/a b.txt"), QUrl("http://example.org/x")});
    EXPECT_TRUE(drop(&e, &mime));
    EXPECT_EQ(e.FItemTargets[3][1], "/usr/share/a b.txt");
    mime.setUrls({QUrl::fromLocalFile("/etc/hosts")});
    EXPECT_TRUE(drop(e.Edit1, &mime));
    EXPECT_EQ(e.FItemTargets[3][1], "/etc/hosts");
    EXPECT_EQ(e.FItemCaptions[3][1], Sjis("検索"));

    // Plain text is taken neither by the field nor by the window.
    QMimeData text;
    text.setText("/not/taken");
    EXPECT_FALSE(drop(e.Edit1, &text));
    EXPECT_FALSE(drop(e.CheckBox1, &text));
    EXPECT_EQ(e.FItemTargets[3][1], "/etc/hosts");
    EXPECT_EQ(e.Edit1->text(), "/etc/hosts");
    // Files dropped on any other control reach the window.
    mime.setUrls({QUrl::fromLocalFile("/srv")});
    EXPECT_TRUE(drop(e.Edit2, &mime));
    EXPECT_EQ(e.FItemTargets[3][1], "/srv");
    EXPECT_EQ(e.Edit2->text(), "");
}

TEST(Editor, ExtensionFilter) {
    EditorRig r;
    TForm2& e = r.e();
    Files files(r.rig);
    e.show();
    ASSERT_TRUE(e.ShellTreeView1->SelectPath(files.Q()));
    const QStringList all{".hidden", "a.txt", "b.exe", "C.EXE", "d.exe.bak", "noext"};
    EXPECT_EQ(e.FileListBox1->Mask(), "*.*");
    EXPECT_EQ(e.FileListBox1->Entries(), all);  // no folders, hidden files and no-dot names in

    Type(e.Edit2, "exe");
    EXPECT_EQ(e.FileListBox1->Mask(), "*.exe");
    EXPECT_EQ(e.FileListBox1->Entries(), (QStringList{"b.exe", "C.EXE"}));
    Type(e.Edit2, "x");  // a fourth letter is refused
    EXPECT_EQ(e.Edit2->text(), "exe");
    Type(e.Edit2, ".");  // "." is let through
    EXPECT_EQ(e.Edit2->text(), "exe.");
    EXPECT_EQ(e.FileListBox1->Mask(), "*.*");
    EXPECT_EQ(e.FileListBox1->Entries(), all);
    Key(e.Edit2, Qt::Key_Backspace, "\b");
    EXPECT_EQ(e.FileListBox1->Mask(), "*.exe");
    Key(e.Edit2, Qt::Key_Backspace, "\b");
    EXPECT_EQ(e.Edit2->text(), "ex");
    EXPECT_EQ(e.FileListBox1->Mask(), "*.*");
    EXPECT_EQ(e.FileListBox1->Entries(), all);

    // One double-byte character already counts two of the three bytes.
    e.Edit2->clear();
    Type(e.Edit2, Q("表t"));
    EXPECT_EQ(e.FileListBox1->Mask(), Q("*.表t"));
    Type(e.Edit2, "u");
    EXPECT_EQ(e.Edit2->text(), Q("表t"));

    // The mask stays when another folder is chosen.
    e.Edit2->clear();
    Type(e.Edit2, "txt");
    ASSERT_TRUE(e.ShellTreeView1->SelectPath(QString::fromStdString(r.rig.dir.string())));
    EXPECT_EQ(e.FileListBox1->Mask(), "*.txt");
    EXPECT_TRUE(e.FileListBox1->Entries().isEmpty());
    ASSERT_TRUE(e.ShellTreeView1->SelectPath(files.Q()));
    EXPECT_EQ(e.FileListBox1->Entries(), QStringList{"a.txt"});
}

// Points HOME at a folder for the life of the object.
struct HomeAt {
    QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    explicit HomeAt(const fs::path& dir) {
        qputenv("HOME", QByteArray::fromStdString(dir.string()));
        qunsetenv("XDG_CONFIG_HOME");
    }
    ~HomeAt() {
        qputenv("HOME", home);
        if (hadConfig) qputenv("XDG_CONFIG_HOME", config);
    }
};

TEST(Editor, FolderTreeStartsAtTheDesktop) {
    TestRig home;
    fs::create_directory(home.dir / "Desktop");
    fs::create_directory(home.dir / "Desktop" / ".folder");
    Touch(home.dir / "Desktop" / "note.txt");
    const QString desktop = QString::fromStdString((home.dir / "Desktop").string());
    {
        HomeAt at(home.dir);
        EditorRig r;
        TForm2& e = r.e();
        QStandardItemModel* m = e.ShellTreeView1->FolderModel();
        ASSERT_EQ(m->rowCount(), 3);
        EXPECT_EQ(m->item(2)->text(), "/");
        e.show();
        EXPECT_EQ(e.ShellTreeView1->SelectedPath(), desktop);
        EXPECT_TRUE(e.ShellTreeView1->isExpanded(m->index(0, 0)));
        EXPECT_EQ(e.ShellTreeView1->ChildNames(desktop), QStringList{".folder"});
        EXPECT_EQ(e.FileListBox1->Entries(), QStringList{"note.txt"});

        // The tree's selection lasts from one showing to the next.
        ASSERT_TRUE(e.ShellTreeView1->SelectPath(QString::fromStdString(home.dir.string())));
        e.hide();
        e.show();
        EXPECT_EQ(e.ShellTreeView1->SelectedPath(), QString::fromStdString(home.dir.string()));
    }
    // Without a desktop folder the home folder stands in for it.
    fs::remove_all(home.dir / "Desktop");
    HomeAt at(home.dir);
    EditorRig r;
    r.e().show();
    EXPECT_EQ(r.e().ShellTreeView1->SelectedPath(), QString::fromStdString(home.dir.string()));
}

TEST(Editor, FolderTreeFollowsTheFileSystem) {
    EditorRig r;
    TForm2& e = r.e();
    Files files(r.rig);
    e.show();
    ASSERT_TRUE(e.ShellTreeView1->SelectPath(files.Q()));
    EXPECT_EQ(e.ShellTreeView1->ChildNames(files.Q()), QStringList{"inner"});

    const auto waitFor = [&](const QStringList& expected) {
        QElapsedTimer t;
        t.start();
        while (e.ShellTreeView1->ChildNames(files.Q()) != expected && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return e.ShellTreeView1->ChildNames(files.Q());
    };
    fs::create_directory(files.sub / "Added");
    EXPECT_EQ(waitFor({"Added", "inner"}), (QStringList{"Added", "inner"}));
    fs::remove(files.sub / "inner");
    EXPECT_EQ(waitFor({"Added"}), QStringList{"Added"});
    // A folder that had no subfolders gets one.
    fs::create_directory(files.sub / "Added" / "deeper");
    QElapsedTimer t;
    t.start();
    const QString added = files.Q() + "/Added";
    while (e.ShellTreeView1->ChildNames(added).isEmpty() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(e.ShellTreeView1->ChildNames(added), QStringList{"deeper"});
}

}  // namespace
}  // namespace tw
