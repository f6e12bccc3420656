#include <QCoreApplication>
#include <QMenuBar>
#include <QMouseEvent>

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
    MoveMouseOver(bar.centralWidget());
    EXPECT_EQ(bar.Geometry(), (Rect{0, 718, 1024, 20}));

    // Expanded, a movement follows a changed work area.
    rig.screen.workArea = {0, 0, 800, 570};
    MoveMouseOver(bar.centralWidget());
    EXPECT_EQ(bar.Geometry(), (Rect{0, 550, 800, 20}));
}

TEST(Placement, WithoutStretchTheMouseLeavesTheGeometry) {
    TestRig rig;
    TForm1 bar(rig.MakePlatform());
    EXPECT_FALSE(bar.Expand1->isVisible());
    MoveMouseOver(bar.MainMenu1);
    MoveMouseOver(bar.HeaderControl1);
    EXPECT_EQ(bar.Geometry(), (Rect{0, 0, 1024, 20}));
}

TEST(Placement, AlphaAndColourAtLoad) {
    TestRig rig;
    const std::pair<int, int> table[] = {{30, 76}, {70, 178}, {100, 255}, {101, 255}, {-5, 0}};
    for (auto [blend, alpha] : table) {
        rig.WriteFile("Sample.ini", "[Window]\nColor=255\nBlend=" + std::to_string(blend) + "\n");
        TForm1 bar(rig.MakePlatform());
        EXPECT_EQ(bar.AlphaBlendValue(), alpha) << blend;
        EXPECT_NEAR(bar.windowOpacity(), alpha / 255.0, 0.01);
        EXPECT_EQ(bar.centralWidget()->palette().color(QPalette::Window), QColor(255, 0, 0));
    }
    const TForm1 bar(rig.MakePlatform());
    EXPECT_TRUE(bar.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(bar.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ((bar.windowFlags() & Qt::WindowType_Mask), Qt::Tool);
    EXPECT_EQ(bar.font().pixelSize(), 12);
    EXPECT_EQ(bar.font().family(), "ＭＳ Ｐゴシック");
}

}  // namespace
}  // namespace tw
