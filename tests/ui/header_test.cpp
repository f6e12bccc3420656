#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/HeaderControl.h"
#include "ui/Ranch.h"

namespace tw {
namespace {

using test::TestRig;

std::vector<int> Widths(const TForm1& bar) {
    std::vector<int> w;
    for (int i = 0; i < THeaderControl::kSections; ++i) w.push_back(bar.HeaderControl1->SectionWidth(i));
    return w;
}

std::string Text(const TForm1& bar, int section) {
    return bar.HeaderControl1->SectionText(section).toStdString();
}

// Runs the event loop for about `ms` milliseconds.
void Spin(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

TEST(Header, LayoutAtLoad) {
    struct Case {
        const char* what;
        bool hasD;
        const char* settings;
        std::vector<int> widths;
        Rect geometryWithoutHeader;  // height and top before the header is added
    };
    const Case cases[] = {
        {"with D:", true, "[Window]\nSysInfo=1\n", {120, 280, 300, 324}, {0, 0, 1024, 20}},
        {"without D:", false, "[Window]\nSysInfo=1\n", {120, 280, 0, 624}, {0, 0, 1024, 20}},
        {"at the bottom", false, "[Window]\nSysInfo=1\nShowBottom=1\nSize=30\n",
         {120, 280, 0, 624}, {0, 738 - 30, 1024, 30}},
    };
    for (const Case& c : cases) {
        TestRig rig;
        rig.status.hasD = c.hasD;
        rig.WriteFile("Sample.ini", c.settings);
        TForm1 bar(rig.MakePlatform());
        EXPECT_EQ(Widths(bar), c.widths) << c.what;
        EXPECT_FALSE(bar.HeaderControl1->isHidden()) << c.what;
        EXPECT_TRUE(bar.Timer1Enabled()) << c.what;
        // The text height of "A" in the bar's 12-pixel font, plus 3.
        const QFont font = bar.HeaderControl1->font();
        EXPECT_EQ(font.pixelSize(), 12) << c.what;
        const int h = bar.HeaderControl1->height();
        EXPECT_EQ(h, QFontMetrics(font).boundingRect(QStringLiteral("A")).height() + 3) << c.what;
        EXPECT_GE(h, 12 + 3) << c.what;
        const Rect g = bar.Geometry();
        EXPECT_EQ(g.left, 0) << c.what;
        EXPECT_EQ(g.width, 1024) << c.what;
        EXPECT_EQ(g.height, c.geometryWithoutHeader.height + h) << c.what;
        EXPECT_EQ(g.top, c.geometryWithoutHeader.top == 0 ? 0 : c.geometryWithoutHeader.top - h)
            << c.what;
        // The sections sit side by side; a section of width 0 is not shown.
        int x = 0;
        for (int i = 0; i < THeaderControl::kSections; ++i) {
            QLabel* s = bar.HeaderControl1->Section(i);
            EXPECT_EQ(s->geometry().x(), x) << c.what << " section " << i;
            EXPECT_EQ(s->width(), c.widths[i]) << c.what << " section " << i;
            EXPECT_EQ(s->isHidden(), c.widths[i] == 0) << c.what << " section " << i;
            x += c.widths[i];
        }
        // The texts are empty until the first tick.
        for (int i = 0; i < THeaderControl::kSections; ++i) EXPECT_EQ(Text(bar, i), "") << c.what;
    }
}

TEST(Header, OptionOff) {
    for (const char* settings : {"[Window]\nSysInfo=0\n", "[Window]\nSize=30\n", ""}) {
        TestRig rig;
        rig.status.hasD = true;
        if (*settings) rig.WriteFile("Sample.ini", settings);
        TForm1 bar(rig.MakePlatform());
        EXPECT_TRUE(bar.HeaderControl1->isHidden()) << settings;
        EXPECT_FALSE(bar.Timer1Enabled()) << settings;
        EXPECT_EQ(bar.Geometry().height, bar.FBarSize) << settings;
        // Layout is left alone: the designer widths.
        EXPECT_EQ(Widths(bar), (std::vector<int>{120, 280, 280, 150})) << settings;
        Spin(60);
        EXPECT_EQ(rig.status.queries, 0) << settings;
        EXPECT_EQ(Text(bar, 0), "") << settings;
    }
}

TEST(Header, TurningTheOptionOnAndOff) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    TForm1 bar(rig.MakePlatform());
    bar.Timer1Timer();
    const std::string memory = Text(bar, 3);
    ASSERT_FALSE(memory.empty());

    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=0\n");
    bar.LoadSettings();
    EXPECT_TRUE(bar.HeaderControl1->isHidden());
    EXPECT_FALSE(bar.Timer1Enabled());
    EXPECT_EQ(bar.Geometry().height, 20);
    // Hiding keeps the texts, and no tick arrives while hidden.
    rig.status.memory = {4294967296u, 0};
    const int queries = rig.status.queries;
    Spin(60);
    EXPECT_EQ(rig.status.queries, queries);
    EXPECT_EQ(Text(bar, 3), memory);

    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    bar.LoadSettings();
    EXPECT_FALSE(bar.HeaderControl1->isHidden());
    EXPECT_TRUE(bar.Timer1Enabled());
    EXPECT_EQ(bar.Geometry().height, 20 + bar.HeaderControl1->height());
    EXPECT_EQ(Text(bar, 3), memory);  // until the next tick
    Spin(100);
    EXPECT_GT(rig.status.queries, queries);
    EXPECT_EQ(Text(bar, 3), "物理メモリ:4096MB空きメモリ:0MBメモリ使用率:100%");
}

TEST(Header, ReloadWhileCollapsed) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\nStrech=1\n");
    TForm1 bar(rig.MakePlatform());
    // The first load sees the full screen width of the creation geometry.
    EXPECT_EQ(Widths(bar), (std::vector<int>{120, 280, 0, 624}));
    EXPECT_EQ(bar.Geometry().width, 1);

    bar.LoadSettings();
    EXPECT_EQ(bar.Geometry().width, 1);
    EXPECT_EQ(Widths(bar), (std::vector<int>{120, 280, 0, 0}));
    EXPECT_TRUE(bar.HeaderControl1->Section(3)->isHidden());
    // Expanding does not lay the header out again.
    bar.FormMouseMove();
    EXPECT_EQ(bar.Geometry().width, 1024);
    EXPECT_EQ(bar.Geometry().height, 20 + bar.HeaderControl1->height());
    EXPECT_EQ(Widths(bar), (std::vector<int>{120, 280, 0, 0}));
    // The next load while expanded gives section 3 its room again.
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    bar.LoadSettings();
    EXPECT_EQ(Widths(bar), (std::vector<int>{120, 280, 0, 624}));
}

TEST(Header, TickWritesTheTexts) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    TForm1 bar(rig.MakePlatform());
    rig.status.queries = 0;
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 0), "2026/12/06 09:05:03");
    EXPECT_EQ(Text(bar, 1), "[C] Size : 74.5GB / Free : 33.0GB / USED : 55.8%");
    EXPECT_EQ(Text(bar, 2), "");  // no D: drive, no query for it
    EXPECT_EQ(rig.status.queries, 2);
    EXPECT_EQ(Text(bar, 3), "物理メモリ:2048MB空きメモリ:1024MBメモリ使用率:50%");
    // Screen readers hear the current texts.
    EXPECT_EQ(bar.HeaderControl1->Section(1)->accessibleName().toStdString(), Text(bar, 1));

    // Every tick reads afresh; nothing is kept from the last one.
    rig.status.now = {2027, 1, 31, 23, 59, 58};
    rig.status.total['C'] = -1;
    rig.status.free['C'] = -1;
    rig.status.memory = {536334336u, 123456789u};
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 0), "2027/01/31 23:59:58");
    EXPECT_EQ(Text(bar, 1), "[C] Size : .0KB / Free : .0KB / USED : 0.0%");
    EXPECT_EQ(Text(bar, 3), "物理メモリ:511MB空きメモリ:117MBメモリ使用率:76%");

    // D: added after the load: refreshed, but still 0 wide until the next load.
    rig.status.hasD = true;
    rig.status.total['D'] = 734003200;
    rig.status.free['D'] = 524288;
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 2), "[D] Size : 700.0MB / Free : 512.0KB / USED : 99.9%");
    EXPECT_EQ(bar.HeaderControl1->SectionWidth(2), 0);
    // D: gone again: section 2 keeps its last text.
    rig.status.hasD = false;
    rig.status.free['D'] = 0;
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 2), "[D] Size : 700.0MB / Free : 512.0KB / USED : 99.9%");

    // More than 4 GiB of memory shows as it is.
    rig.status.memory = {34359738368u, 8589934592u};
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 3), "物理メモリ:32768MB空きメモリ:8192MBメモリ使用率:75%");
}

TEST(Header, TimerRefreshes) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    TForm1 bar(rig.MakePlatform());
    Spin(100);
    EXPECT_EQ(Text(bar, 0), "2026/12/06 09:05:03");
    const int ticks = rig.status.queries / 2;
    EXPECT_GE(ticks, 2);
    rig.status.now.second = 4;
    Spin(60);
    EXPECT_EQ(Text(bar, 0), "2026/12/06 09:05:04");
}

TEST(Header, LocaleSeparators) {
    TestRig rig;
    rig.status.separators = {'-', '.', ',', '.'};
    rig.status.total['C'] = 2000398934016;
    rig.status.free['C'] = 1500000000000;
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    TForm1 bar(rig.MakePlatform());
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 0), "2026-12-06 09.05.03");
    EXPECT_EQ(Text(bar, 1), "[C] Size : 1.863,0GB / Free : 1.397,0GB / USED : 25,0%");

    // Read again when the system announces changed settings.
    rig.status.separators = {'/', ':', '.', '\xA0'};
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 0), "2026-12-06 09.05.03");
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(&bar, &change);
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 0), "2026/12/06 09:05:03");
    EXPECT_EQ(Text(bar, 1), "[C] Size : 1\u00A0863.0GB / Free : 1\u00A0397.0GB / USED : 25.0%");
}

}  // namespace
}  // namespace tw
