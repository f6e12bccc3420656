// Saving and applying from the editor: OK, Cancel, overwrite save, new save,
// browse, colour, size and transparency, and failed saves.
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
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
    "[Group1]\n"
    "Item11=エディタ\n"
    "ItemValue11=/usr/bin/editor\n"
    "[Window]\n"
    "Color=255\n"
    "Size=20\n"
    "Blend=100\n";

// The value of `key` in a file's raw (Shift-JIS) text; "<absent>" when the
// key is not there.
std::string Value(const std::string& text, const std::string& key) {
    std::smatch m;
    if (std::regex_search(text, m, std::regex("(^|\n)" + key + "=([^\r\n]*)"))) return m[2];
    return "<absent>";
}

int KeyCount(const std::string& text) {
    int n = 0;
    for (std::size_t p = text.find('='); p != std::string::npos; p = text.find('=', p + 1)) ++n;
    return n;
}

// Both files of the program directory, byte for byte.
struct Snapshot {
    std::string pointer, sample;
    explicit Snapshot(const TestRig& rig)
        : pointer(rig.ReadFile("DataFile.ini")), sample(rig.ReadFile("Sample.ini")) {}
    bool operator==(const Snapshot&) const = default;
};

TEST(EditorSave, OkWritesTheWorkingCopyAndTheBarShowsIt) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();
    Retype(e.ComboBox1, Q("ツール"));
    // Pressing OK takes the focus from the list first.
    FocusOut(e.ComboBox1, Qt::MouseFocusReason);
    e.CheckBox2->setChecked(true);
    e.Button2Click();

    const std::string sample = r.rig.ReadFile("Sample.ini");
    EXPECT_EQ(Value(sample, "Section1"), Sjis("ツール"));
    EXPECT_EQ(Value(sample, "Item11"), Sjis("エディタ"));
    EXPECT_EQ(Value(sample, "ItemValue11"), "/usr/bin/editor");
    EXPECT_EQ(Value(sample, "Section2"), "Group2");
    EXPECT_EQ(Value(sample, "Item99"), "Item9");
    EXPECT_EQ(Value(sample, "ItemValue99"), "");
    EXPECT_EQ(Value(sample, "Strech"), "1");
    EXPECT_EQ(Value(sample, "Blend"), "100");
    EXPECT_EQ(KeyCount(sample), 178);
    EXPECT_EQ(Value(r.rig.ReadFile("DataFile.ini"), "File"), r.Path("Sample.ini"));

    // The bar reloaded: the new name is its first menu.
    EXPECT_EQ(r.bar->FCaptions[1], Sjis("ツール"));
    EXPECT_EQ(r.bar->Groups[1]->title(), Q("ツール"));
    EXPECT_TRUE(r.bar->Groups[1]->menuAction()->isVisible());
    EXPECT_TRUE(r.bar->FStrech);
    EXPECT_FALSE(e.isVisible());
    EXPECT_TRUE(r.rig.dialogs.shown.empty());
}

TEST(EditorSave, OverwriteSaveThenCancel) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();
    Retype(e.ComboBox1, "Saved");
    e.ComboBox1Exit();
    e.Button6Click();
    EXPECT_EQ(r.rig.dialogs.Texts("info"), std::vector<QString>{Q("保存しました")});
    EXPECT_EQ(Value(r.rig.ReadFile("Sample.ini"), "Section1"), "Saved");
    EXPECT_TRUE(e.isVisible());
    // The bar was not reloaded.
    EXPECT_EQ(r.bar->FCaptions[1], Sjis("アプリ"));
    EXPECT_EQ(r.bar->Groups[1]->title(), Q("アプリ"));

    e.Button1Click();
    EXPECT_FALSE(e.isVisible());
    // Reopening copies the bar, not the file, so OK writes the older name back.
    r.bar->Setting1Click();
    EXPECT_EQ(e.ComboBox1->itemText(0), Q("アプリ"));
    e.Button2Click();
    EXPECT_EQ(Value(r.rig.ReadFile("Sample.ini"), "Section1"), Sjis("アプリ"));
}

TEST(EditorSave, NewSave) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();
    Retype(e.ComboBox1, "New");
    e.ComboBox1Exit();

    // Cancelled: nothing happens.
    e.Button4Click();
    EXPECT_EQ(r.rig.dialogs.lastCaption, Q("設定保存"));
    EXPECT_EQ(r.rig.dialogs.lastPrompt, Q("ファイル名を記入してください（拡張子不要）"));
    EXPECT_EQ(r.rig.dialogs.Texts("input"), std::vector<QString>{QString()});
    EXPECT_TRUE(r.rig.dialogs.Texts("info").empty());

    r.rig.dialogs.inputs.push_back(QString("x"));
    e.Button4Click();
    const std::string x = r.Path("x.ini");
    const std::string written = r.rig.ReadFile("x.ini");
    EXPECT_EQ(KeyCount(written), 178);
    EXPECT_EQ(Value(written, "Section1"), "New");
    EXPECT_EQ(Value(written, "ShowJapanese"), "0");
    EXPECT_EQ(Value(r.rig.ReadFile("DataFile.ini"), "File"), x);
    EXPECT_EQ(e.FFileName, x);
    EXPECT_EQ(e.Edit4->text(), QString::fromStdString(x));
    EXPECT_EQ(r.bar->FCaptions[0], x);
    EXPECT_EQ(r.rig.dialogs.Texts("info"), std::vector<QString>{Q("保存しました")});
    // The bar shows what it loaded before.
    EXPECT_EQ(r.bar->Groups[1]->title(), Q("アプリ"));
    EXPECT_EQ(Value(r.rig.ReadFile("Sample.ini"), "Section1"), Sjis("アプリ"));

    // The name is taken as typed: ".ini" is always appended.
    r.rig.dialogs.inputs.push_back(QString("x.ini"));
    e.Button4Click();
    EXPECT_TRUE(fs::exists(r.rig.dir / "x.ini.ini"));
    EXPECT_EQ(e.FFileName, r.Path("x.ini.ini"));

    // An existing name: only the notice.
    Retype(e.ComboBox1, "Other");
    e.ComboBox1Exit();
    r.rig.dialogs.shown.clear();
    const Snapshot before(r.rig);
    r.rig.dialogs.inputs.push_back(QString("x"));
    e.Button4Click();
    EXPECT_EQ(r.rig.dialogs.Texts("info"), std::vector<QString>{Q("同じ名前のファイルがすでに存在します")});
    EXPECT_EQ(r.rig.ReadFile("x.ini"), written);
    EXPECT_TRUE(Snapshot(r.rig) == before);
    EXPECT_EQ(e.FFileName, r.Path("x.ini.ini"));

    // An empty name gives ".ini".
    r.rig.dialogs.inputs.push_back(QString());
    e.Button4Click();
    EXPECT_TRUE(fs::exists(r.rig.dir / ".ini"));
}

TEST(EditorSave, BrowseToAFileThatDoesNotExist) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();
    Retype(e.ComboBox1, "Lost");
    e.ComboBox1Exit();

    e.Button5Click();  // cancelled
    EXPECT_EQ(r.rig.dialogs.lastFilter, Q("設定ファイル(*.ini)|*.ini"));
    EXPECT_EQ(r.rig.dialogs.lastInitialDir, QString::fromStdString(r.rig.AppDir()));
    EXPECT_EQ(e.FGroupNames[1], "Lost");

    const std::string chosen = r.Path("none.ini");
    r.rig.dialogs.files.push_back(QString::fromStdString(chosen));
    e.Button5Click();
    EXPECT_EQ(Value(r.rig.ReadFile("DataFile.ini"), "File"), chosen);
    EXPECT_FALSE(fs::exists(r.rig.dir / "none.ini"));
    EXPECT_EQ(r.bar->FCaptions[0], chosen);
    EXPECT_EQ(r.bar->FCaptions[1], "Group1");
    EXPECT_FALSE(r.bar->Groups[1]->menuAction()->isVisible());
    // The editor reloaded from the bar: the edit is gone.
    EXPECT_EQ(e.FFileName, chosen);
    EXPECT_EQ(e.Edit4->text(), QString::fromStdString(chosen));
    EXPECT_EQ(e.FGroupNames[1], "Group1");
    EXPECT_EQ(e.ComboBox1->itemText(0), "Group1");
    EXPECT_EQ(e.Edit1->text(), "");
    EXPECT_TRUE(e.isVisible());

    // The next save creates it.
    e.Button6Click();
    EXPECT_EQ(KeyCount(r.rig.ReadFile("none.ini")), 178);
}

TEST(EditorSave, ColourChoice) {
    EditorRig r("[Window]\nColor=1193046\n");  // 0x123456
    TForm2& e = r.e();
    e.show();
    e.Button3Click();  // cancelled
    EXPECT_EQ(r.rig.dialogs.lastColorPreset, QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(e.FWorkColor, 0x123456u);

    r.rig.dialogs.colors.push_back(QColor(1, 2, 3));
    e.Button3Click();
    EXPECT_EQ(e.FWorkColor, 0x030201u);
    e.Button3Click();
    EXPECT_EQ(r.rig.dialogs.lastColorPreset, QColor(1, 2, 3));
    e.Button6Click();
    EXPECT_EQ(Value(r.rig.ReadFile("Sample.ini"), "Color"), std::to_string(0x030201));

    // A new showing starts again from the bar's colour.
    e.hide();
    e.show();
    e.Button3Click();
    EXPECT_EQ(r.rig.dialogs.lastColorPreset, QColor(0x56, 0x34, 0x12));
}

TEST(EditorSave, SizeField) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();
    Retype(e.Edit3, "60");
    EXPECT_EQ(e.FWorkSize, 60);
    e.Button6Click();
    EXPECT_EQ(Value(r.rig.ReadFile("Sample.ini"), "Size"), "60");

    // Emptying the field: one error, the size stays; then a number is taken.
    r.rig.dialogs.shown.clear();
    Retype(e.Edit3, "");
    EXPECT_EQ(r.rig.dialogs.Texts("error"), std::vector<QString>{Q("'' は整数ではありません.")});
    EXPECT_EQ(e.FWorkSize, 60);
    Type(e.Edit3, "0");
    EXPECT_EQ(e.FWorkSize, 0);
    EXPECT_EQ(r.rig.dialogs.Texts("error").size(), 1u);
    e.Button6Click();
    EXPECT_EQ(Value(r.rig.ReadFile("Sample.ini"), "Size"), "0");
    Retype(e.Edit3, "$20");
    EXPECT_EQ(e.FWorkSize, 32);

    // The spin buttons step by one within 3..50 without wrapping.
    Retype(e.Edit3, "49");
    e.UpDown1->UpButton()->click();
    EXPECT_EQ(e.Edit3->text(), "50");
    e.UpDown1->UpButton()->click();
    EXPECT_EQ(e.Edit3->text(), "50");
    EXPECT_EQ(e.FWorkSize, 50);
    Retype(e.Edit3, "3");
    e.UpDown1->DownButton()->click();
    EXPECT_EQ(e.Edit3->text(), "3");
    Key(e.Edit3, Qt::Key_Up);
    EXPECT_EQ(e.Edit3->text(), "4");
    EXPECT_EQ(e.FWorkSize, 4);
}

TEST(EditorSave, TransparencySliderAndField) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    e.show();
    ASSERT_EQ(e.TrackBar1->value(), 100);

    // Beyond the end where the slider already stands: the typed number stays
    // and is what is saved.
    Type(e.Edit5, "0");
    EXPECT_EQ(e.Edit5->text(), "1000");
    EXPECT_EQ(e.TrackBar1->value(), 100);
    e.Button6Click();
    EXPECT_EQ(Value(r.rig.ReadFile("Sample.ini"), "Blend"), "1000");

    // Showing again puts the field back in step, though the slider stood at
    // the same position.
    e.hide();
    e.show();
    EXPECT_EQ(e.Edit5->text(), "100");

    // Dragging the slider shows its value in the field.
    e.TrackBar1->setValue(50);
    EXPECT_EQ(e.Edit5->text(), "50");
    EXPECT_EQ(e.UpDown2->Position(), 50);
    // A number below the range moves the slider to its end and the field
    // follows.
    Retype(e.Edit5, "5");
    EXPECT_EQ(e.TrackBar1->value(), 30);
    EXPECT_EQ(e.Edit5->text(), "30");
    // Typing within the range moves the slider.
    Retype(e.Edit5, "75");
    EXPECT_EQ(e.TrackBar1->value(), 75);
    EXPECT_EQ(e.Edit5->text(), "75");
    e.UpDown2->UpButton()->click();
    EXPECT_EQ(e.TrackBar1->value(), 76);
    EXPECT_TRUE(r.rig.dialogs.shown.size() == 1u);  // the notice of the save

    // Emptying the field: the error, the slider keeps its place.
    Retype(e.Edit5, "");
    EXPECT_EQ(r.rig.dialogs.Texts("error"), std::vector<QString>{Q("'' は整数ではありません.")});
    EXPECT_EQ(e.TrackBar1->value(), 76);
}

TEST(EditorSave, FailedSavesChangeNothing) {
    EditorRig r(kSample);
    TForm2& e = r.e();
    r.rig.WriteFile("DataFile.ini", "[Data]\nFile=" + r.Path("Sample.ini") + "\n");
    r.bar->LoadSettings();
    e.show();
    Retype(e.ComboBox1, "Changed");
    e.ComboBox1Exit();
    const Snapshot before(r.rig);

    // A transparency that is not a number: nothing is written at all.
    e.Edit5->setText("abc");
    r.rig.dialogs.shown.clear();
    e.Button2Click();
    EXPECT_EQ(r.rig.dialogs.Texts("error"), std::vector<QString>{Q("'abc' は整数ではありません.")});
    EXPECT_TRUE(Snapshot(r.rig) == before);
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(r.bar->Groups[1]->title(), Q("アプリ"));
    r.rig.dialogs.shown.clear();
    e.Button6Click();
    EXPECT_TRUE(r.rig.dialogs.Texts("info").empty());
    EXPECT_TRUE(Snapshot(r.rig) == before);

    // New save with the same fault: no file, and the editor keeps its name.
    r.rig.dialogs.shown.clear();
    r.rig.dialogs.inputs.push_back(QString("fresh"));
    e.Button4Click();
    EXPECT_FALSE(fs::exists(r.rig.dir / "fresh.ini"));
    EXPECT_EQ(e.FFileName, r.Path("Sample.ini"));
    EXPECT_EQ(e.Edit4->text(), r.QPath("Sample.ini"));
    EXPECT_EQ(r.bar->FCaptions[0], r.Path("Sample.ini"));
    EXPECT_EQ(r.rig.dialogs.Texts("error").size(), 1u);
    EXPECT_TRUE(Snapshot(r.rig) == before);
    e.Edit5->setText("100");

    // A read-only settings file.
    ASSERT_EQ(chmod((r.rig.dir / "Sample.ini").c_str(), 0444), 0);
    r.rig.dialogs.shown.clear();
    e.Button2Click();
    EXPECT_EQ(r.rig.dialogs.Texts("error"),
              std::vector<QString>{r.QPath("Sample.ini") + Q(" に書き込めません.")});
    EXPECT_TRUE(Snapshot(r.rig) == before);
    EXPECT_TRUE(e.isVisible());
    ASSERT_EQ(chmod((r.rig.dir / "Sample.ini").c_str(), 0644), 0);

    // A read-only pointer file: the settings file is not touched either.
    ASSERT_EQ(chmod((r.rig.dir / "DataFile.ini").c_str(), 0444), 0);
    r.rig.dialogs.shown.clear();
    e.Button6Click();
    EXPECT_EQ(r.rig.dialogs.Texts("error"),
              std::vector<QString>{r.QPath("DataFile.ini") + Q(" に書き込めません.")});
    EXPECT_TRUE(Snapshot(r.rig) == before);
    r.rig.dialogs.shown.clear();
    r.rig.dialogs.inputs.push_back(QString("fresh"));
    e.Button4Click();
    EXPECT_FALSE(fs::exists(r.rig.dir / "fresh.ini"));
    EXPECT_EQ(e.FFileName, r.Path("Sample.ini"));
    EXPECT_EQ(e.Edit4->text(), r.QPath("Sample.ini"));
    EXPECT_EQ(r.bar->FCaptions[0], r.Path("Sample.ini"));
    EXPECT_TRUE(r.rig.dialogs.Texts("info").empty());
    // Browse cannot point the pointer file elsewhere either.
    r.rig.dialogs.files.push_back(r.QPath("other.ini"));
    e.Button5Click();
    EXPECT_EQ(r.bar->FCaptions[0], r.Path("Sample.ini"));
    EXPECT_EQ(e.FFileName, r.Path("Sample.ini"));
    EXPECT_EQ(e.FGroupNames[1], "Changed");
    EXPECT_TRUE(Snapshot(r.rig) == before);
    ASSERT_EQ(chmod((r.rig.dir / "DataFile.ini").c_str(), 0644), 0);

    // A name Shift-JIS cannot hold.
    r.rig.dialogs.shown.clear();
    r.rig.dialogs.inputs.push_back(Q("😀"));
    e.Button4Click();
    EXPECT_EQ(r.rig.dialogs.Texts("error"),
              std::vector<QString>{Q("'😀' には Shift-JIS で書けない文字があります.")});
    EXPECT_TRUE(Snapshot(r.rig) == before);
    EXPECT_EQ(fs::directory_entry(r.rig.dir).exists(), true);
    EXPECT_EQ(std::distance(fs::directory_iterator(r.rig.dir), fs::directory_iterator()), 2);

    // Once the fault is gone the save goes through.
    e.Button2Click();
    EXPECT_EQ(Value(r.rig.ReadFile("Sample.ini"), "Section1"), "Changed");
    EXPECT_FALSE(e.isVisible());
}

}  // namespace
}  // namespace tw
