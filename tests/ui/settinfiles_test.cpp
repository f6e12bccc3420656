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
        form3->Delete1->trigger();
        EXPECT_EQ(rig.dialogs.Texts("confirm").back(), utf8 + " を削除しますか？");
    }
    std::string Selected() const {
        const auto items = form3->ListBox1->selectedItems();
        return items.isEmpty() ? "" : items.front()->text().toStdString();
    }
    fs::path Path(const std::string& utf8) const { return rig.dir / utf8; }
};

TEST(SettinFiles, TheListShowsTheFilesAndADeleteAfterYesListsThemAgain) {
    ChooserRig c;
    c.Start({"一番.ini", "Sample.ini"});
    EXPECT_TRUE(c.form3->isVisible());
    ASSERT_EQ(c.form3->ListBox1->count(), 2);
    EXPECT_EQ(c.form3->ListBox1->item(0)->text(), QStringLiteral("Sample.ini"));
    EXPECT_EQ(c.form3->ListBox1->item(1)->text(), QStringLiteral("一番.ini"));
    c.Delete("一番.ini", false);
    EXPECT_TRUE(fs::exists(c.Path("一番.ini")));
    c.Delete("一番.ini", true);
    EXPECT_FALSE(fs::exists(c.Path("一番.ini")));
    EXPECT_EQ(c.Listed(), (Names{"Sample.ini"}));
    EXPECT_EQ(c.form3->ListBox1->count(), 1);
    EXPECT_EQ(c.Selected(), "");
}

TEST(SettinFiles, TheButtonsAnswerClicksButNeitherEnterNorEscape) {
    ChooserRig c;
    c.Start({"一番.ini", "二番.ini"}, "一番.ini");
    const std::string before = c.rig.ReadFile("DataFile.ini");
    // OK would ask for a name, Cancel would hide the chooser.
    c.form3->Button1->setFocus();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(c.form3->Button1, &press);
        QApplication::sendEvent(c.form3->Button1, &release);
    }
    EXPECT_TRUE(c.rig.dialogs.shown.empty());
    EXPECT_TRUE(c.form3->isVisible());
    EXPECT_EQ(c.rig.ReadFile("DataFile.ini"), before);

    c.Select("二番.ini");
    c.form3->Button1->click();
    EXPECT_EQ(c.rig.profile.Read(c.rig.AppDir() + "DataFile.ini", "Data", "File", ""),
              Utf8ToSjis(c.rig.AppDir() + "二番.ini"));
    EXPECT_EQ(SjisToUtf8(c.bar->model().FCaptions[1]), "二番.ini");
    EXPECT_FALSE(c.form3->isVisible());
    c.bar->SettingFiles1Click();
    EXPECT_TRUE(c.form3->isVisible());
    c.form3->Button2->click();
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
