#include "win32/dialogs_win32.h"

#include <vector>

#include "core/barrules.h"
#include "win32/winapi.h"
#include "win32/wintext.h"

namespace tw::win32 {

namespace {

HWND OwnerWindow(WindowHandle owner) {
    HWND w = static_cast<HWND>(const_cast<void*>(owner));
    return w && IsWindow(w) ? w : nullptr;
}

void CentreIn(HWND w, const Rect& area) {
    RECT r{};
    GetWindowRect(w, &r);
    const Rect c = CentredIn(area, r.right - r.left, r.bottom - r.top);
    SetWindowPos(w, nullptr, c.left, c.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The box being opened on this thread: a CBT hook sees its window before it
// is shown, centres it and names its buttons.
struct OpeningBox {
    HHOOK hook = nullptr;
    Rect area;
    bool renameYesNo = false;
};
thread_local OpeningBox* opening = nullptr;
thread_local WNDPROC confirmProc = nullptr;

// Escape and the close box answer いいえ.
LRESULT CALLBACK ConfirmProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
        EndDialog(w, IDNO);
        return 0;
    }
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) {
        EndDialog(w, IDNO);
        return 0;
    }
    return CallWindowProcW(confirmProc, w, msg, wp, lp);
}

LRESULT CALLBACK OnCbt(int code, WPARAM wp, LPARAM lp) {
    OpeningBox* box = opening;
    if (code == HCBT_ACTIVATE && box) {
        HWND w = reinterpret_cast<HWND>(wp);
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0) {
            opening = nullptr;
            CentreIn(w, box->area);
            if (box->renameYesNo) {
                SetDlgItemTextW(w, IDYES, L"はい(&Y)");
                SetDlgItemTextW(w, IDNO, L"いいえ(&N)");
                EnableMenuItem(GetSystemMenu(w, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
                confirmProc = reinterpret_cast<WNDPROC>(
                    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ConfirmProc)));
            }
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

int Win32Dialogs::Box(WindowHandle owner, const std::string& text, const std::string& caption,
                      unsigned type, bool renameYesNo) {
    OpeningBox box;
    box.area = screen_.WorkArea();
    box.renameYesNo = renameYesNo;
    OpeningBox* const outer = opening;
    opening = &box;
    box.hook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(OwnerWindow(owner), WideFromUtf8(text).c_str(),
                                   WideFromUtf8(caption).c_str(), type | MB_SETFOREGROUND);
    if (box.hook) UnhookWindowsHookEx(box.hook);
    opening = outer;
    return answer;
}

bool Win32Dialogs::Confirm(WindowHandle owner, const std::string& text) {
    return Box(owner, text, "確認", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1, true) == IDYES;
}

void Win32Dialogs::Information(WindowHandle owner, const std::string& text) {
    Box(owner, text, title_, MB_OK, false);
}

void Win32Dialogs::Error(WindowHandle owner, const std::string& text) {
    Box(owner, text, title_, MB_OK | MB_ICONSTOP, false);
}

namespace {

// The input box's template, built in memory: WORD-aligned items after a
// DLGTEMPLATE with its font.
class TemplateWriter {
public:
    void Word(WORD w) { data_.push_back(w); }
    void DWord(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const std::wstring& s) {
        for (wchar_t c : s) Word(static_cast<WORD>(c));
        Word(0);
    }
    void AlignDWord() {
        if (data_.size() % 2) Word(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
              const std::wstring& text) {
        AlignDWord();
        DWord(style | WS_CHILD | WS_VISIBLE);
        DWord(0);
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF);
        Word(cls);
        Text(text);
        Word(0);  // no creation data
    }
    std::vector<WORD>& data() { return data_; }

private:
    std::vector<WORD> data_;
};

enum : WORD { kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082 };
enum : WORD { kPromptId = 100, kEditId = 101 };

struct InputState {
    std::wstring text;
    Rect area;
};

INT_PTR CALLBACK InputProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(w, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<InputState*>(lp);
        SetWindowLongPtrW(w, DWLP_USER, lp);
        HWND edit = GetDlgItem(w, kEditId);
        SendMessageW(edit, EM_LIMITTEXT, 255, 0);
        SetWindowTextW(edit, state->text.c_str());
        SendMessageW(edit, EM_SETSEL, 0, -1);
        CentreIn(w, state->area);
        SetFocus(edit);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            HWND edit = GetDlgItem(w, kEditId);
            std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(),
                                                                static_cast<int>(text.size()))));
            state->text = text;
            EndDialog(w, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(w, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::string> Win32Dialogs::InputBox(WindowHandle owner, const std::string& caption,
                                                  const std::string& prompt,
                                                  const std::string& text) {
    TemplateWriter t;
    // DLGTEMPLATE: style, extended style, item count, position and size in
    // dialog units, no menu, the default class, the caption, the font.
    t.DWord(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.DWord(0);
    t.Word(4);
    t.Word(0);
    t.Word(0);
    t.Word(180);
    t.Word(66);
    t.Word(0);
    t.Word(0);
    t.Text(WideFromUtf8(caption));
    t.Word(9);
    t.Text(face_);
    t.Item(SS_LEFT, 8, 6, 164, 10, kPromptId, kStaticClass, WideFromUtf8(prompt));
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 20, 164, 13, kEditId, kEditClass, L"");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 66, 42, 50, 15, IDOK, kButtonClass, L"OK");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 122, 42, 50, 15, IDCANCEL, kButtonClass, L"キャンセル");
    InputState state{WideFromUtf8(text), screen_.WorkArea()};
    const INT_PTR answer = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(t.data().data()),
        OwnerWindow(owner), InputProc, reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) return std::nullopt;
    return Utf8FromWide(state.text);
}

std::optional<uint32_t> Win32Dialogs::ChooseColor(WindowHandle owner, uint32_t preset) {
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = OwnerWindow(owner);
    cc.rgbResult = preset;
    cc.lpCustColors = customColors_;
    cc.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!ChooseColorW(&cc)) return std::nullopt;
    return static_cast<uint32_t>(cc.rgbResult);
}

std::optional<std::string> Win32Dialogs::OpenFile(WindowHandle owner, const std::string& filter,
                                                  const std::string& initialDir) {
    // "description|pattern" becomes "description\0pattern\0\0".
    std::wstring filters = WideFromUtf8(filter);
    for (wchar_t& c : filters)
        if (c == L'|') c = L'\0';
    filters.push_back(L'\0');
    filters.push_back(L'\0');
    const std::wstring folder = WideFromUtf8(initialDir);
    std::wstring file(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = OwnerWindow(owner);
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return std::nullopt;
    file.resize(wcslen(file.c_str()));
    return Utf8FromWide(file);
}

}  // namespace tw::win32
