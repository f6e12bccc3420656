#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>

#include <algorithm>

#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/HeaderControl.h"
#include "ui/Ranch.h"

namespace tw {
namespace {

using test::TestRig;

void MoveMouseOver(QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), QPointF(0, 0), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

TEST(Placement, TopAndBottomEdges) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\n");
    TForm1 bar(rig.MakePlatform());
    EXPECT_FALSE(bar.Expand1->isVisible());
    MoveMouseOver(bar.MainMenu1);  // without stretch the mouse moves nothing
    EXPECT_EQ(bar.Geometry(), (Rect{0, 0, 1024, 20}));

    rig.WriteFile("Sample.ini", "[Window]\nShowBottom=1\nSize=20\n");
    bar.LoadSettings();
    EXPECT_EQ(bar.Geometry(), (Rect{0, 718, 1024, 20}));

    rig.WriteFile("Sample.ini", "[Window]\nShowBottom=1\nSize=20\nSysInfo=1\n");
    bar.LoadSettings();
    const int h = bar.HeaderControl1->height();
    EXPECT_GT(h, 3);
    EXPECT_EQ(bar.Geometry(), (Rect{0, 718 - h, 1024, 20 + h}));

    // Task bar along the top: the top is the work-area height minus the size.
    rig.screen.workArea = {0, 30, 1024, 738};
    rig.WriteFile("Sample.ini", "[Window]\nShowBottom=1\nSize=20\n");
    bar.LoadSettings();
    EXPECT_EQ(bar.Geometry(), (Rect{0, 718, 1024, 20}));

    // The height includes the menu bar, even when that leaves no client area.
    rig.WriteFile("Sample.ini", "[Window]\nSize=3\n");
    bar.LoadSettings();
    EXPECT_EQ(bar.Geometry(), (Rect{0, 0, 1024, 3}));
}

TEST(Placement, StretchModeCollapsesAndTheMouseExpands) {
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
    // A key reaches the bar but expands nothing.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(&bar, &key);
    QCoreApplication::sendEvent(bar.MainMenu1, &key);
    EXPECT_EQ(bar.Geometry(), (Rect{0, 0, 1, 738}));
    MoveMouseOver(bar.centralWidget());
    EXPECT_EQ(bar.Geometry(), (Rect{0, 718, 1024, 20}));

    // Expanded, a movement follows a changed work area.
    rig.screen.workArea = {0, 0, 800, 570};
    MoveMouseOver(bar.centralWidget());
    EXPECT_EQ(bar.Geometry(), (Rect{0, 550, 800, 20}));
}

TEST(Placement, TheAlphaAndColourReachTheWindow) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nBlend=30\n");
    TForm1 bar(rig.MakePlatform());
    EXPECT_EQ(bar.AlphaBlendValue(), 76);
    EXPECT_NEAR(bar.windowOpacity(), 76 / 255.0, 0.01);
    EXPECT_EQ(bar.centralWidget()->palette().color(QPalette::Window), QColor(255, 0, 0));
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

TEST(Placement, TheBarAsksForEveryWorkspaceAfterEachChangeButNotOnIdleMoves) {
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

    bar.LoadSettings();  // collapses in stretch mode
    EXPECT_EQ(count(), 3);
    MoveMouseOver(bar.MainMenu1);  // expands
    EXPECT_EQ(count(), 4);
    MoveMouseOver(bar.MainMenu1);  // already expanded: nothing changes, nothing is asked
    MoveMouseOver(bar.centralWidget());
    EXPECT_EQ(count(), 4);
    rig.screen.workArea = {0, 0, 800, 570};
    MoveMouseOver(bar.centralWidget());  // the work area changed: placed and asked again
    EXPECT_EQ(count(), 5);
    bar.Expand1->trigger();  // collapse
    EXPECT_EQ(count(), 6);
    bar.Expand1->trigger();  // the same geometry again, asked all the same
    EXPECT_EQ(count(), 7);
    bar.hide();
    bar.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(count(), 9);
    rig.WriteFile("Sample.ini", "[Window]\n");
    bar.LoadSettings();  // no collapse: the load asks for itself
    EXPECT_EQ(count(), 10);
}

}  // namespace
}  // namespace tw
