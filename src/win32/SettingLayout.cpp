// The settings editor's controls and where they go: the filter strip and
// the folder browser above, the lower panel of fixed height with the lists,
// the target field, the options, the settings-file field and the buttons.
#include <algorithm>

#include "win32/Setting.h"
#include "win32/controlids.h"

namespace tw::win32 {

namespace {

constexpr int kStripHeight = 25;
constexpr int kPanelHeight = 185;
constexpr int kFileListWidth = 304;
constexpr int kTargetWidth = 585;
constexpr int kButtonWidth = 82;

}  // namespace

HWND TForm2::Make(const wchar_t* cls, const wchar_t* text, DWORD style, int id, DWORD exStyle) {
    HWND w = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (w && font_) SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return w;
}

void TForm2::BuildControls() {
    if (font_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
    const DWORD check = WS_TABSTOP | BS_AUTOCHECKBOX;
    const DWORD field = WS_TABSTOP | ES_AUTOHSCROLL;

    // The lower panel, in its tab order: the lists, the target, the options.
    groupBox1_ = Make(L"BUTTON", L"メニューグループ", BS_GROUPBOX, -1);
    HWND combo1 = Make(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, kComboBox1);
    groupBox2_ = Make(L"BUTTON", L"メニュー項目", BS_GROUPBOX, -1);
    HWND combo2 = Make(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, kComboBox2);
    groupBox3_ = Make(L"BUTTON", L"ターゲット", BS_GROUPBOX, -1);
    Make(WC_EDITW, L"", field, kEdit1, WS_EX_CLIENTEDGE);
    Make(L"BUTTON", L"デスクトップの下側に表示", check, kCheckBox1);
    Make(L"BUTTON", L"伸縮表示する", check, kCheckBox2);
    Make(L"BUTTON", L"システム情報表示", check, kCheckBox3);
    Make(L"BUTTON", L"日本語表示", check, kCheckBox4);

    label2_ = Make(WC_STATICW, L"サイズ：", SS_LEFT, -1);
    HWND edit3 = Make(WC_EDITW, L"20", field | ES_NUMBER, kEdit3, WS_EX_CLIENTEDGE);
    HWND upDown1 = Make(UPDOWN_CLASSW, L"",
                        UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, kUpDown1);
    SendMessageW(upDown1, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit3), 0);
    SendMessageW(upDown1, UDM_SETRANGE32, 3, 50);
    SendMessageW(upDown1, UDM_SETPOS32, 0, 20);
    Make(L"BUTTON", L"色", button, kButton3);

    label4_ = Make(WC_STATICW, L"半透明度", SS_LEFT, -1);
    HWND track = Make(TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS,
                      kTrackBar1);
    SendMessageW(track, TBM_SETRANGEMIN, FALSE, 30);
    SendMessageW(track, TBM_SETRANGEMAX, FALSE, 100);
    SendMessageW(track, TBM_SETTICFREQ, 1, 0);
    SendMessageW(track, TBM_SETLINESIZE, 0, 1);
    SendMessageW(track, TBM_SETPAGESIZE, 0, 2);
    SendMessageW(track, TBM_SETPOS, TRUE, 100);
    HWND edit5 = Make(WC_EDITW, L"100", field | ES_NUMBER, kEdit5, WS_EX_CLIENTEDGE);
    HWND upDown2 = Make(UPDOWN_CLASSW, L"",
                        UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, kUpDown2);
    SendMessageW(upDown2, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit5), 0);
    SendMessageW(upDown2, UDM_SETRANGE32, 30, 100);
    SendMessageW(upDown2, UDM_SETPOS32, 0, 100);

    label3_ = Make(WC_STATICW, L"設定ファイル：", SS_LEFT, -1);
    Make(WC_EDITW, L"Edit4", field | ES_READONLY, kEdit4, WS_EX_CLIENTEDGE);
    Make(L"BUTTON", L"参照", button, kButton5);
    Make(L"BUTTON", L"上書き保存", button, kButton6);
    Make(L"BUTTON", L"新規保存", button, kButton4);
    Make(L"BUTTON", L"Cancel", button, kButton1);
    Make(L"BUTTON", L"OK", button, kButton2);

    // The upper part: the filter strip, the folder tree and the file list.
    // The desktop and the drives are the tree's top nodes, so those carry
    // buttons too.
    label1_ = Make(WC_STATICW, L"拡張子フィルター： *.", SS_RIGHT, -1);
    HWND edit2 = Make(WC_EDITW, L"", field, kEdit2, WS_EX_CLIENTEDGE);
    HWND tree = Make(WC_TREEVIEWW, L"",
                     WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                     kShellTreeView1, WS_EX_CLIENTEDGE);
    HWND list = Make(WC_LISTBOXW, L"",
                     WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT,
                     kFileListBox1, WS_EX_CLIENTEDGE);

    // The lists' text fields, the filter and the drag sources are read
    // before the controls handle their messages.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo1, &info))
        SetWindowSubclass(info.hwndItem, &TForm2::ControlProc, kComboEdit1, reinterpret_cast<DWORD_PTR>(this));
    info = COMBOBOXINFO{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo2, &info))
        SetWindowSubclass(info.hwndItem, &TForm2::ControlProc, kComboEdit2, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(edit2, &TForm2::ControlProc, kFilterEdit, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(tree, &TForm2::ControlProc, kTreeSource, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(list, &TForm2::ControlProc, kListSource, reinterpret_cast<DWORD_PTR>(this));
}

void TForm2::LayOut() {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int width = client.right;
    const int height = client.bottom;
    const auto place = [](HWND w, int x, int y, int cx, int cy) {
        SetWindowPos(w, nullptr, x, y, std::max(cx, 0), std::max(cy, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    };

    // The filter strip: the label and its field in the right half.
    const int half = width / 2;
    place(label1_, half, 6, 112, 16);
    place(Control(kEdit2), half + 114, 3, 45, 19);

    // The folder tree takes the width the file list leaves.
    const int panelTop = std::max(height - kPanelHeight, kStripHeight);
    const int browserHeight = panelTop - kStripHeight;
    const int treeWidth = std::max(width - kFileListWidth, 0);
    place(Control(kShellTreeView1), 0, kStripHeight, treeWidth, browserHeight);
    place(Control(kFileListBox1), treeWidth, kStripHeight, std::min(kFileListWidth, width), browserHeight);

    // The lower panel.
    const int y = panelTop;
    place(groupBox1_, 4, y + 2, 160, 46);
    place(Control(kComboBox1), 12, y + 19, 144, 200);
    place(groupBox2_, 170, y + 2, 160, 46);
    place(Control(kComboBox2), 178, y + 19, 144, 200);
    place(groupBox3_, 4, y + 50, kTargetWidth + 12, 44);
    place(Control(kEdit1), 10, y + 66, kTargetWidth, 21);

    place(Control(kCheckBox1), 8, y + 100, 170, 20);
    place(Control(kCheckBox2), 8, y + 124, 170, 20);
    place(Control(kCheckBox3), 180, y + 100, 120, 20);
    place(Control(kCheckBox4), 180, y + 124, 120, 20);

    place(label2_, 306, y + 103, 52, 16);
    place(Control(kEdit3), 360, y + 100, 48, 21);
    SendMessageW(Control(kUpDown1), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(kEdit3)), 0);
    place(Control(kButton3), 416, y + 99, 40, 23);
    place(label4_, 306, y + 131, 52, 16);
    place(Control(kTrackBar1), 356, y + 126, 164, 30);
    place(Control(kEdit5), 522, y + 128, 48, 21);
    SendMessageW(Control(kUpDown2), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(kEdit5)), 0);

    // The buttons stacked at the right edge, the settings file before them.
    const int buttonsX = std::max(width - kButtonWidth - 6, kTargetWidth + 20);
    place(Control(kButton6), buttonsX, y + 6, kButtonWidth, 25);
    place(Control(kButton4), buttonsX, y + 35, kButtonWidth, 25);
    place(Control(kButton1), buttonsX, y + 120, kButtonWidth, 25);
    place(Control(kButton2), buttonsX, y + 150, kButtonWidth, 25);
    place(label3_, 340, y + 4, 120, 16);
    const int browseX = buttonsX - 8 - 46;
    place(Control(kEdit4), 340, y + 22, browseX - 4 - 340, 21);
    place(Control(kButton5), browseX, y + 21, 46, 23);
}

void TForm2::CentreOnWorkArea() {
    RECT area, outer;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(hwnd_, &outer);
    const int cx = outer.right - outer.left, cy = outer.bottom - outer.top;
    const int x = area.left + (area.right - area.left - cx) / 2;
    const int y = area.top + (area.bottom - area.top - cy) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tw::win32
