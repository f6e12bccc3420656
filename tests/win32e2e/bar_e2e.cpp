// The bar window under Wine: its styles, alpha, placement, header, menu
// commands, collapse and expansion, Escape and the exit question.
#include <gtest/gtest.h>

#include <cwchar>
#include <set>

#include "../../src/win32/controlids.h"
#include "program.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;
using namespace tw::win32;

std::string Settings(const std::string& window, const std::string& groups = "") {
    return groups + "[Window]\n" + window;
}

void Command(HWND w, int id) { PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// Alt and a letter open a menu of the bar by its access key; the letter of
// an entry then chooses it, once the menu is open. Menus do not cross
// processes under Wine, so this is how their captions are checked.
bool ChooseByKeys(HWND bar, char group, char entry) {
    PostMessageW(bar, WM_SYSKEYDOWN, group, 0x20000001);  // with Alt held
    if (!WaitFor([] {
            HWND menu = FindWindowW(L"#32768", nullptr);
            return menu && IsWindowVisible(menu);
        }))
        return false;
    PostMessageW(bar, WM_KEYDOWN, entry, 1);
    return true;
}

bool SameRect(const RECT& r, int left, int top, int width, int height) {
    return r.left == left && r.top == top && r.right - r.left == width &&
           r.bottom - r.top == height;
}

// The height of "A" in the windows' face, measured here the same way.
int TextHeightOfA() {
    HDC dc = GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = SHIFTJIS_CHARSET;
    std::wstring face;
    for (const wchar_t* f : {L"ＭＳ Ｐゴシック", L"MS PGothic", L"IPAPGothic"}) {
        lstrcpynW(lf.lfFaceName, f, LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(
            dc, &lf,
            [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM p) -> int {
                *reinterpret_cast<bool*>(p) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            face = f;
            break;
        }
    }
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                             face.c_str());
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, L"A", 1, &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cy;
}

std::wstring ClockText(const SYSTEMTIME& t) {
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%04d/%02d/%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond);
    return buf;
}

TEST(Bar, StylesAlphaPlacementAndHeader) {
    Program p(Files{{"Sample.ini", Settings("ShowBottom=1\nSysInfo=1\nSize=24\nBlend=70\n"
                                       "Color=$00336699\n")}});
    HWND bar = p.Bar();
    ASSERT_TRUE(bar);

    // No task-bar button: the application window and the bar are tool windows.
    HWND app = p.Window(L"TApplication");
    ASSERT_TRUE(app);
    EXPECT_TRUE(GetWindowLongW(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(app));
    EXPECT_EQ(Text(app), L"Tamblewick");
    const LONG ex = GetWindowLongW(bar, GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED),
              WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED);
    const LONG style = GetWindowLongW(bar, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));

    // Blend 70 gives alpha 178.
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(bar, nullptr, &alpha, &flags));
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(alpha, 178);

    // The header: flat, under the menu, "A" + 3 high.
    HWND header = GetDlgItem(bar, kHeaderControl1);
    ASSERT_TRUE(header);
    wchar_t cls[32] = {};
    GetClassNameW(header, cls, 32);
    EXPECT_STREQ(cls, WC_HEADERW);
    EXPECT_TRUE(IsWindowVisible(header));
    EXPECT_TRUE(GetWindowLongW(header, GWL_STYLE) & HDS_FLAT);
    const RECT h = Outer(header);
    const int headerHeight = h.bottom - h.top;
    EXPECT_EQ(headerHeight, TextHeightOfA() + 3);

    // At the bottom of the work area, as wide as it, Size + header high.
    const RECT wa = WorkArea();
    const int waWidth = wa.right - wa.left, waHeight = wa.bottom - wa.top;
    EXPECT_TRUE(WaitFor([&] {
        return SameRect(Outer(bar), 0, waHeight - 24 - headerHeight, waWidth, 24 + headerHeight);
    })) << Outer(bar).left << "," << Outer(bar).top << " " << Outer(bar).right << ","
        << Outer(bar).bottom;
    EXPECT_EQ(h.right - h.left, waWidth);

    // Sections: 120, 280, 300 with a D: drive or 0, the rest of the width.
    int widths[4] = {};
    for (int s = 0; s < 4; ++s) p.HeaderText(header, s, &widths[s]);
    const DWORD d = GetFileAttributesW(L"D:\\");
    const bool hasD = d != INVALID_FILE_ATTRIBUTES && (d & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(widths[0], 120);
    EXPECT_EQ(widths[1], 280);
    EXPECT_EQ(widths[2], hasD ? 300 : 0);
    EXPECT_EQ(widths[3], GetSystemMetrics(SM_CXSCREEN) - 120 - 280 - widths[2]);

    // Texts: the clock, drive C: and the memory.
    ASSERT_TRUE(WaitFor([&] { return !p.HeaderText(header, 3).empty(); }));
    const std::wstring c = p.HeaderText(header, 1);
    EXPECT_EQ(c.rfind(L"[C] Size : ", 0), 0u) << U(c);
    EXPECT_NE(c.find(L" / Free : "), std::wstring::npos) << U(c);
    EXPECT_NE(c.find(L" / USED : "), std::wstring::npos) << U(c);
    EXPECT_EQ(c.back(), L'%');
    const std::wstring m = p.HeaderText(header, 3);
    EXPECT_EQ(m.rfind(L"物理メモリ:", 0), 0u) << U(m);
    EXPECT_NE(m.find(L"MB空きメモリ:"), std::wstring::npos) << U(m);
    EXPECT_NE(m.find(L"MBメモリ使用率:"), std::wstring::npos) << U(m);

    // The clock follows the second within a few ticks: each change of the
    // second is shown well before the next one.
    std::chrono::milliseconds worst{0};
    for (int changes = 0; changes < 3; ++changes) {
        SYSTEMTIME before;
        GetLocalTime(&before);
        SYSTEMTIME now;
        ASSERT_TRUE(WaitFor([&] {
            GetLocalTime(&now);
            return now.wSecond != before.wSecond;
        }, 3s));
        const auto changed = std::chrono::steady_clock::now();
        const std::wstring expected = ClockText(now);
        ASSERT_TRUE(WaitFor([&] { return p.HeaderText(header, 0) == expected; }, 2s))
            << U(p.HeaderText(header, 0)) << " != " << U(expected);
        worst = std::max(worst, std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - changed));
    }
    EXPECT_LT(worst.count(), 300) << "the clock lags behind by " << worst.count() << " ms";
}

TEST(Bar, MenuCommandsReachTheShell) {
    // A folder whose name has 0x5C as the second byte of a character.
    const std::string folder = "C:\\表\\";
    Program p(Files{{"Sample.ini", "[GroupName]\nSection1=&Tools\nSection3=ウェブ\n"
                              "[Group1]\nItem11=&Editor\nItemValue11=" + folder + "ed it.exe\n"
                              "Item12=Item2\nItemValue12=C:\\hidden.exe\n"
                              "Item13=-\nItem14=&Viewer\nItemValue14=viewer.exe\n"
                              "[Group3]\nItem35=Site\nItemValue35=http://example.com/\n"}});
    HWND bar = p.Bar();
    ASSERT_TRUE(bar);
    const auto calls = [&] { return p.ShellCalls(); };

    // Entry 5 of group 3: the target whole, no folder part, SW_SHOWDEFAULT.
    Command(bar, kMenuItemBase + 3 * 10 + 5);
    ASSERT_TRUE(WaitFor([&] { return calls().size() == 1; }));
    ShellCall c = calls()[0];
    EXPECT_EQ(c.owner, 0u);
    EXPECT_EQ(c.verb, std::nullopt);
    EXPECT_EQ(c.file, "http://example.com/");
    EXPECT_EQ(c.parameters, std::nullopt);
    EXPECT_EQ(c.directory, "http:");
    EXPECT_EQ(c.show, 10);

    // The mouse applet: the bar's window, "OPEN", rundll32.exe, the page
    // name in Shift-JIS, an empty folder, SW_SHOW.
    Command(bar, kMenuPanelBase + 7);
    ASSERT_TRUE(WaitFor([&] { return calls().size() == 2; }));
    c = calls()[1];
    EXPECT_EQ(c.owner, reinterpret_cast<uintptr_t>(bar));
    EXPECT_EQ(c.verb, "OPEN");
    EXPECT_EQ(c.file, "rundll32.exe");
    EXPECT_EQ(c.parameters, Sjis("shell32.dll,Control_RunDLL Main.cpl マウス"));
    EXPECT_EQ(c.directory, "");
    EXPECT_EQ(c.show, 5);

    // The printers folder and the help file, SW_SHOWNORMAL.
    Command(bar, kMenuPanelBase + 9);
    Command(bar, kMenuHelp1);
    ASSERT_TRUE(WaitFor([&] { return calls().size() == 4; }));
    EXPECT_EQ(calls()[2].file,
              "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-"
              "08002B30309D}\\::{2227A280-3AEA-1069-A2DE-08002B30309D}");
    EXPECT_EQ(calls()[2].show, 1);
    EXPECT_EQ(calls()[3].file, U(p.Dir()) + "TAMBLEWICKHELP.HLP");
    EXPECT_EQ(calls()[3].directory, std::nullopt);
    EXPECT_EQ(calls()[3].show, 1);

    // By the access keys of the captions as they are: Alt+T opens "&Tools",
    // E chooses "&Editor"; its folder ends at the last "\", not inside 表.
    ASSERT_TRUE(ChooseByKeys(bar, 'T', 'E'));
    ASSERT_TRUE(WaitFor([&] { return calls().size() == 5; }));
    c = calls()[4];
    EXPECT_EQ(c.file, Sjis(folder + "ed it.exe"));
    EXPECT_EQ(c.directory, Sjis(folder));
    EXPECT_EQ(c.parameters, std::nullopt);
    EXPECT_EQ(c.show, 10);

    // The entry after the separator by its key; the hidden "Item2" is not
    // in the menu, so V is the only V.
    ASSERT_TRUE(WaitFor([] { return !FindWindowW(L"#32768", nullptr) ||
                                    !IsWindowVisible(FindWindowW(L"#32768", nullptr)); }));
    ASSERT_TRUE(ChooseByKeys(bar, 'T', 'V'));
    ASSERT_TRUE(WaitFor([&] { return calls().size() == 6; }));
    EXPECT_EQ(calls()[5].file, "viewer.exe");
    EXPECT_EQ(calls()[5].directory, "");
}

TEST(Bar, CollapseExpansionAndEscape) {
    Program p(Files{{"Sample.ini", Settings("Strech=1\nSize=20\n")}});
    HWND bar = p.Bar();
    ASSERT_TRUE(bar);
    const RECT wa = WorkArea();
    const int waWidth = wa.right - wa.left, waHeight = wa.bottom - wa.top;
    // Collapsed at load: one pixel wide, the work area's height, top left.
    EXPECT_TRUE(WaitFor([&] { return SameRect(Outer(bar), 0, 0, 1, waHeight); }));
    // The mouse on the strip expands it.
    PostMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(0, 5));
    EXPECT_TRUE(WaitFor([&] { return SameRect(Outer(bar), 0, 0, waWidth, 20); }));
    // ":Collapse:" collapses it again.
    Command(bar, kMenuExpand1);
    EXPECT_TRUE(WaitFor([&] { return SameRect(Outer(bar), 0, 0, 1, waHeight); }));
    // Escape with Shift held ends the program without a question.
    PostMessageW(bar, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(p.Exited(10s));
    DWORD code = 1;
    GetExitCodeProcess(p.Process(), &code);
    EXPECT_EQ(code, 0u);
}

TEST(Bar, ExitAsksFirst) {
    Program p(Files{});
    HWND bar = p.Bar();
    ASSERT_TRUE(bar);
    const RECT wa = WorkArea();

    // いいえ keeps the bar.
    Command(bar, kMenuExit1);
    HWND box = WaitBox(p, L"確認");
    ASSERT_TRUE(box);
    EXPECT_EQ(BoxText(box), L"Tamblewick を終了しますか？");
    EXPECT_EQ(Text(GetDlgItem(box, IDYES)), L"はい(&Y)");
    EXPECT_EQ(Text(GetDlgItem(box, IDNO)), L"いいえ(&N)");
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(box, IDYES), GWL_STYLE) & BS_DEFPUSHBUTTON);
    const RECT b = Outer(box);
    EXPECT_LE(std::abs((b.left + b.right) - (wa.left + wa.right)), 1);
    EXPECT_LE(std::abs((b.top + b.bottom) - (wa.top + wa.bottom)), 1);
    PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_FALSE(p.Exited(0ms));

    // Escape in the box answers いいえ too.
    Command(bar, kMenuExit1);
    box = WaitBox(p, L"確認");
    ASSERT_TRUE(box);
    PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_FALSE(p.Exited(0ms));
    EXPECT_TRUE(IsWindowVisible(bar));

    // はい ends the program.
    Command(bar, kMenuExit1);
    box = WaitBox(p, L"確認");
    ASSERT_TRUE(box);
    PostMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
    EXPECT_TRUE(p.Exited(10s));
}

}  // namespace
}  // namespace e2e
