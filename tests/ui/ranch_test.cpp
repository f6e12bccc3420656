#include <QMenu>
#include <QMenuBar>
#include <fstream>

#include <gtest/gtest.h>

#include "core/text.h"
#include "fakes.h"
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

TEST(Ranch, WithoutFilesOnlyTheFixedMenusShow) {
    TestRig rig;
    TForm1 bar(rig.MakePlatform());
    EXPECT_EQ(VisibleTopLevel(bar),
              (QStringList{":ControlPanel:", ":Setting:", ":SettingFiles:", "Help", "Exit"}));
    EXPECT_EQ(bar.model().FAppDir, rig.AppDir());
    EXPECT_EQ(bar.model().FCaptions[0], rig.AppDir() + "Sample.ini");
    EXPECT_EQ(bar.accessibleName(), "tamblewick");
    // Twenty entries, with separators after the 5th, the 11th and the 18th.
    const QList<QAction*> panel = bar.ControlPanel1->actions();
    ASSERT_EQ(panel.size(), 20);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(panel[k]->isSeparator(), k == 5 || k == 11 || k == 18);
}

TEST(Ranch, VisibilityFollowsTheCaptionsAlone) {
    TestRig rig;
    rig.WriteFile("Sample.ini",
                  "[GroupName]\nSection1=ツール\nSection2=Group2\nSection3=group3\nSection4=Empty\n"
                  "[Group1]\nItem13=Item3\nItemValue13=/bin/true\nItem14=Item7\nItem15=item5\n"
                  "Item16=  Item6  \nItem17=\nItem18=-\nItem19=&Save && go\n"
                  "[Group2]\nItem21=Shown in a hidden group\n");
    TForm1 bar(rig.MakePlatform());
    EXPECT_TRUE(bar.Groups[1]->menuAction()->isVisible());
    EXPECT_EQ(bar.Groups[1]->title(), "ツール");
    EXPECT_FALSE(bar.Groups[2]->menuAction()->isVisible());  // its entries do not matter
    EXPECT_TRUE(bar.Groups[3]->menuAction()->isVisible());   // case counts
    EXPECT_TRUE(bar.Groups[4]->menuAction()->isVisible());   // shown with no entry
    EXPECT_FALSE(bar.Groups[5]->menuAction()->isVisible());

    EXPECT_FALSE(bar.Item(1, 1)->isVisible());
    EXPECT_FALSE(bar.Item(1, 3)->isVisible());  // a target does not show it
    EXPECT_TRUE(bar.Item(1, 4)->isVisible());   // Item7 at position 4
    EXPECT_TRUE(bar.Item(1, 5)->isVisible());   // lower case
    EXPECT_FALSE(bar.Item(1, 6)->isVisible());  // trimmed on reading
    EXPECT_TRUE(bar.Item(1, 7)->isVisible());   // empty differs from Item7
    EXPECT_TRUE(bar.Item(1, 8)->isSeparator());
    EXPECT_FALSE(bar.Item(1, 9)->isSeparator());
    EXPECT_EQ(bar.Item(1, 9)->text(), "&Save && go");  // the menu's own access-key rules
    EXPECT_TRUE(bar.Item(2, 1)->isVisible());
    for (int g = 4; g <= 9; ++g)
        for (int i = 1; i <= 9; ++i) EXPECT_FALSE(bar.Item(g, i)->isVisible());
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

TEST(Ranch, LoadingTwiceGivesTheSameStateAndAReloadReplacesEverything) {
    TestRig rig;
    rig.WriteFile("Other.ini",
                  "[GroupName]\nSection3=三\n[Group3]\nItem35=エディタ\nItemValue35=/usr/bin/editor\n"
                  "[Window]\nShowBottom=1\nSysInfo=0\nColor=65280\nSize=30\nBlend=50\n");
    rig.WriteFile("DataFile.ini", "[Data]\nFile=" + rig.AppDir() + "Other.ini\n");
    TForm1 bar(rig.MakePlatform());
    const auto snapshot = [&] {
        QStringList s;
        for (QAction* a : bar.MainMenu1->actions()) s << a->text() << QString::number(a->isVisible());
        for (int g = 1; g <= 9; ++g)
            for (int i = 1; i <= 9; ++i)
                s << bar.Item(g, i)->text() << QString::number(bar.Item(g, i)->isVisible());
        const Rect r = bar.Geometry();
        s << QString::number(r.left) << QString::number(r.top) << QString::number(r.width)
          << QString::number(r.height) << QString::number(bar.AlphaBlendValue())
          << bar.BackgroundColor().name();
        return s;
    };
    const QStringList first = snapshot();
    EXPECT_EQ(bar.model().FCaptions[3 * 9 + 5], Sjis("エディタ"));
    EXPECT_EQ(bar.model().FTargets[3 * 9 + 5], "/usr/bin/editor");
    EXPECT_EQ(bar.BackgroundColor(), QColor(0, 255, 0));
    EXPECT_EQ(bar.AlphaBlendValue(), 128);
    EXPECT_EQ(bar.Geometry(), (Rect{0, 708, 1024, 30}));
    bar.LoadSettings();
    EXPECT_EQ(snapshot(), first);

    // Back to the defaults: every option is set again, nothing lingers.
    rig.WriteFile("DataFile.ini", "[Data]\nFile=" + rig.AppDir() + "Missing.ini\n");
    bar.LoadSettings();
    EXPECT_EQ(bar.model().FCaptions[0], rig.AppDir() + "Missing.ini");
    EXPECT_FALSE(bar.Groups[3]->menuAction()->isVisible());
    EXPECT_EQ(bar.model().FTargets[3 * 9 + 5], "");
    EXPECT_EQ(bar.AlphaBlendValue(), 255);
    EXPECT_EQ(bar.BackgroundColor(), QColor(255, 0, 0));
    EXPECT_EQ(bar.Geometry(), (Rect{0, 0, 1024, 20}));
}

TEST(Ranch, AJapaneseTitleIsAnnouncedAsItReads) {
    TestRig rig;
    Platform platform = rig.MakePlatform();
    platform.title = Sjis("ランチャー");
    const TForm1 bar(platform);
    EXPECT_EQ(bar.accessibleName(), QStringLiteral("ランチャー"));
}

TEST(Ranch, CaptionsThatAreNotShiftJisAreShownNotDropped) {
    TestRig rig;
    std::ofstream(rig.dir / "Sample.ini", std::ios::binary)
        << "[GroupName]\r\nSection1=bad\x81\r\n[Group1]\r\nItem11=ok\r\n";
    TForm1 bar(rig.MakePlatform());
    EXPECT_EQ(bar.model().FCaptions[1], "bad\x81");
    EXPECT_EQ(bar.Groups[1]->title(), "bad\\x81");
}

}  // namespace
}  // namespace tw
