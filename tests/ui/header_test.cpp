#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

#include <gtest/gtest.h>

#include "core/sysformat.h"
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

TEST(Header, LayoutAtLoad) {
    for (const bool hasD : {true, false}) {
        TestRig rig;
        rig.status.hasD = hasD;
        rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
        TForm1 bar(rig.MakePlatform());
        const int d = hasD ? 300 : 0;
        const std::vector<int> widths = Widths(bar);
        EXPECT_EQ(widths, (std::vector<int>{120, 280, d, 1024 - 120 - 280 - d})) << hasD;
        // The sections sit side by side; one of width 0 is not shown.
        for (int i = 0, x = 0; i < THeaderControl::kSections; x += widths[i++]) {
            const QLabel* s = bar.HeaderControl1->Section(i);
            EXPECT_EQ(std::pair(s->x(), s->width()), std::pair(x, widths[i])) << i;
            EXPECT_EQ(s->isHidden(), widths[i] == 0) << i;
        }
        // The text height of "A" in the bar's 12-pixel font, plus 3, is in the bar's height.
        const QFont font = bar.HeaderControl1->font();
        const int h = QFontMetrics(font).boundingRect(QStringLiteral("A")).height() + 3;
        EXPECT_EQ(bar.HeaderControl1->height(), h);
        EXPECT_EQ(bar.Geometry().height, bar.model().FBarSize + h);
    }
}

TEST(Header, OptionOffHidesAndStops) {
    TestRig rig;
    rig.status.hasD = true;
    TForm1 bar(rig.MakePlatform());  // no settings file: off
    EXPECT_EQ(Widths(bar), (std::vector<int>{120, 280, 280, 150}));  // as designed
    for (const char* sysInfo : {"", "1", "0"}) {
        if (*sysInfo) {
            rig.WriteFile("Sample.ini", std::string("[Window]\nSize=30\nSysInfo=") + sysInfo + "\n");
            bar.LoadSettings();
        }
        const bool on = *sysInfo == '1';
        EXPECT_EQ(bar.HeaderControl1->isHidden(), !on) << sysInfo;
        EXPECT_EQ(bar.Timer1Enabled(), on) << sysInfo;
        EXPECT_EQ(bar.Geometry().height, bar.model().FBarSize + (on ? bar.HeaderControl1->height() : 0));
    }
}

TEST(Header, ReloadWhileCollapsedLeavesNoRoom) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\nStrech=1\n");
    TForm1 bar(rig.MakePlatform());
    EXPECT_EQ(Widths(bar)[3], 624);  // the first load sees the creation width
    ASSERT_EQ(bar.Geometry().width, 1);
    bar.LoadSettings();
    EXPECT_EQ(Widths(bar), (std::vector<int>{120, 280, 0, 0}));
    EXPECT_TRUE(bar.HeaderControl1->Section(3)->isHidden());
    bar.FormMouseMove();  // expanding does not lay the header out again
    EXPECT_EQ(bar.Geometry().width, 1024);
    EXPECT_EQ(Widths(bar)[3], 0);
}

TEST(Header, TicksWriteTheTexts) {
    TestRig rig;
    rig.status.separators = {'-', '.', ',', '.'};
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    TForm1 bar(rig.MakePlatform());
    const auto& s = rig.status;
    QElapsedTimer clock;
    clock.start();
    while (Text(bar, 3).empty() && clock.elapsed() < 2000) QApplication::processEvents();
    EXPECT_EQ(Text(bar, 1), DriveText('C', s.total.at('C'), s.free.at('C'), s.separators));
    EXPECT_EQ(Text(bar, 2), "");
    rig.status.queries = 0;
    bar.Timer1Timer();
    EXPECT_EQ(s.queries, 2);  // none for an absent D:

    // Every tick reads afresh; D: added after the load is written but stays 0 wide.
    rig.status.now.minute = 59;
    rig.status.total = {{'C', -1}, {'D', 734003200}};
    rig.status.free = {{'C', -1}, {'D', 524288}};
    rig.status.memory = {34359738368u, 8589934592u};
    rig.status.hasD = true;
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 0), FormatDateTime(s.now, s.separators));
    EXPECT_EQ(Text(bar, 1), DriveText('C', -1, -1, s.separators));
    const std::string d = DriveText('D', 734003200, 524288, s.separators);
    EXPECT_EQ(Text(bar, 2), d);
    EXPECT_EQ(Widths(bar)[2], 0);
    EXPECT_EQ(Text(bar, 3), MemoryText(s.memory));
    // D: gone again: section 2 keeps its last text.
    rig.status.hasD = false;
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 2), d);

    // The separators are read again only when the system announces a change.
    const std::string before = Text(bar, 0);
    rig.status.separators = {};
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 0), before);
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(&bar, &change);
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 0), FormatDateTime(s.now, {}));
}

}  // namespace
}  // namespace tw
