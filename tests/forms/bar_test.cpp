// The bar's rules over a fake window: loading, placement, launching, header.
#include <gtest/gtest.h>

#include "core/sysformat.h"
#include "editorfakes.h"

namespace tw::test {
namespace {

constexpr char kSample[] =
    "[GroupName]\nSection1=アプリ\nSection3=Group3\n"
    "[Group1]\nItem11=エディタ\nItemValue11=/usr/bin/editor\nItem12=-\nItem13=Item3\n"
    "ItemValue13=/never\n[Window]\nColor=65280\nBlend=30\nShowJapanese=1\n";

TEST(BarForm, LoadSetsCaptionsVisibilitySeparatorsLabelsAlphaAndColour) {
    Rig r;
    r.Put("/app/DataFile.ini", "[Data]\nFile=/app/other.ini\n");
    r.Put("/app/other.ini", kSample);
    r.Start();
    EXPECT_EQ(r.M().FAppDir, "/app/");
    EXPECT_EQ(r.M().FCaptions[0], "/app/other.ini");
    EXPECT_EQ(r.barView.groupCaption[1], Sjis("アプリ"));
    EXPECT_TRUE(r.barView.groupVisible[1]);
    EXPECT_FALSE(r.barView.groupVisible[2]);
    EXPECT_FALSE(r.barView.groupVisible[3]);  // its default name, though written in the file
    EXPECT_EQ(r.barView.items[1][1].caption, Sjis("エディタ"));
    EXPECT_TRUE(r.barView.items[1][1].visible);
    EXPECT_FALSE(r.barView.items[1][1].separator);
    EXPECT_TRUE(r.barView.items[1][2].separator);
    EXPECT_TRUE(r.barView.items[1][2].visible);
    EXPECT_FALSE(r.barView.items[1][3].visible);
    EXPECT_FALSE(r.barView.items[9][9].visible);
    EXPECT_EQ(r.barView.alpha, 76);
    EXPECT_EQ(r.M().alphaBlendValue, 76);
    EXPECT_EQ(r.barView.color, 65280u);
    EXPECT_EQ(r.barView.fixed.controlPanel, Sjis(":ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ:"));
    EXPECT_EQ(r.barView.fixed.settingFiles, Sjis(":設定ﾌｧｲﾙ:"));
    EXPECT_EQ(r.barView.fixed.exit, Sjis("終了"));

    // A reload replaces everything, the English labels included.
    r.Put("/app/other.ini", "[Window]\n");
    r.bar->LoadSettings();
    EXPECT_FALSE(r.barView.groupVisible[1]);
    EXPECT_EQ(r.barView.items[1][1].caption, "Item1");
    EXPECT_FALSE(r.barView.items[1][2].separator);
    EXPECT_EQ(r.M().FTargets[BarIndex(1, 1)], "");
    EXPECT_EQ(r.barView.alpha, 255);
    EXPECT_EQ(r.barView.fixed.controlPanel, ":ControlPanel:");
    EXPECT_EQ(r.barView.fixed.setting, ":Setting:");
    EXPECT_EQ(r.barView.fixed.collapse, ":Collapse:");
    EXPECT_EQ(r.barView.fixed.help, "Help");
}

TEST(BarForm, VisibilityFollowsTheCaptionsAlone) {
    Rig r;
    r.Put("/app/Sample.ini",
          "[GroupName]\nSection1=ツール\nSection2=Group2\nSection3=group3\nSection4=Empty\n"
          "[Group1]\nItem13=Item3\nItemValue13=/bin/true\nItem14=Item7\nItem15=item5\n"
          "Item16=  Item6  \nItem17=\n[Group2]\nItem21=Shown in a hidden group\n");
    r.Start();
    const auto& v = r.barView;
    EXPECT_FALSE(v.groupVisible[2]);  // its entries do not matter
    EXPECT_TRUE(v.groupVisible[3]);   // case counts
    EXPECT_TRUE(v.groupVisible[4]);   // shown with no entry
    EXPECT_FALSE(v.items[1][3].visible);  // a target does not show it
    EXPECT_TRUE(v.items[1][4].visible);   // Item7 at position 4
    EXPECT_TRUE(v.items[1][5].visible);   // lower case
    EXPECT_FALSE(v.items[1][6].visible);  // trimmed on reading
    EXPECT_TRUE(v.items[1][7].visible);   // empty differs from Item7
    EXPECT_EQ(v.items[1][7].caption, "");
    EXPECT_TRUE(v.items[2][1].visible);
}

TEST(BarForm, LoadingTwiceGivesTheSameWindow) {
    Rig r;
    r.Put("/app/Sample.ini",
          "[GroupName]\nSection3=三\n[Group3]\nItem35=エディタ\nItemValue35=/usr/bin/editor\n"
          "[Window]\nShowBottom=1\nSysInfo=1\nColor=65280\nSize=30\nBlend=50\n");
    r.Start();
    const auto snapshot = [&] {
        const FakeBarView& v = r.barView;
        std::string s;
        for (int g = 1; g <= 9; ++g) {
            s += v.groupCaption[g] + char('0' + v.groupVisible[g]);
            for (int i = 1; i <= 9; ++i)
                s += v.items[g][i].caption + char('0' + v.items[g][i].visible) +
                     char('0' + v.items[g][i].separator);
        }
        for (int w : v.widths) s += std::to_string(w) + ",";
        const Rect g = v.geometry;
        return s + std::to_string(g.left) + "," + std::to_string(g.top) + "," +
               std::to_string(g.width) + "," + std::to_string(g.height) + "," +
               std::to_string(v.alpha) + "," + std::to_string(v.color) + v.fixed.exit +
               char('0' + v.headerShown) + char('0' + v.expandVisible);
    };
    const std::string first = snapshot();
    EXPECT_EQ(r.barView.geometry, (Rect{0, 738 - 30 - 15, 1024, 45}));
    EXPECT_EQ(r.barView.alpha, 128);
    r.bar->LoadSettings();
    EXPECT_EQ(snapshot(), first);
}

TEST(BarForm, PlacementFollowsTheWorkAreaAndTheSizeAlone) {
    Rig r;
    r.Put("/app/Sample.ini", "[Window]\n");
    r.Start();
    r.bar->FormMouseMove();  // without stretch the mouse moves nothing
    EXPECT_EQ(r.barView.geometry, (Rect{0, 0, 1024, 20}));
    // Task bar along the top: the top is the work-area height minus the size.
    r.screen.workArea = {0, 30, 1024, 738};
    r.Put("/app/Sample.ini", "[Window]\nShowBottom=1\nSize=20\n");
    r.bar->LoadSettings();
    EXPECT_EQ(r.barView.geometry, (Rect{0, 718, 1024, 20}));
    // The height includes the menu bar, even when that leaves no client area.
    r.Put("/app/Sample.ini", "[Window]\nSize=3\n");
    r.bar->LoadSettings();
    EXPECT_EQ(r.barView.geometry, (Rect{0, 0, 1024, 3}));
}

TEST(BarForm, TheHeaderIsLaidOutForTheWidthAtLoadAndNotAgainOnExpanding) {
    Rig r;
    r.Put("/app/Sample.ini", "[Window]\nSysInfo=1\nStrech=1\n");
    r.Start();
    EXPECT_EQ(r.barView.widths[3], 1024 - 150 - 300);  // the first load sees the creation width
    ASSERT_EQ(r.barView.geometry.width, 1);
    r.bar->LoadSettings();
    EXPECT_EQ(r.barView.widths[3], 1 - 150 - 300);
    r.bar->FormMouseMove();
    EXPECT_EQ(r.barView.geometry.width, 1024);
    EXPECT_EQ(r.barView.widths[3], 1 - 150 - 300);
}

TEST(BarForm, EveryTickReadsAfreshAndTheSeparatorsOnlyAfterAChange) {
    Rig r;
    r.status.separators = {'-', '.', ',', '.'};
    r.Put("/app/Sample.ini", "[Window]\nSysInfo=1\n");
    r.Start();
    const FakeStatus& s = r.status;
    r.status.queries = 0;
    r.bar->Timer1Timer();
    EXPECT_EQ(s.queries, 2);  // none for an absent D:
    EXPECT_EQ(r.barView.texts[2], "");

    // D: added after the load is written but keeps no room.
    r.status.now.minute = 59;
    r.status.total = {{'C', -1}, {'D', 734003200}};
    r.status.free = {{'C', -1}, {'D', 524288}};
    r.status.memory = {34359738368u, 8589934592u};
    r.status.hasD = true;
    r.bar->Timer1Timer();
    EXPECT_EQ(r.barView.texts[0], FormatDateTime(s.now, s.separators));
    EXPECT_EQ(r.barView.texts[1], DriveText('C', -1, -1, s.separators));
    EXPECT_EQ(r.barView.texts[2], DriveText('D', 734003200, 524288, s.separators));
    EXPECT_EQ(r.barView.widths[2], 0);
    EXPECT_EQ(r.barView.texts[3], MemoryText(s.memory));

    const std::string before = r.barView.texts[0];
    r.status.separators = {};
    r.bar->Timer1Timer();
    EXPECT_EQ(r.barView.texts[0], before);
    r.bar->LocaleChanged();
    r.bar->Timer1Timer();
    EXPECT_EQ(r.barView.texts[0], FormatDateTime(s.now, {}));
}

TEST(BarForm, PlacementCollapseAndExpansionOnAMoveButNotOnAKey) {
    Rig r;
    r.Put("/app/Sample.ini", "[Window]\nShowBottom=1\nSize=20\n");
    r.Start();
    EXPECT_EQ(r.barView.geometries.front(), (Rect{0, 0, 1024, 20}));  // at creation
    EXPECT_EQ(r.barView.geometry, (Rect{0, 718, 1024, 20}));
    EXPECT_FALSE(r.barView.expandVisible);

    r.Put("/app/Sample.ini", "[Window]\nShowBottom=1\nStrech=1\nSize=25\n");
    r.bar->LoadSettings();
    EXPECT_TRUE(r.barView.expandVisible);
    EXPECT_EQ(r.barView.geometry, (Rect{0, 0, 1, 738}));
    r.bar->FormKeyDown('A', kShiftNone);
    r.bar->FormKeyDown(kKeyReturn, kShiftAlt);
    EXPECT_EQ(r.barView.geometry, (Rect{0, 0, 1, 738}));
    EXPECT_FALSE(r.barView.closed);
    r.bar->FormMouseMove();
    EXPECT_EQ(r.barView.geometry, (Rect{0, 713, 1024, 25}));
    r.bar->Expand1Click();
    EXPECT_EQ(r.barView.geometry, (Rect{0, 0, 1, 738}));
    r.screen.workArea = {0, 0, 800, 570};
    r.bar->FormMouseMove();
    EXPECT_EQ(r.barView.geometry, (Rect{0, 545, 800, 25}));
}

TEST(BarForm, TheBarAsksForEveryWorkspaceAfterEachLoadCollapseAndExpansion) {
    Rig r;
    r.Put("/app/Sample.ini", "[Window]\nStrech=1\n");
    r.Start();
    EXPECT_EQ(r.barView.stayRequests, 1) << "the collapse of the load";
    r.bar->FormMouseMove();
    EXPECT_EQ(r.barView.stayRequests, 2) << "expanded";
    const std::size_t placements = r.barView.geometries.size();
    r.bar->FormMouseMove();
    r.bar->FormMouseMove();
    EXPECT_EQ(r.barView.stayRequests, 2) << "moves over an expanded bar change nothing";
    EXPECT_EQ(r.barView.geometries.size(), placements);
    r.bar->Expand1Click();
    EXPECT_EQ(r.barView.stayRequests, 3) << "collapsed";
    r.Put("/app/Sample.ini", "[Window]\n");
    r.bar->LoadSettings();
    EXPECT_EQ(r.barView.stayRequests, 4) << "loaded";
}

TEST(BarForm, HeaderLayoutTimerAndTexts) {
    Rig r;
    r.status.hasD = true;
    r.status.total['D'] = 1000000000;
    r.status.free['D'] = 250000000;
    r.status.memory = {4294967296u, 1073741824u};
    r.Put("/app/Sample.ini", "[Window]\nSysInfo=1\nShowBottom=1\n");
    r.Start();
    EXPECT_TRUE(r.barView.headerShown);
    EXPECT_TRUE(r.barView.timer);
    EXPECT_EQ(r.barView.timerPeriod, 10);
    EXPECT_EQ(r.barView.widths[2], 300);
    EXPECT_EQ(r.barView.widths[3], 1024 - 150 - 300 - 300);
    EXPECT_EQ(r.barView.headerHeight, 15);
    EXPECT_EQ(r.barView.geometry, (Rect{0, 738 - 20 - 15, 1024, 35}));

    r.bar->Timer1Timer();
    const Separators sep;
    EXPECT_EQ(r.barView.texts[0], FormatDateTime(r.status.now, sep));
    EXPECT_EQ(r.barView.texts[1], DriveText('C', 80023715840, 35401232384, sep));
    EXPECT_EQ(r.barView.texts[2], DriveText('D', 1000000000, 250000000, sep));
    EXPECT_EQ(r.barView.texts[3], MemoryText(r.status.memory));
    EXPECT_NE(r.barView.texts[2], r.barView.texts[1]);

    // Without the D: drive its section has no room and keeps its text.
    r.status.hasD = false;
    r.barView.texts[2] = "old";
    r.bar->LoadSettings();
    EXPECT_EQ(r.barView.widths[2], 0);
    EXPECT_EQ(r.barView.widths[3], 1024 - 150 - 300);
    r.bar->Timer1Timer();
    EXPECT_EQ(r.barView.texts[2], "old");

    // The option off hides the header and stops the timer.
    r.Put("/app/Sample.ini", "[Window]\nSysInfo=0\n");
    r.bar->LoadSettings();
    EXPECT_FALSE(r.barView.headerShown);
    EXPECT_FALSE(r.barView.timer);
    EXPECT_EQ(r.barView.geometry, (Rect{0, 0, 1024, 20}));
}

TEST(BarForm, ATimerThatCannotBeHadIsReportedInTheErrorBox) {
    Rig r;
    r.barView.timerAvailable = false;
    r.Put("/app/Sample.ini", "[Window]\nSysInfo=1\n");
    r.Start();
    ASSERT_EQ(r.dialogs.Texts("error").size(), 1u);
    EXPECT_EQ(r.dialogs.Texts("error")[0], "タイマーを取得できません.");
    EXPECT_EQ(r.dialogs.shown[0].owner, &r.barView);
}

TEST(BarForm, EveryShellRequestCarriesItsOwnerVerbDirectoryAndShowCommand) {
    Rig r;
    r.Put("/app/Sample.ini", "[Group3]\nItem35=ファイル\nItemValue35=/home/u/表.txt\n"
                             "Item36=x\nItemValue36=noslash\n");
    r.Start();
    r.bar->LaunchItem(3, 5);
    r.bar->LaunchItem(3, 6);
    ASSERT_EQ(r.shell.calls.size(), 2u);
    const ShellRequest& item = r.shell.calls[0];
    EXPECT_EQ(item.owner, nullptr);
    EXPECT_EQ(item.verb, std::nullopt);
    EXPECT_EQ(item.file, Sjis("/home/u/表.txt"));
    EXPECT_EQ(item.parameters, std::nullopt);
    EXPECT_EQ(item.directory, std::optional<std::string>("/home/u/"));
    EXPECT_EQ(item.show, SW_SHOWDEFAULT);
    EXPECT_EQ(r.shell.calls[1].directory, std::optional<std::string>(""));

    r.shell.calls.clear();
    r.bar->N16Click();
    r.bar->N8Click();
    ASSERT_EQ(r.shell.calls.size(), 2u);
    const ShellRequest& applet = r.shell.calls[0];
    EXPECT_EQ(applet.owner, &r.barView);
    EXPECT_EQ(applet.verb, std::optional<std::string>("OPEN"));
    EXPECT_EQ(applet.file, "rundll32.exe");
    EXPECT_EQ(applet.parameters, std::optional<std::string>(Sjis("shell32.dll,Control_RunDLL Sysdm.cpl システム")));
    EXPECT_EQ(applet.directory, std::optional<std::string>(""));
    EXPECT_EQ(applet.show, SW_SHOW);
    EXPECT_EQ(r.shell.calls[1].parameters,
              std::optional<std::string>(Sjis("shell32.dll,Control_RunDLL Main.cpl キーボード")));
    r.shell.calls.clear();
    r.bar->N7Click();
    r.bar->N3Click();
    ASSERT_EQ(r.shell.calls.size(), 2u);
    EXPECT_EQ(r.shell.calls[0].parameters,
              std::optional<std::string>(Sjis("shell32.dll,Control_RunDLL Main.cpl マウス")));
    EXPECT_EQ(r.shell.calls[1].parameters,
              std::optional<std::string>("shell32.dll,Control_RunDLL Desk.cpl"));

    r.shell.calls.clear();
    r.bar->N9Click();
    r.bar->Help1Click();
    ASSERT_EQ(r.shell.calls.size(), 2u);
    for (const ShellRequest& c : r.shell.calls) {
        EXPECT_EQ(c.owner, nullptr);
        EXPECT_EQ(c.verb, std::nullopt);
        EXPECT_EQ(c.parameters, std::nullopt);
        EXPECT_EQ(c.directory, std::nullopt);
        EXPECT_EQ(c.show, SW_SHOWNORMAL);
    }
    EXPECT_EQ(r.shell.calls[0].file, std::string(kPrintersFolder));
    EXPECT_EQ(r.shell.calls[1].file, "/app/TAMBLEWICKHELP.HLP");
}

TEST(BarForm, TargetsArePassedWholeWithTheirDirectoryPart) {
    struct Case {
        std::string_view separators;
        std::string target, directory;
    };
    const std::string hyo = Sjis("表"), so = Sjis("ソ");
    const Case cases[] = {
        {kPosixSeparators, "", ""},
        {kPosixSeparators, "xterm", ""},
        {kPosixSeparators, "/opt/my tool/run -x --flag", "/opt/my tool/"},
        {kPosixSeparators, "  /padded/ ", "  /padded/"},
        {kWindowsSeparators, "D:tool.exe", "D:"},
        {kWindowsSeparators, "C:\\" + hyo + "\\" + so + ".exe", "C:\\" + hyo + "\\"},
        {kWindowsSeparators, "C:\\" + so, "C:\\"},
    };
    for (const Case& c : cases) {
        Rig r;
        r.services.separators = c.separators;
        r.services.executablePath = c.separators == kPosixSeparators ? "/app/tamblewick"
                                                                     : "C:\\app\\tamblewick.exe";
        const std::string dir = c.separators == kPosixSeparators ? "/app/" : "C:\\app\\";
        MemoryDisk::Files()[dir + "Sample.ini"] = "[Group2]\r\nItemValue23=\"" + c.target + "\"\r\n";
        r.Start();
        EXPECT_EQ(r.M().FTargets[BarIndex(2, 3)], c.target);
        r.bar->LaunchItem(2, 3);
        ASSERT_EQ(r.shell.calls.size(), 1u);
        EXPECT_EQ(r.shell.calls[0].file, c.target);
        EXPECT_EQ(r.shell.calls[0].directory, c.directory) << c.target;
        EXPECT_TRUE(r.dialogs.shown.empty());
    }
}

TEST(BarForm, ExitAsksAndEscapeClosesAtOnce) {
    Rig r;
    r.Start();
    r.bar->Exit1Click();  // いいえ
    EXPECT_FALSE(r.barView.closed);
    ASSERT_EQ(r.dialogs.Texts("confirm").size(), 1u);
    EXPECT_EQ(r.dialogs.Texts("confirm")[0], "Tamblewick を終了しますか？");
    r.dialogs.confirmAnswers = {true};
    r.bar->Exit1Click();
    EXPECT_TRUE(r.barView.closed);

    Rig s;
    s.Start();
    s.bar->FormKeyDown(kKeyEscape, kShiftNone);
    EXPECT_TRUE(s.barView.closed);
    EXPECT_TRUE(s.dialogs.shown.empty());
}

TEST(BarForm, TheMenuOpensTheEditorAndTheChooser) {
    Rig r;
    r.Put("/app/Sample.ini", "[Window]\n");
    r.files.listing = {{"Sample.ini", kAttrArchive}};
    r.Start();
    r.bar->Setting1Click();
    EXPECT_TRUE(r.editorView.shown);
    r.bar->SettingFiles1Click();
    EXPECT_TRUE(r.chooserView.shown);
    EXPECT_EQ(r.chooserView.entries, std::vector<std::string>{"Sample.ini"});
}

}  // namespace
}  // namespace tw::test
