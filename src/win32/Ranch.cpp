#include "win32/Ranch.h"

#include <algorithm>

#include "win32/controlids.h"
#include "win32/keys.h"
#include "win32/wintext.h"

namespace tw::win32 {

namespace {

constexpr UINT kRebuildMenu = WM_APP + 1;
constexpr UINT_PTR kTimer1 = 1;

// The Control Panel menu: caption and the number of its N-name; 0 marks a
// separator. Its captions are always Japanese.
struct PanelEntry {
    const wchar_t* caption;
    int n;
};
constexpr PanelEntry kPanel[] = {
    {L"システムのプロパティ", 16},
    {L"地域と言語のオプション", 5},
    {L"日付と時刻のプロパティ", 18},
    {L"ユーザー補助のオプション", 1},
    {L"電源オプション", 15},
    {nullptr, 17},
    {L"画面のプロパティ", 3},
    {L"サウンドとオーディオデバイスのプロパティ", 11},
    {L"マウスのプロパティ", 7},
    {L"キーボードのプロパティ", 8},
    {L"ゲームコントローラ", 6},
    {nullptr, 19},
    {L"プログラムの追加と削除", 2},
    {L"ハードウェアの追加", 10},
    {L"プリンタとFAX", 9},
    {L"モデム", 13},
    {L"ネットワーク接続", 4},
    {L"インターネットのプロパティ", 12},
    {nullptr, 20},
    {L"ユーザーアカウント", 14},
};

void RegisterClassOnce(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, TForm1::kClassName, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = TForm1::kClassName;
    RegisterClassExW(&wc);
}

}  // namespace

TForm1::TForm1(HINSTANCE instance, HWND application, const Services& services, HFONT font)
    : font_(font), brush_(CreateSolidBrush(RGB(255, 0, 0))), presenter_(*this, services) {
    RegisterClassOnce(instance);
    // Borderless, always on top, alpha-blended, no task-bar button.
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED, kClassName,
                            L"Form1", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 400, 20, application,
                            nullptr, instance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc));
    SetLayeredWindowAttributes(hwnd_, 0, 255, LWA_ALPHA);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (int g = 1; g <= 9; ++g) {
        groups_[g].caption = L"Group" + std::to_wstring(g);
        for (int i = 1; i <= 9; ++i) groups_[g].items[i].caption = L"Item" + std::to_wstring(i);
    }
    CreateHeader();
    RebuildMenu();
    presenter_.FormCreate();
}

TForm1::~TForm1() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    DeleteObject(brush_);
}

void TForm1::Show() {
    if (menuPending_) RebuildMenu();
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
}

// The header control: flat, four left-aligned sections of the designed
// widths, under the menu bar across the client area.
void TForm1::CreateHeader() {
    header_ = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_FLAT, 0,
                              0, 0, headerHeight_, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHeaderControl1)),
                              reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)),
                              nullptr);
    SendMessageW(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    const int widths[4] = {120, 280, 280, 150};
    for (int s = 0; s < 4; ++s) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.fmt = HDF_LEFT | HDF_STRING;
        item.cxy = widths[s];
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(header_, HDM_INSERTITEMW, s, reinterpret_cast<LPARAM>(&item));
    }
    SetWindowLongPtrW(header_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    headerProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(header_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HeaderProc)));
    LayoutHeader();
}

void TForm1::LayoutHeader() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    MoveWindow(header_, 0, 0, client.right, headerHeight_, TRUE);
}

LRESULT CALLBACK TForm1::WndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (!self) return DefWindowProcW(w, msg, wp, lp);
    return self->OnMessage(msg, wp, lp);
}

LRESULT CALLBACK TForm1::HeaderProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self && msg == WM_MOUSEMOVE) self->presenter_.FormMouseMove();
    return CallWindowProcW(self->headerProc_, w, msg, wp, lp);
}

LRESULT TForm1::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, brush_);
        return 1;
    }
    case WM_SIZE:
        LayoutHeader();
        break;
    case WM_MOUSEMOVE:
        presenter_.FormMouseMove();
        return 0;
    case WM_KEYDOWN:
        presenter_.FormKeyDown(static_cast<int>(wp), ShiftState());
        return 0;
    case WM_TIMER:
        if (wp == kTimer1) presenter_.Timer1Timer();
        return 0;
    case WM_SETTINGCHANGE:
        presenter_.LocaleChanged();
        break;
    case WM_COMMAND:
        if (HIWORD(wp) == 0 && lp == 0) {
            OnCommand(LOWORD(wp));
            return 0;
        }
        break;
    case kRebuildMenu:
        if (menuPending_) RebuildMenu();
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd_, kTimer1);
        hwnd_ = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void TForm1::OnCommand(int id) {
    if (id > kMenuItemBase && id < kMenuItemBase + 100) {
        const int g = (id - kMenuItemBase) / 10, i = (id - kMenuItemBase) % 10;
        if (g >= 1 && g <= 9 && i >= 1 && i <= 9) presenter_.LaunchItem(g, i);
        return;
    }
    switch (id) {
    case kMenuPanelBase + 1: presenter_.N1Click(); break;
    case kMenuPanelBase + 2: presenter_.N2Click(); break;
    case kMenuPanelBase + 3: presenter_.N3Click(); break;
    case kMenuPanelBase + 4: presenter_.N4Click(); break;
    case kMenuPanelBase + 5: presenter_.N5Click(); break;
    case kMenuPanelBase + 6: presenter_.N6Click(); break;
    case kMenuPanelBase + 7: presenter_.N7Click(); break;
    case kMenuPanelBase + 8: presenter_.N8Click(); break;
    case kMenuPanelBase + 9: presenter_.N9Click(); break;
    case kMenuPanelBase + 10: presenter_.N10Click(); break;
    case kMenuPanelBase + 11: presenter_.N11Click(); break;
    case kMenuPanelBase + 12: presenter_.N12Click(); break;
    case kMenuPanelBase + 13: presenter_.N13Click(); break;
    case kMenuPanelBase + 14: presenter_.N14Click(); break;
    case kMenuPanelBase + 15: presenter_.N15Click(); break;
    case kMenuPanelBase + 16: presenter_.N16Click(); break;
    case kMenuPanelBase + 18: presenter_.N18Click(); break;
    case kMenuSetting1: presenter_.Setting1Click(); break;
    case kMenuSettingFiles1: presenter_.SettingFiles1Click(); break;
    case kMenuExpand1: presenter_.Expand1Click(); break;
    case kMenuHelp1: presenter_.Help1Click(); break;
    case kMenuExit1: presenter_.Exit1Click(); break;
    }
}

// Menus.

void TForm1::SetGroupCaption(int g, const std::string& sjis) {
    groups_[g].caption = WideFromSjis(sjis);
    MenuChanged();
}

void TForm1::SetGroupVisible(int g, bool visible) {
    groups_[g].visible = visible;
    MenuChanged();
}

void TForm1::SetItemCaption(int g, int i, const std::string& sjis, bool separator) {
    groups_[g].items[i].caption = WideFromSjis(sjis);
    groups_[g].items[i].separator = separator;
    MenuChanged();
}

void TForm1::SetItemVisible(int g, int i, bool visible) {
    groups_[g].items[i].visible = visible;
    MenuChanged();
}

void TForm1::SetFixedCaptions(const FixedCaptions& captions) {
    fixed_ = captions;
    MenuChanged();
}

void TForm1::SetExpandVisible(bool visible) {
    expandVisible_ = visible;
    MenuChanged();
}

void TForm1::MenuChanged() {
    if (menuPending_) return;
    menuPending_ = true;
    PostMessageW(hwnd_, kRebuildMenu, 0, 0);
}

// Windows menus have no hidden entries: the bar's menu is made afresh from
// what is visible, captions as they are ("&" marks the access key).
void TForm1::RebuildMenu() {
    menuPending_ = false;
    HMENU bar = CreateMenu();
    for (int g = 1; g <= 9; ++g) {
        const Group& group = groups_[g];
        if (!group.visible) continue;
        HMENU popup = CreatePopupMenu();
        for (int i = 1; i <= 9; ++i) {
            const Entry& e = group.items[i];
            if (!e.visible) continue;
            if (e.separator)
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(popup, MF_STRING, kMenuItemBase + g * 10 + i, e.caption.c_str());
        }
        AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                    group.caption.c_str());
    }
    HMENU panel = CreatePopupMenu();
    for (const PanelEntry& p : kPanel) {
        if (p.caption)
            AppendMenuW(panel, MF_STRING, kMenuPanelBase + p.n, p.caption);
        else
            AppendMenuW(panel, MF_SEPARATOR, 0, nullptr);
    }
    const auto text = [](const std::string& sjis, const wchar_t* design) {
        return sjis.empty() ? std::wstring(design) : WideFromSjis(sjis);
    };
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(panel),
                text(fixed_.controlPanel, L":ControlPanel:").c_str());
    AppendMenuW(bar, MF_STRING, kMenuSetting1, text(fixed_.setting, L":Setting:").c_str());
    AppendMenuW(bar, MF_STRING, kMenuSettingFiles1,
                text(fixed_.settingFiles, L":SettingFiles:").c_str());
    if (expandVisible_)
        AppendMenuW(bar, MF_STRING, kMenuExpand1, text(fixed_.collapse, L":Collapse:").c_str());
    AppendMenuW(bar, MF_STRING, kMenuHelp1, text(fixed_.help, L":Help:").c_str());
    AppendMenuW(bar, MF_STRING, kMenuExit1, text(fixed_.exit, L":Exit:").c_str());
    HMENU old = GetMenu(hwnd_);
    SetMenu(hwnd_, bar);
    if (old) DestroyMenu(old);
    DrawMenuBar(hwnd_);
}

// The window.

Rect TForm1::Geometry() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TForm1::SetGeometry(const Rect& r) {
    if (r == Geometry()) return;
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::SetAlpha(int alpha) {
    SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(alpha & 0xFF), LWA_ALPHA);
}

void TForm1::SetColor(uint32_t color) {
    HBRUSH old = brush_;
    brush_ = CreateSolidBrush(static_cast<COLORREF>(color));
    DeleteObject(old);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TForm1::Close() {
    if (hwnd_) DestroyWindow(hwnd_);
}

// The header.

void TForm1::ShowHeader(bool visible) {
    headerVisible_ = visible;
    ShowWindow(header_, visible ? SW_SHOWNA : SW_HIDE);
}

int TForm1::HeaderSectionWidth(int section) const {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    SendMessageW(header_, HDM_GETITEMW, section, reinterpret_cast<LPARAM>(&item));
    return item.cxy;
}

void TForm1::SetHeaderSectionWidth(int section, int width) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::clamp(width, 0, 10000);
    SendMessageW(header_, HDM_SETITEMW, section, reinterpret_cast<LPARAM>(&item));
}

void TForm1::SetHeaderText(int section, const std::string& utf8) {
    std::wstring text = WideFromUtf8(utf8);
    // An unchanged text is not drawn again.
    if (text == headerTexts_[section]) return;
    headerTexts_[section] = std::move(text);
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = headerTexts_[section].data();
    SendMessageW(header_, HDM_SETITEMW, section, reinterpret_cast<LPARAM>(&item));
}

int TForm1::HeaderTextHeight() const {
    HDC dc = GetDC(header_);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, L"A", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(header_, dc);
    return size.cy;
}

void TForm1::SetHeaderHeight(int height) {
    headerHeight_ = height;
    LayoutHeader();
}

bool TForm1::StartTimer1(int periodMs) {
    return SetTimer(hwnd_, kTimer1, static_cast<UINT>(periodMs), nullptr) != 0;
}

void TForm1::StopTimer1() { KillTimer(hwnd_, kTimer1); }

}  // namespace tw::win32
