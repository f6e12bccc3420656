#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "core/text.h"
#include "fakes.h"
#include "ui/Ranch.h"

namespace tw {
namespace {

using test::TestRig;

// A bar whose targets are the given Shift-JIS strings, one per group and item.
struct LaunchRig : TestRig {
    std::string separators;
    Platform MakePlatform(std::string_view seps) {
        separators = std::string(seps);
        Platform p = TestRig::MakePlatform();
        p.services.separators = separators;
        return p;
    }
};

TEST(Launch, EveryEntryIsNamedItemBeforeGroupAndLaunchesItsOwnTarget) {
    LaunchRig rig;
    std::string sample;
    for (int g = 1; g <= 9; ++g) {
        sample += "[Group" + std::to_string(g) + "]\n";
        for (int i = 1; i <= 9; ++i)
            sample += "ItemValue" + std::to_string(g) + std::to_string(i) + "=/t/" +
                      std::to_string(g * 9 + i) + "\n";
    }
    rig.WriteFile("Sample.ini", sample);
    TForm1 bar(rig.MakePlatform(kPosixSeparators));
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

TEST(Launch, ControlPanelPrintersAndHelp) {
    LaunchRig rig;
    TForm1 bar(rig.MakePlatform(kWindowsSeparators));
    bar.N7Click();
    bar.N3Click();
    bar.N9Click();
    bar.Help1Click();
    ASSERT_EQ(rig.shell.calls.size(), 4u);
    EXPECT_EQ(rig.shell.calls[0].file, kRunDll);
    EXPECT_EQ(rig.shell.calls[0].parameters, "shell32.dll,Control_RunDLL " + Sjis("Main.cpl マウス"));
    EXPECT_EQ(rig.shell.calls[1].parameters, "shell32.dll,Control_RunDLL Desk.cpl");
    EXPECT_EQ(rig.shell.calls[2].file, kPrintersFolder);
    EXPECT_EQ(rig.shell.calls[3].file, bar.model().FAppDir + "TAMBLEWICKHELP.HLP");

    // Every applet entry of the menu reaches the shell.
    rig.shell.calls.clear();
    int commands = 0;
    for (QAction* a : bar.ControlPanel1->actions()) {
        if (a->isSeparator()) continue;
        ++commands;
        a->trigger();
    }
    EXPECT_EQ(commands, 17);
    EXPECT_EQ(rig.shell.calls.size(), 17u);
}

TEST(Launch, ExitAsksAndEscapeClosesAtOnce) {
    TestRig rig;
    TForm1 bar(rig.MakePlatform());
    int closed = 0;
    QObject::connect(&bar, &TForm1::closed, [&] { ++closed; });
    bar.show();

    rig.dialogs.confirmAnswers = {false};
    bar.Exit1Click();
    ASSERT_EQ(rig.dialogs.Texts("confirm"), (std::vector<QString>{"Tamblewick を終了しますか？"}));
    EXPECT_EQ(closed, 0);
    EXPECT_TRUE(bar.isVisible());

    bar.Exit1Click();  // closed some other way: counts as いいえ
    EXPECT_EQ(closed, 0);

    rig.dialogs.confirmAnswers = {true};
    bar.Exit1->trigger();
    EXPECT_EQ(closed, 1);

    bar.show();
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QCoreApplication::sendEvent(&bar, &other);
    EXPECT_EQ(closed, 1);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::ShiftModifier | Qt::ControlModifier);
    QCoreApplication::sendEvent(&bar, &esc);
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(rig.dialogs.Texts("confirm").size(), 3u);  // Escape asks nothing
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

// Alt pressed and released on its own, as the window system delivers it.
void TapAlt(QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

bool SendEscape(QWidget* target) {
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    return QCoreApplication::sendEvent(target, &esc);
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
    TapAlt(&bar);
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), bar.MainMenu1);
    SendEscape(bar.MainMenu1);
    EXPECT_EQ(closed, 1);

    // A second Escape after Alt, and Escape with a menu bar that kept the
    // focus from before.
    bar.show();
    bar.MainMenu1->setFocus();
    SendEscape(bar.MainMenu1);
    EXPECT_EQ(closed, 2);

    // An open menu takes the Escape for itself and closes; the bar stays.
    bar.show();
    bar.Groups[1]->popup(QPoint(0, 20));
    QCoreApplication::processEvents();
    ASSERT_TRUE(bar.Groups[1]->isVisible());
    SendEscape(bar.Groups[1]);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bar.Groups[1]->isVisible());
    EXPECT_EQ(closed, 2);
    // The menu bar still highlights nothing open: the next Escape closes.
    SendEscape(bar.MainMenu1);
    EXPECT_EQ(closed, 3);
}

}  // namespace
}  // namespace tw
