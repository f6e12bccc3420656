#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "fakes.h"
#include "ui/Ranch.h"
#include "ui/SettinFiles.h"

namespace tw {
namespace {

using test::TestRig;

// The chooser with its pop-up menu replaced by a recorder.
class Chooser : public TForm3 {
public:
    using TForm3::TForm3;
    std::vector<QPoint> popups;

protected:
    void PopupMenu1Popup(const QPoint& p) override { popups.push_back(p); }
};

// A program directory, the bar and the chooser wired as the program does.
struct ChooserRig {
    TestRig rig;
    std::optional<TForm1> bar;
    std::optional<Chooser> form3;

    void Start() {
        bar.emplace(rig.MakePlatform());
        form3.emplace(*bar, rig.MakePlatform());
        bar->SetForms(nullptr, &*form3);
    }
    std::vector<std::string> Listed() const {
        std::vector<std::string> out;
        for (const std::string& n : form3->FileNames()) out.push_back(SjisToUtf8(n));
        return out;
    }
    void Select(const std::string& utf8) {
        const auto found = form3->ListBox1->findItems(QString::fromStdString(utf8), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << utf8;
        form3->ListBox1->setCurrentItem(found.front());
    }
    std::filesystem::path Path(const std::string& utf8) const { return rig.dir / utf8; }
};

std::string Settings(const std::string& group1) {
    return "[GroupName]\nSection1=" + group1 + "\n";
}

TEST(SettinFiles, ListsEveryIniEntryWithAnAttributeButThePointerFile) {
    ChooserRig c;
    c.rig.WriteFile("DataFile.ini", "[Data]\nFile=x\n");
    c.rig.WriteFile("datafile.ini", "");
    c.rig.WriteFile("Zeta.ini", "");
    c.rig.WriteFile("alpha.INI", "");
    c.rig.WriteFile("Beta.ini", "");
    c.rig.WriteFile(".hidden.ini", "");
    c.rig.WriteFile("locked.ini", "");
    chmod(c.Path("locked.ini").c_str(), 0444);
    c.rig.WriteFile("readme.txt", "");
    std::filesystem::create_directory(c.Path("folder.ini"));
    ASSERT_EQ(mkfifo(c.Path("pipe.ini").c_str(), 0644), 0);
    c.Start();

    c.form3->ShowFileList();
    EXPECT_TRUE(c.form3->isVisible());
    EXPECT_EQ(c.Listed(), (std::vector<std::string>{".hidden.ini", "alpha.INI", "Beta.ini",
                                                    "datafile.ini", "folder.ini", "locked.ini",
                                                    "Zeta.ini"}));
    EXPECT_EQ(c.form3->ListBox1->item(1)->text(), QStringLiteral("alpha.INI"));
    EXPECT_TRUE(c.form3->ListBox1->selectedItems().isEmpty());

    // The bar's command refills an open chooser, and clears its selection.
    c.Select("Beta.ini");
    c.rig.WriteFile("日本語.ini", "");
    std::filesystem::remove(c.Path("Zeta.ini"));
    c.bar->SettingFiles1Click();
    EXPECT_EQ(c.Listed(), (std::vector<std::string>{".hidden.ini", "alpha.INI", "Beta.ini",
                                                    "datafile.ini", "folder.ini", "locked.ini",
                                                    "日本語.ini"}));
    EXPECT_TRUE(c.form3->ListBox1->selectedItems().isEmpty());
    EXPECT_TRUE(c.form3->isVisible());
}

TEST(SettinFiles, AnEmptyDirectoryStillShowsTheChooserAndOkAsksForAName) {
    ChooserRig c;
    c.rig.WriteFile("DataFile.ini", "[Data]\nFile=x\n");
    c.Start();
    const std::string before = c.rig.ReadFile("DataFile.ini");

    c.bar->SettingFiles1Click();
    EXPECT_TRUE(c.form3->isVisible());
    EXPECT_EQ(c.form3->ListBox1->count(), 0);

    c.form3->Button1Click();
    EXPECT_EQ(c.rig.dialogs.Texts("info"),
              (std::vector<QString>{QStringLiteral("ファイル名が選択されていません")}));
    EXPECT_TRUE(c.form3->isVisible());
    EXPECT_EQ(c.rig.ReadFile("DataFile.ini"), before);

    // 削除 without a selection asks nothing; Cancel hides.
    c.form3->Delete1Click();
    EXPECT_TRUE(c.rig.dialogs.Texts("confirm").empty());
    c.form3->Button2Click();
    EXPECT_FALSE(c.form3->isVisible());
}

TEST(SettinFiles, OkWritesTheFullPathAndTheBarReloads) {
    ChooserRig c;
    c.rig.WriteFile("一番.ini", Settings("First"));
    c.rig.WriteFile("二番.ini", Settings("Second"));
    c.rig.WriteFile("DataFile.ini", "[Data]\nFile=" + c.rig.AppDir() + "一番.ini\n");
    c.Start();
    ASSERT_EQ(c.bar->FCaptions[1], "First");

    c.form3->ShowFileList();
    c.Select("二番.ini");
    c.form3->Button1Click();

    EXPECT_TRUE(c.rig.dialogs.shown.empty());
    const std::string full = Utf8ToSjis(c.rig.AppDir() + "二番.ini");
    EXPECT_EQ(c.rig.profile.Read(c.rig.AppDir() + "DataFile.ini", "Data", "File", ""), full);
    EXPECT_NE(c.rig.ReadFile("DataFile.ini").find("File=" + full + "\r\n"), std::string::npos);
    EXPECT_EQ(c.bar->FCaptions[0], full);
    EXPECT_EQ(c.bar->FCaptions[1], "Second");
    EXPECT_FALSE(c.form3->isVisible());
}

TEST(SettinFiles, APointerFileThatCannotBeWrittenKeepsTheChooserOpenAndTheBarAsItWas) {
    ChooserRig c;
    c.rig.WriteFile("one.ini", Settings("First"));
    c.rig.WriteFile("two.ini", Settings("Second"));
    c.rig.WriteFile("DataFile.ini", "[Data]\nFile=" + c.rig.AppDir() + "one.ini\n");
    chmod(c.Path("DataFile.ini").c_str(), 0444);
    c.Start();
    const std::string before = c.rig.ReadFile("DataFile.ini");

    c.form3->ShowFileList();
    c.Select("two.ini");
    c.form3->Button1Click();

    EXPECT_EQ(c.rig.dialogs.Texts("error"),
              (std::vector<QString>{QString::fromStdString(c.rig.AppDir() +
                                                           "DataFile.ini に書き込めません.")}));
    EXPECT_TRUE(c.form3->isVisible());
    EXPECT_EQ(c.rig.ReadFile("DataFile.ini"), before);
    EXPECT_EQ(c.bar->FCaptions[0], c.rig.AppDir() + "one.ini");
    EXPECT_EQ(c.bar->FCaptions[1], "First");
}

TEST(SettinFiles, DeletesOnlyAfterYesAndListsWhatIsLeft) {
    ChooserRig c;
    c.rig.WriteFile("Sample.ini", "");
    c.rig.WriteFile("設定.ini", "");
    c.rig.WriteFile("locked.ini", "");
    chmod(c.Path("locked.ini").c_str(), 0444);
    std::filesystem::create_directory(c.Path("folder.ini"));
    c.Start();
    c.form3->ShowFileList();

    // いいえ: nothing is deleted and the list stays as it was.
    c.Select("Sample.ini");
    c.rig.dialogs.confirmAnswers = {false};
    c.form3->Delete1Click();
    EXPECT_EQ(c.rig.dialogs.Texts("confirm"),
              (std::vector<QString>{QStringLiteral("Sample.ini を削除しますか？")}));
    EXPECT_TRUE(std::filesystem::exists(c.Path("Sample.ini")));
    EXPECT_EQ(c.form3->ListBox1->selectedItems().size(), 1);

    // はい: the file goes and the list is read again, with no selection.
    c.rig.dialogs.confirmAnswers = {true};
    c.form3->Delete1Click();
    EXPECT_FALSE(std::filesystem::exists(c.Path("Sample.ini")));
    EXPECT_EQ(c.Listed(), (std::vector<std::string>{"folder.ini", "locked.ini", "設定.ini"}));
    EXPECT_TRUE(c.form3->ListBox1->selectedItems().isEmpty());
    EXPECT_TRUE(c.form3->isVisible());

    c.Select("設定.ini");
    c.rig.dialogs.confirmAnswers = {true};
    c.form3->Delete1Click();
    EXPECT_EQ(c.rig.dialogs.Texts("confirm").back(), QStringLiteral("設定.ini を削除しますか？"));
    EXPECT_FALSE(std::filesystem::exists(c.Path("設定.ini")));

    // A folder and a read-only file cannot be deleted; they stay listed and
    // nothing is reported.
    for (const char* name : {"folder.ini", "locked.ini"}) {
        c.Select(name);
        c.rig.dialogs.confirmAnswers = {true};
        c.form3->Delete1Click();
        EXPECT_TRUE(std::filesystem::exists(c.Path(name))) << name;
    }
    EXPECT_EQ(c.Listed(), (std::vector<std::string>{"folder.ini", "locked.ini"}));
    EXPECT_TRUE(c.rig.dialogs.Texts("error").empty());
    EXPECT_TRUE(c.rig.dialogs.Texts("info").empty());
}

TEST(SettinFiles, RightReleaseSelectsTheEntryUnderThePointerAndOpensTheMenuBesideIt) {
    ChooserRig c;
    for (const char* n : {"a.ini", "b.ini", "c.ini"}) c.rig.WriteFile(n, "");
    c.Start();
    c.form3->ShowFileList();
    c.form3->move(200, 150);
    QApplication::processEvents();
    QListWidget* list = c.form3->ListBox1;
    c.Select("a.ini");

    const QRect third = list->visualItemRect(list->item(2));
    ASSERT_FALSE(third.isEmpty());
    const QPoint at = third.center();
    // A real release over the list's client area reaches the handler.
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), list->viewport()->mapToGlobal(QPointF(at)),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &release);

    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().front()->text(), QStringLiteral("c.ini"));
    const QPoint outer = c.form3->frameGeometry().topLeft();
    EXPECT_EQ(c.form3->popups, (std::vector<QPoint>{{outer.x() + at.x() + 5, outer.y() + at.y() + 5}}));

    // 削除 now acts on the entry under the pointer.
    c.rig.dialogs.confirmAnswers = {false};
    c.form3->Delete1Click();
    EXPECT_EQ(c.rig.dialogs.Texts("confirm").back(), QStringLiteral("c.ini を削除しますか？"));

    // Other buttons leave selection and menu alone.
    const QRect first = list->visualItemRect(list->item(0));
    c.form3->ListBox1MouseUp(Qt::LeftButton, Qt::NoModifier, first.center().x(), first.center().y());
    c.form3->ListBox1MouseUp(Qt::MiddleButton, Qt::NoModifier, first.center().x(), first.center().y());
    EXPECT_EQ(list->selectedItems().front()->text(), QStringLiteral("c.ini"));
    EXPECT_EQ(c.form3->popups.size(), 1u);

    // Below the last entry there is nothing to select: no menu opens.
    c.form3->ListBox1MouseUp(Qt::RightButton, Qt::NoModifier, 5, third.bottom() + 20);
    EXPECT_EQ(list->selectedItems().front()->text(), QStringLiteral("c.ini"));
    EXPECT_EQ(c.form3->popups.size(), 1u);
}

TEST(SettinFiles, WindowHasItsDesignedSizeAndIgnoresEnterAndEscape) {
    ChooserRig c;
    c.rig.WriteFile("one.ini", Settings("First"));
    c.Start();
    EXPECT_FALSE(c.form3->isVisible());
    c.form3->ShowFileList();
    QApplication::processEvents();
    EXPECT_EQ(c.form3->frameGeometry().size(), QSize(175, 257));
    EXPECT_EQ(c.form3->ListBox1->geometry(), QRect(0, 0, c.form3->width(), 193));
    c.form3->resize(300, 400);
    EXPECT_EQ(c.form3->ListBox1->geometry(), QRect(0, 0, 300, 193));

    c.Select("one.ini");
    c.form3->Button1->setFocus();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(c.form3->Button1, &press);
        QApplication::sendEvent(c.form3->Button1, &up);
        QApplication::sendEvent(c.form3->ListBox1, &press);
        QApplication::sendEvent(c.form3->ListBox1, &up);
    }
    QApplication::processEvents();
    EXPECT_TRUE(c.form3->isVisible());
    EXPECT_FALSE(std::filesystem::exists(c.Path("DataFile.ini")));
    EXPECT_TRUE(c.rig.dialogs.shown.empty());
}

}  // namespace
}  // namespace tw
