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

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

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
    test::TestRig rig;
    std::optional<TForm1> bar;
    std::optional<Chooser> form3;

    // Writes the files, starts the bar and opens the chooser.
    void Start(const Names& files, const std::string& pointsTo = "") {
        for (const std::string& f : files) rig.WriteFile(f, "[GroupName]\nSection1=" + f + "\n");
        if (!pointsTo.empty())
            rig.WriteFile("DataFile.ini", "[Data]\nFile=" + rig.AppDir() + pointsTo + "\n");
        bar.emplace(rig.MakePlatform());
        form3.emplace(*bar, rig.MakePlatform());
        bar->SetForms(nullptr, &*form3);
        bar->SettingFiles1Click();
    }
    Names Listed() const {
        Names out;
        for (const std::string& n : form3->FileNames()) out.push_back(SjisToUtf8(n));
        return out;
    }
    void Select(const std::string& utf8) {
        const auto found =
            form3->ListBox1->findItems(QString::fromStdString(utf8), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << utf8;
        form3->ListBox1->setCurrentItem(found.front());
    }
    // Selects `utf8` and chooses 削除, answering the question with `yes`.
    void Delete(const std::string& utf8, bool yes) {
        Select(utf8);
        rig.dialogs.confirmAnswers = {yes};
        form3->Delete1Click();
        EXPECT_EQ(rig.dialogs.Texts("confirm").back(),
                  QString::fromStdString(utf8 + " を削除しますか？"));
    }
    std::string Selected() const {
        const auto items = form3->ListBox1->selectedItems();
        return items.isEmpty() ? "" : items.front()->text().toStdString();
    }
    fs::path Path(const std::string& utf8) const { return rig.dir / utf8; }
};

TEST(SettinFiles, ListsEveryIniEntryButThePointerFileAndDeletesOnlyAfterYes) {
    ChooserRig c;
    fs::create_directory(c.Path("folder.ini"));
    ASSERT_EQ(mkfifo(c.Path("pipe.ini").c_str(), 0644), 0);  // no attribute bit
    c.rig.WriteFile("locked.ini", "");
    chmod(c.Path("locked.ini").c_str(), 0444);
    c.Start({".hidden.ini", "datafile.ini", "Sample.ini"}, "Sample.ini");
    EXPECT_EQ(c.Listed(),
              (Names{".hidden.ini", "datafile.ini", "folder.ini", "locked.ini", "Sample.ini"}));

    c.Delete("Sample.ini", false);
    EXPECT_TRUE(fs::exists(c.Path("Sample.ini")));
    c.Delete("Sample.ini", true);
    EXPECT_FALSE(fs::exists(c.Path("Sample.ini")));
    EXPECT_EQ(c.Listed(), (Names{".hidden.ini", "datafile.ini", "folder.ini", "locked.ini"}));
    EXPECT_EQ(c.Selected(), "");

    // A folder cannot be deleted: it stays, and nothing is reported.
    c.Delete("folder.ini", true);
    EXPECT_TRUE(fs::is_directory(c.Path("folder.ini")));
    EXPECT_EQ(c.Listed(), (Names{".hidden.ini", "datafile.ini", "folder.ini", "locked.ini"}));
    EXPECT_EQ(c.rig.dialogs.shown.size(), 3u);  // the three questions

    // Nor a read-only file.
    c.Delete("locked.ini", true);
    EXPECT_TRUE(fs::exists(c.Path("locked.ini")));
    EXPECT_EQ(c.Listed().back(), "locked.ini");
    // The active file went without more ado: the pointer still names it and
    // the bar keeps what it loaded until the next load finds it missing.
    EXPECT_EQ(c.rig.profile.Read(c.rig.AppDir() + "DataFile.ini", "Data", "File", ""),
              c.rig.AppDir() + "Sample.ini");
    EXPECT_EQ(c.bar->model().FCaptions[1], "Sample.ini");
    c.bar->LoadSettings();
    EXPECT_EQ(c.bar->model().FCaptions[1], "Group1");
}

TEST(SettinFiles, AnEmptyDirectoryStillShowsTheChooser) {
    ChooserRig c;
    c.Start({}, "x.ini");
    EXPECT_TRUE(c.form3->isVisible());
    EXPECT_EQ(c.form3->ListBox1->count(), 0);
}

TEST(SettinFiles, OkNeedsASelectionAndWritesTheFullPathAndReloadsUnlessThePointerIsReadOnly) {
    ChooserRig c;
    c.Start({"一番.ini", "二番.ini"}, "一番.ini");
    ASSERT_EQ(SjisToUtf8(c.bar->model().FCaptions[1]), "一番.ini");
    const std::string pointer = c.rig.AppDir() + "DataFile.ini";
    const std::string before = c.rig.ReadFile("DataFile.ini");
    const auto unchanged = [&] {
        EXPECT_TRUE(c.form3->isVisible());
        EXPECT_EQ(c.rig.ReadFile("DataFile.ini"), before);
        EXPECT_EQ(SjisToUtf8(c.bar->model().FCaptions[1]), "一番.ini");
    };

    // Neither button answers Enter or Escape: OK would ask for a name,
    // Cancel would hide the chooser.
    c.form3->Button1->setFocus();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(c.form3->Button1, &press);
        QApplication::sendEvent(c.form3->Button1, &release);
    }
    EXPECT_TRUE(c.rig.dialogs.shown.empty());
    unchanged();

    c.form3->Button1Click();
    EXPECT_EQ(c.rig.dialogs.Texts("info"),
              (std::vector<QString>{QStringLiteral("ファイル名が選択されていません")}));
    unchanged();

    chmod(c.Path("DataFile.ini").c_str(), 0444);
    c.Select("二番.ini");
    c.form3->Button1Click();
    EXPECT_EQ(c.rig.dialogs.Texts("error"),
              (std::vector<QString>{QString::fromStdString(pointer + " に書き込めません.")}));
    unchanged();

    chmod(c.Path("DataFile.ini").c_str(), 0644);
    c.form3->Button1Click();
    EXPECT_EQ(c.rig.profile.Read(pointer, "Data", "File", ""),
              Utf8ToSjis(c.rig.AppDir() + "二番.ini"));
    EXPECT_EQ(SjisToUtf8(c.bar->model().FCaptions[1]), "二番.ini");
    EXPECT_FALSE(c.form3->isVisible());
}

TEST(SettinFiles, RightReleaseSelectsTheEntryUnderThePointerAndOpensTheMenuBesideIt) {
    ChooserRig c;
    c.Start({"a.ini", "b.ini", "c.ini"});
    QApplication::processEvents();
    QListWidget* list = c.form3->ListBox1;
    c.Select("a.ini");

    const QRect third = list->visualItemRect(list->item(2));
    const QPointF at = third.center();
    QMouseEvent release(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &release);
    EXPECT_EQ(c.Selected(), "c.ini");
    const QPoint outer = c.form3->frameGeometry().topLeft() + QPoint(5, 5);
    EXPECT_EQ(c.form3->popups, (std::vector<QPoint>{outer + at.toPoint()}));

    // Below the last entry there is nothing to select: no menu opens.
    c.form3->ListBox1MouseUp(Qt::RightButton, Qt::NoModifier, 5, third.bottom() + 20);
    EXPECT_EQ(c.Selected(), "c.ini");
    EXPECT_EQ(c.form3->popups.size(), 1u);
}

}  // namespace
}  // namespace tw
