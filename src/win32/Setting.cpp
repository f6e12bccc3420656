#include <string>
#include <vector>

#include "forms/bar.h"
#include "win32/Setting.h"
#include "win32/SettingText.h"
#include "win32/controlids.h"
#include "win32/keys.h"

#include <windowsx.h>

namespace tw::win32 {

using namespace setting;

namespace {

constexpr wchar_t kClassName[] = L"TamblewickTForm2";

void RegisterClassOnce(HINSTANCE instance) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kClassName, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
}

}  // namespace

TForm2::TForm2(HINSTANCE instance, BarPresenter& bar, HFONT font)
    : instance_(instance), font_(font), presenter_(*this, *this, bar) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                             ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterClassOnce(instance_);
    // Resizable, hidden until the bar shows it; 706 x 495 outside.
    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"Tamblewick 設定",
                            WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 706,
                            495, nullptr, nullptr, instance_, nullptr);
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TForm2::WndProc));
    BuildControls();
    LayOut();
    // FormCreate: files dropped from other programs anywhere on the editor.
    DragAcceptFiles(hwnd_, TRUE);
}

TForm2::~TForm2() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK TForm2::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TForm2*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->Message(msg, wp, lp);
}

LRESULT TForm2::Message(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lp) == Control(kTrackBar1)) presenter_.TrackBar1Change();
        return 0;
    case WM_DROPFILES:
        WMDropFiles(reinterpret_cast<HDROP>(wp));
        return 0;
    case WM_SIZE:
        LayOut();
        return 0;
    case WM_GETMINMAXINFO: {
        // Room for the lower panel and the strip above it.
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize.x = 480;
        info->ptMinTrackSize.y = 320;
        return 0;
    }
    case WM_WINDOWPOSCHANGED:
        if (reinterpret_cast<WINDOWPOS*>(lp)->flags & SWP_SHOWWINDOW) OnShown();
        break;
    case WM_CLOSE:
        // The close button only hides: the editor lives as long as the program.
        Hide();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

// ---------------------------------------------------------------------------
// Showing

void TForm2::OnShown() {
    if (!shownBefore_) {
        // The folders are read when the editor is first shown, not while the
        // program starts: the desktop at the top, opened and selected.
        shownBefore_ = true;
        FillTreeRoots();
    }
    presenter_.FormShow();
}

void TForm2::ShowInFront() {
    if (!IsWindowVisible(hwnd_)) {
        if (!shownBefore_) CentreOnWorkArea();
        ShowWindow(hwnd_, SW_SHOW);
    }
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    SetForegroundWindow(hwnd_);
}

void TForm2::Hide() { ShowWindow(hwnd_, SW_HIDE); }

// ---------------------------------------------------------------------------
// Events

void TForm2::OnCommand(int id, int code, HWND control) {
    (void)control;
    switch (id) {
    case kComboBox1:
    case kComboBox2: {
        const EditorList list = id == kComboBox1 ? EditorList::ComboBox1 : EditorList::ComboBox2;
        bool& typed = typed_[static_cast<int>(list)];
        if (code == CBN_SELCHANGE) {
            typed = false;
            list == EditorList::ComboBox1 ? presenter_.ComboBox1Change() : presenter_.ComboBox2Change();
        } else if (code == CBN_EDITCHANGE) {
            typed = true;
            list == EditorList::ComboBox1 ? presenter_.ComboBox1Change() : presenter_.ComboBox2Change();
        } else if (code == CBN_KILLFOCUS) {
            // Leaving the field for another control of the editor renames;
            // switching to another program does not.
            const HWND focus = GetFocus();
            if (focus && (focus == hwnd_ || IsChild(hwnd_, focus)))
                list == EditorList::ComboBox1 ? presenter_.ComboBox1Exit() : presenter_.ComboBox2Exit();
        }
        return;
    }
    case kEdit1:
        if (code == EN_CHANGE && settingTarget_ == 0) presenter_.Edit1Change();
        return;
    case kEdit2:
        if (code == EN_CHANGE) presenter_.Edit2Change();
        return;
    case kEdit3:
        if (code == EN_CHANGE) presenter_.Edit3Change();
        return;
    case kEdit5:
        if (code == EN_CHANGE) presenter_.Edit5Change();
        return;
    default:
        break;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
    case kButton1: presenter_.Button1Click(); break;
    case kButton2: presenter_.Button2Click(); break;
    case kButton3: presenter_.Button3Click(); break;
    case kButton4: presenter_.Button4Click(); break;
    case kButton5: presenter_.Button5Click(); break;
    case kButton6: presenter_.Button6Click(); break;
    default: break;
    }
}

LRESULT TForm2::OnNotify(NMHDR* header) {
    if (header->idFrom != static_cast<UINT_PTR>(kShellTreeView1)) return 0;
    switch (header->code) {
    case TVN_ITEMEXPANDINGW: {
        auto* nm = reinterpret_cast<NMTREEVIEWW*>(header);
        if (nm->action & TVE_EXPAND) FillFolderChildren(nm->itemNew.hItem);
        return FALSE;
    }
    case TVN_SELCHANGEDW:
        presenter_.ShellTreeView1Change();
        return 0;
    case TVN_BEGINDRAGW: {
        // The folder pressed on is the one dragged.
        auto* nm = reinterpret_cast<NMTREEVIEWW*>(header);
        TreeView_SelectItem(header->hwndFrom, nm->itemNew.hItem);
        BeginDrag(header->hwndFrom);
        return 0;
    }
    case NM_RCLICK: {
        // A right click selects the folder under the mouse.
        TVHITTESTINFO hit{};
        GetCursorPos(&hit.pt);
        ScreenToClient(header->hwndFrom, &hit.pt);
        if (HTREEITEM item = TreeView_HitTest(header->hwndFrom, &hit))
            TreeView_SelectItem(header->hwndFrom, item);
        return 0;
    }
    default:
        return 0;
    }
}

void TForm2::WMDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT k = 0; k < count; ++k) {
        const UINT length = DragQueryFileW(drop, k, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(DragQueryFileW(drop, k, path.data(), length + 1));
        paths.push_back(Utf8FromWide(path));
    }
    DragFinish(drop);
    presenter_.WMDropFiles(paths);
}

// The messages of the lists' text fields, the filter field and the drag
// sources, before the controls' own handling.
LRESULT CALLBACK TForm2::ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR self) {
    auto* form = reinterpret_cast<TForm2*>(self);
    switch (id) {
    case kComboEdit1: return form->ComboEditMessage(EditorList::ComboBox1, hwnd, msg, wp, lp);
    case kComboEdit2: return form->ComboEditMessage(EditorList::ComboBox2, hwnd, msg, wp, lp);
    case kFilterEdit: return form->Edit2Message(hwnd, msg, wp, lp);
    case kTreeSource:
    case kListSource: return form->DragSourceMessage(hwnd, msg, wp, lp);
    default: return DefSubclassProc(hwnd, msg, wp, lp);
    }
}

LRESULT TForm2::ComboEditMessage(EditorList list, HWND edit, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETDLGCODE:
        // Enter belongs to the field (a rename), not to the dialog keys.
        if (lp && reinterpret_cast<MSG*>(lp)->message == WM_KEYDOWN && wp == VK_RETURN)
            return DLGC_WANTALLKEYS | DefSubclassProc(edit, msg, wp, lp);
        break;
    case WM_KEYDOWN:
        list == EditorList::ComboBox1 ? presenter_.ComboBox1KeyDown(static_cast<int>(wp), ShiftState())
                                      : presenter_.ComboBox2KeyDown(static_cast<int>(wp), ShiftState());
        break;
    case WM_CHAR:
        // The Enter character has been handled as a key; the field would beep.
        if (wp == L'\r' || wp == L'\n') return 0;
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, msg, wp, lp);
}

LRESULT TForm2::Edit2Message(HWND edit, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CHAR) {
        char32_t key = static_cast<char32_t>(wp);
        presenter_.Edit2KeyPress(key);
        if (key == 0) return 0;  // refused
    }
    return DefSubclassProc(edit, msg, wp, lp);
}

}  // namespace tw::win32
