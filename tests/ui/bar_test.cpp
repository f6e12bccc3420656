// The bar's binding: each view call reaches its menu, window or header, and
// each Qt event reaches its handler.
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "core/text.h"
#include "fakes.h"
#include "ui/HeaderControl.h"
#include "ui/Ranch.h"

namespace tw {
namespace {

using test::TestRig;

QStringList VisibleTopLevel(const TForm1& bar) {
    QStringList out;
    for (QAction* a : bar.MainMenu1->actions())
        if (a->isVisible()) out << a->text();
    return out;
}

void MoveMouseOver(QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), QPointF(0, 0), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

bool SendKey(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    return QCoreApplication::sendEvent(target, &press);
}

TEST(Ranch, WithoutFilesOnlyTheFixedMenusShow) {
    TestRig rig;
    TForm1 bar(rig.MakePlatform());
    EXPECT_EQ(VisibleTopLevel(bar),
              (QStringList{":ControlPanel:", ":Setting:", ":SettingFiles:", "Help", "Exit"}));
    EXPECT_EQ(bar.model().FAppDir, rig.AppDir());
    EXPECT_EQ(bar.accessibleName(), "tamblewick");
    // Twenty entries, with separators after the 5th, the 11th and the 18th.
    const QList<QAction*> panel = bar.ControlPanel1->actions();
    ASSERT_EQ(panel.size(), 20);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(panel[k]->isSeparator(), k == 5 || k == 11 || k == 18);
}

TEST(Ranch, CaptionsVisibilityAndSeparatorsReachTheMenus) {
    TestRig rig;
    std::ofstream(rig.dir / "Sample.ini", std::ios::binary)
        << Utf8ToSjis("[GroupName]\r\nSection1=ツール\r\nSection3=bad") << "\x81"
        << "\r\n[Group1]\r\nItem12=a\r\nItem13=-\r\nItem19=&Save && go\r\n";
    TForm1 bar(rig.MakePlatform());
    EXPECT_EQ(bar.Groups[1]->title(), "ツール");
    EXPECT_TRUE(bar.Groups[1]->menuAction()->isVisible());
    EXPECT_FALSE(bar.Groups[2]->menuAction()->isVisible());
    EXPECT_EQ(bar.Groups[3]->title(), "bad\\x81");  // shown, not dropped
    EXPECT_FALSE(bar.Item(1, 1)->isVisible());
    EXPECT_TRUE(bar.Item(1, 2)->isVisible());
    EXPECT_EQ(bar.Item(1, 2)->text(), "a");
    EXPECT_TRUE(bar.Item(1, 3)->isSeparator());
    EXPECT_FALSE(bar.Item(1, 9)->isSeparator());
    EXPECT_EQ(bar.Item(1, 9)->text(), "&Save && go");  // the menu's own access-key rules
    // A reload turns a separator back into an entry.
    rig.WriteFile("Sample.ini", "[GroupName]\nSection1=G\n[Group1]\nItem13=c\n");
    bar.LoadSettings();
    EXPECT_FALSE(bar.Item(1, 3)->isSeparator());
    EXPECT_EQ(bar.Item(1, 3)->text(), "c");
}

TEST(Ranch, EveryDashEntryIsDrawnAsASeparator) {
    // First, last and two neighbouring visible entries are "-"; hidden
    // entries stand between some of them.
    TestRig rig;
    rig.WriteFile("Sample.ini",
                  "[GroupName]\nSection1=G\n"
                  "[Group1]\nItem11=-\nItem12=a\nItem13=-\nItem14=-\nItem15=Item5\n"
                  "Item16=-\nItem17=b\nItem18=Item8\nItem19=-\n");
    TForm1 bar(rig.MakePlatform());
    QMenu* menu = bar.Groups[1];
    menu->ensurePolished();
    for (int i : {1, 3, 4, 6, 9}) {
        ASSERT_TRUE(bar.Item(1, i)->isSeparator());
        EXPECT_GT(menu->actionGeometry(bar.Item(1, i)).height(), 0) << "entry " << i;
    }
}

TEST(Ranch, FixedLabelsInBothLanguages) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nShowJapanese=1\nStrech=1\n");
    TForm1 bar(rig.MakePlatform());
    EXPECT_EQ(VisibleTopLevel(bar), (QStringList{":ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ:", ":設定:", ":設定ﾌｧｲﾙ:", ":縮小:",
                                                 "ﾍﾙﾌﾟ", "終了"}));
    rig.WriteFile("Sample.ini", "[Window]\nShowJapanese=0\nStrech=1\n");
    bar.LoadSettings();
    EXPECT_EQ(VisibleTopLevel(bar), (QStringList{":ControlPanel:", ":Setting:", ":SettingFiles:",
                                                 ":Collapse:", "Help", "Exit"}));
    // The Control Panel entries stay Japanese.
    EXPECT_EQ(bar.ControlPanel1->actions().front()->text(), "システムのプロパティ");
}

TEST(Ranch, AJapaneseTitleIsAnnouncedAsItReads) {
    TestRig rig;
    Platform platform = rig.MakePlatform();
    platform.title = Sjis("ランチャー");
    const TForm1 bar(platform);
    EXPECT_EQ(bar.accessibleName(), QStringLiteral("ランチャー"));
}

TEST(Launch, EveryEntryIsNamedItemBeforeGroupAndLaunchesItsOwnTarget) {
    TestRig rig;
    std::string sample;
    for (int g = 1; g <= 9; ++g) {
        sample += "[Group" + std::to_string(g) + "]\n";
        for (int i = 1; i <= 9; ++i)
            sample += "ItemValue" + std::to_string(g) + std::to_string(i) + "=/t/" +
                      std::to_string(g * 9 + i) + "\n";
    }
    rig.WriteFile("Sample.ini", sample);
    TForm1 bar(rig.MakePlatform());
    for (int g = 1; g <= 9; ++g)
        for (int i = 1; i <= 9; ++i) {
            EXPECT_EQ(bar.Item(g, i)->objectName(), QStringLiteral("Item%1%2").arg(i).arg(g));
            rig.shell.calls.clear();
            bar.Item(g, i)->trigger();
            ASSERT_EQ(rig.shell.calls.size(), 1u);
            EXPECT_EQ(rig.shell.calls[0].file, "/t/" + std::to_string(g * 9 + i));
        }
    rig.shell.calls.clear();
    bar.Item96Click();  // the handler named for entry 9 of group 6
    ASSERT_EQ(rig.shell.calls.size(), 1u);
    EXPECT_EQ(rig.shell.calls[0].file, "/t/63");
}

TEST(Launch, EveryControlPanelEntryAndHelpReachTheShell) {
    TestRig rig;
    TForm1 bar(rig.MakePlatform());
    std::set<std::string> requests;
    for (QAction* a : bar.ControlPanel1->actions()) {
        if (a->isSeparator()) continue;
        rig.shell.calls.clear();
        a->trigger();
        ASSERT_EQ(rig.shell.calls.size(), 1u) << a->text().toStdString();
        requests.insert(rig.shell.calls[0].file + " " + rig.shell.calls[0].parameters.value_or(""));
    }
    EXPECT_EQ(requests.size(), 17u);  // each its own
    EXPECT_EQ(requests.count(std::string(kPrintersFolder) + " "), 1u);
    rig.shell.calls.clear();
    bar.Help1->trigger();
    ASSERT_EQ(rig.shell.calls.size(), 1u);
    EXPECT_EQ(rig.shell.calls[0].file, bar.model().FAppDir + "TAMBLEWICKHELP.HLP");
}

TEST(Launch, ExitAsksAndEscapeClosesAtOnce) {
    TestRig rig;
    TForm1 bar(rig.MakePlatform());
    int closed = 0;
    QObject::connect(&bar, &TForm1::closed, [&] { ++closed; });
    bar.show();
    rig.dialogs.confirmAnswers = {false, true};
    bar.Exit1->trigger();
    EXPECT_EQ(closed, 0);
    EXPECT_TRUE(bar.isVisible());
    bar.Exit1->trigger();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.dialogs.shown[0].owner, static_cast<const QWidget*>(&bar));

    bar.show();
    SendKey(&bar, Qt::Key_A);
    EXPECT_EQ(closed, 1);
    SendKey(&bar, Qt::Key_Escape, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(rig.dialogs.shown.size(), 2u);  // Escape asks nothing
}

TEST(Launch, EscapeClosesTheBarWhenItsMenuBarHasTheFocusButFirstClosesAnOpenMenu) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[GroupName]\nSection1=Tools\n[Group1]\nItem11=Shell\n");
    TForm1 bar(rig.MakePlatform());
    int closed = 0;
    QObject::connect(&bar, &TForm1::closed, [&] { ++closed; });
    bar.show();
    bar.activateWindow();
    QCoreApplication::processEvents();

    // Alt alone gives the menu bar the keyboard; Escape then still closes.
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(&bar, &alt);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(&bar, &altUp);
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), bar.MainMenu1);
    SendKey(bar.MainMenu1, Qt::Key_Escape);
    EXPECT_EQ(closed, 1);

    // Escape with a menu bar that kept the focus from before.
    bar.show();
    bar.MainMenu1->setFocus();
    SendKey(bar.MainMenu1, Qt::Key_Escape);
    EXPECT_EQ(closed, 2);

    // An open menu takes the Escape for itself and closes; the bar stays.
    bar.show();
    bar.Groups[1]->popup(QPoint(0, 20));
    QCoreApplication::processEvents();
    ASSERT_TRUE(bar.Groups[1]->isVisible());
    SendKey(bar.Groups[1], Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bar.Groups[1]->isVisible());
    EXPECT_EQ(closed, 2);
    // The menu bar still highlights nothing open: the next Escape closes.
    SendKey(bar.MainMenu1, Qt::Key_Escape);
    EXPECT_EQ(closed, 3);
}

TEST(Placement, GeometryAlphaAndColourReachTheWindow) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nShowBottom=1\nSize=20\nSysInfo=1\nBlend=30\nColor=1193046\n");
    TForm1 bar(rig.MakePlatform());
    const int h = bar.HeaderControl1->height();
    EXPECT_GT(h, 3);
    EXPECT_EQ(bar.Geometry(), (Rect{0, 718 - h, 1024, 20 + h}));
    EXPECT_EQ(bar.geometry(), QRect(0, 718 - h, 1024, 20 + h));
    EXPECT_FALSE(bar.Expand1->isVisible());
    EXPECT_NEAR(bar.windowOpacity(), 76 / 255.0, 0.01);
    EXPECT_EQ(bar.centralWidget()->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(bar.BackgroundColor(), QColor(0x56, 0x34, 0x12));
}

TEST(Placement, StretchModeCollapsesAndTheMouseExpandsButAKeyDoesNot) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nStrech=1\nShowBottom=1\n");
    TForm1 bar(rig.MakePlatform());
    EXPECT_EQ(bar.Geometry(), (Rect{0, 0, 1, 738}));
    EXPECT_TRUE(bar.Expand1->isVisible());
    // Movement over the strip, the menu-bar part included, expands it.
    MoveMouseOver(bar.MainMenu1);
    EXPECT_EQ(bar.Geometry(), (Rect{0, 718, 1024, 20}));
    bar.Expand1->trigger();
    EXPECT_EQ(bar.Geometry(), (Rect{0, 0, 1, 738}));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(&bar, &key);
    QCoreApplication::sendEvent(bar.MainMenu1, &key);
    EXPECT_EQ(bar.Geometry(), (Rect{0, 0, 1, 738}));
    MoveMouseOver(bar.centralWidget());
    EXPECT_EQ(bar.Geometry(), (Rect{0, 718, 1024, 20}));
}

TEST(Placement, TheBarAsksForEveryWorkspaceWhenShownAndWhenItsPresenterAsks) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nStrech=1\n");
    TForm1 bar(rig.MakePlatform());
    auto& asked = rig.hints.everywhere;
    const auto count = [&] { return std::count(asked.begin(), asked.end(), &bar); };
    // Before the window exists there is nothing to ask for; showing it asks
    // once before it is mapped and once after.
    asked.clear();
    bar.show();
    EXPECT_EQ(count(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(asked.size(), 2u);
    bar.Expand1->trigger();  // the same geometry again, asked all the same
    EXPECT_EQ(count(), 3);
    bar.hide();
    bar.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(count(), 5);
}

}  // namespace
}  // namespace tw
