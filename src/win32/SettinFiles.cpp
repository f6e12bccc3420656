#include "win32/SettinFiles.h"

#include "core/barrules.h"
#include "win32/controlids.h"
#include "win32/screen_win32.h"
#include "win32/wintext.h"

namespace tw::win32 {

namespace {

constexpr int kOuterWidth = 175, kOuterHeight = 257;
constexpr int kListHeight = 193, kItemHeight = 12;

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int cx,
           int cy, int id, HFONT font, DWORD exStyle = 0) {
    HWND w = CreateWindowExW(exStyle, cls, text,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                             nullptr);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return w;
}

int ShiftOf(WPARAM keys) {
    int shift = kShiftNone;
    if (keys & MK_SHIFT) shift |= kShiftShift;
    if (keys & MK_CONTROL) shift |= kShiftCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= kShiftAlt;
    return shift;
}

}  // namespace

TForm3::TForm3(HINSTANCE instance, HWND application, BarPresenter& bar, HFONT font)
    : presenter_(*this, bar) {
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, kClassName, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        RegisterClassExW(&wc);
    }
    Win32Screen screen;
    const Rect at = CentredIn(screen.WorkArea(), kOuterWidth, kOuterHeight);
    hwnd_ = CreateWindowExW(0, kClassName, L"設定ファイル", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            at.left, at.top, kOuterWidth, kOuterHeight, application, nullptr,
                            instance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Single selection, in the order given, rows of the designed height.
    list_ = Child(hwnd_, WC_LISTBOXW, L"", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0,
                  client.right, kListHeight, kListBox1, font, WS_EX_CLIENTEDGE);
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, kItemHeight);
    SetWindowLongPtrW(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
    // Neither button is the default or the cancel button.
    Child(hwnd_, WC_BUTTONW, L"OK", BS_PUSHBUTTON, 4, 200, 75, 25, kChooserButton1, font);
    Child(hwnd_, WC_BUTTONW, L"Cancel", BS_PUSHBUTTON, 84, 200, 75, 25, kChooserButton2, font);
    popup_ = CreatePopupMenu();
    AppendMenuW(popup_, MF_STRING, kMenuDelete1, L"削除");
}

TForm3::~TForm3() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    DestroyMenu(popup_);
}

LRESULT CALLBACK TForm3::WndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TForm3*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (!self) return DefWindowProcW(w, msg, wp, lp);
    return self->OnMessage(msg, wp, lp);
}

LRESULT CALLBACK TForm3::ListProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TForm3*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    const LRESULT result = CallWindowProcW(self->listProc_, w, msg, wp, lp);
    // After the list box's own handling, as a mouse-up event comes after it.
    if (msg == WM_RBUTTONUP || msg == WM_LBUTTONUP || msg == WM_MBUTTONUP) {
        const MouseButton b = msg == WM_RBUTTONUP   ? MouseButton::Right
                              : msg == WM_LBUTTONUP ? MouseButton::Left
                                                    : MouseButton::Middle;
        self->presenter_.ListBox1MouseUp(b, ShiftOf(wp), static_cast<short>(LOWORD(lp)),
                                         static_cast<short>(HIWORD(lp)));
    }
    return result;
}

LRESULT TForm3::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case kChooserButton1:
            if (HIWORD(wp) == BN_CLICKED) presenter_.Button1Click();
            return 0;
        case kChooserButton2:
            if (HIWORD(wp) == BN_CLICKED) presenter_.Button2Click();
            return 0;
        case kMenuDelete1:
            presenter_.Delete1Click();
            return 0;
        }
        // Enter and Escape (IDOK, IDCANCEL) choose and cancel nothing.
        return 0;
    case WM_SIZE:
        MoveWindow(list_, 0, 0, LOWORD(lp), kListHeight, TRUE);
        break;
    case WM_CLOSE:
        Hide();
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void TForm3::SetEntries(const std::vector<std::string>& sjisNames) {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : sjisNames)
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromSjis(name).c_str()));
}

int TForm3::SelectedIndex() const {
    return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
}

void TForm3::SelectIndex(int index) { SendMessageW(list_, LB_SETCURSEL, index, 0); }

int TForm3::EntryAt(int x, int y) const {
    const LRESULT hit = SendMessageW(list_, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    if (HIWORD(hit) != 0) return -1;  // outside every entry
    const int index = LOWORD(hit);
    RECT r{};
    if (SendMessageW(list_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
        return -1;
    const POINT p{x, y};
    return PtInRect(&r, p) ? index : -1;
}

void TForm3::OuterTopLeft(int& x, int& y) const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    x = r.left;
    y = r.top;
}

void TForm3::PopupMenu1Popup(int screenX, int screenY) {
    TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screenX, screenY, 0,
                   hwnd_, nullptr);
}

void TForm3::ShowInFront() {
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void TForm3::Hide() { ShowWindow(hwnd_, SW_HIDE); }

}  // namespace tw::win32
