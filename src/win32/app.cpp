// The application object and the program entry of the Windows front end.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "core/barrules.h"
#include "core/sysstatus_background.h"
#include "core/text.h"
#include "platform/win/filesystem_win.h"
#include "platform/win/process_win.h"
#include "platform/win/profile_win.h"
#include "platform/win/shell_win.h"
#include "platform/win/sysstatus_win.h"
#include "win32/SettinFiles.h"
#include "win32/Ranch.h"
#ifdef TAMBLEWICK_EDITOR_STUB
#include "stub/editor_stub.h"
#else
#include "win32/Setting.h"
#endif
#include "win32/dialogs_win32.h"
#include "win32/font.h"
#include "win32/screen_win32.h"
#include "win32/winapi.h"
#include "win32/wintext.h"

namespace tw::win32 {

namespace {

// The hidden application window. It has the tool-window style and owns the
// bar and the chooser, so the program has no button on the task bar.
class TApp {
public:
    TApp(HINSTANCE instance, const std::wstring& title) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance;
        wc.lpszClassName = L"TApplication";
        RegisterClassExW(&wc);
        hwnd_ = CreateWindowExW(0, L"TApplication", title.c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU, 0, 0, 0, 0,
                                nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrW(hwnd_, GWL_EXSTYLE,
                          GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    }
    ~TApp() { DestroyWindow(hwnd_); }
    HWND Handle() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// Text as hexadecimal bytes, "-" for none.
std::string Hex(const char* s) {
    if (!s) return "-";
    std::string out = "=";
    char byte[3];
    for (const char* p = s; *p; ++p) {
        std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(*p));
        out += byte;
    }
    return out;
}

// With TAMBLEWICK_SHELL_LOG naming a file, each shell request is appended to
// it as one line instead of being carried out: the owner window and the
// show command in decimal, the strings as hexadecimal bytes ("-" for null),
// separated by blanks. Tests start the bar this way.
WinShell::Executor ShellExecutor() {
    const wchar_t* log = _wgetenv(L"TAMBLEWICK_SHELL_LOG");
    if (!log || !*log) {
        return [](void* owner, const char* verb, const char* file, const char* params,
                  const char* dir, int show) {
            return reinterpret_cast<intptr_t>(ShellExecuteA(static_cast<HWND>(owner), verb, file,
                                                            params, dir, show));
        };
    }
    return [path = std::wstring(log)](void* owner, const char* verb, const char* file,
                                      const char* params, const char* dir, int show) -> intptr_t {
        const std::string line = std::to_string(reinterpret_cast<uintptr_t>(owner)) + " " +
                                 Hex(verb) + " " + Hex(file) + " " + Hex(params) + " " + Hex(dir) +
                                 " " + std::to_string(show) + "\r\n";
        HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) return 0;
        DWORD written = 0;
        WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(f);
        return 42;
    };
}

}  // namespace

int Run(HINSTANCE instance) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    Win32Screen screen;
    const std::wstring face = ChooseDesignFace();

    const std::string exe = ExecutablePathUtf8();
    const auto exeSjis = TryUtf8ToSjis(exe);
    if (!exeSjis) {
        // No title can be made from a name Shift-JIS cannot hold: the box
        // shows the file name as it is.
        const std::string name = exe.substr(exe.find_last_of("\\:") + 1);
        Win32Dialogs(name, screen, face)
            .Error(nullptr, ErrorBoxText("'" + exe + "' には Shift-JIS で書けない文字があります"));
        return 1;
    }
    const std::string title = SjisToUtf8ForDisplay(ApplicationTitleOfPath(*exeSjis, kWindowsSeparators));
    TApp app(instance, WideFromUtf8(title));
    Win32Dialogs dialogs(title, screen, face);
    HFONT font = CreateDesignFont(face);

    WinProfile profile;
    WinFileSystem files;
    // The owner of a request is a window of this front end: its handle.
    WinShell shell(ShellExecutor(),
                   [](const void* owner) { return const_cast<void*>(owner); });
    BackgroundSystemStatus status(std::make_shared<WinSystemStatus>(), "CD", kHeaderFiguresInterval);
    const Services services{profile, files, shell, status, screen, dialogs,
                            kWindowsSeparators, *exeSjis, 10};
    // The header's layout at the first load wants to know whether D: is
    // there; a disk that does not answer within this time is taken as absent.
    status.AwaitFirstFigures(std::chrono::milliseconds(250));

    int code = 0;
    {
        TForm1 form1(instance, app.Handle(), services, font);
        TForm2 form2(instance, form1.presenter(), font);
        TForm3 form3(instance, app.Handle(), form1.presenter(), font);
        form1.presenter().SetForms(&form2.presenter(), &form3.presenter());
        form1.Show();
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            // Tab and the arrow keys move between the dialogs' controls.
            if (IsDialogMessageW(form2.Handle(), &msg) || IsDialogMessageW(form3.Handle(), &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        code = static_cast<int>(msg.wParam);
    }
    DeleteObject(font);
    return code;
}

}  // namespace tw::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return tw::win32::Run(instance); }
