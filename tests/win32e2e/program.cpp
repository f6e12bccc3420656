#include "program.h"

#include <cstdio>
#include <sstream>
#include <thread>

namespace e2e {

std::wstring W(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

static std::string Narrow(UINT cp, const std::wstring& wide) {
    const int n = WideCharToMultiByte(cp, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(cp, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::string U(const std::wstring& wide) { return Narrow(CP_UTF8, wide); }
std::string Sjis(const std::string& utf8) { return Narrow(932, W(utf8)); }

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

static std::wstring ModuleDir() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

static void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

static std::optional<std::string> ReadBytes(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE |
                           FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string out;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
    CloseHandle(f);
    return out;
}

static std::string CrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

Program::Program(const Files& files, const std::wstring& exeName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    dir_ = std::wstring(temp) + L"tw-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++serial) + L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    for (const auto& [name, text] : files) WriteBytes(dir_ + W(name), Sjis(CrLf(text)));
    const std::wstring exe = dir_ + exeName;
    CopyFileW((ModuleDir() + L"tamblewick.exe").c_str(), exe.c_str(), FALSE);
    log_ = dir_ + L"shell.log";
    SetEnvironmentVariableW(L"TAMBLEWICK_SHELL_LOG", log_.c_str());
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir_.c_str(),
                        &si, &pi_))
        std::fprintf(stderr, "cannot start %ls (%lu)\n", exe.c_str(), GetLastError());
    SetEnvironmentVariableW(L"TAMBLEWICK_SHELL_LOG", nullptr);
}

Program::~Program() {
    if (pi_.hProcess) {
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 10000);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir_ + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                SetFileAttributesW((dir_ + fd.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW((dir_ + fd.cFileName).c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir_.c_str());
}

bool Program::Exited(std::chrono::milliseconds timeout) {
    return WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

namespace {
struct Find {
    DWORD pid;
    const wchar_t* cls;
    const wchar_t* caption;
    HWND found = nullptr;
};
BOOL CALLBACK OnWindow(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Find*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != f->pid) return TRUE;
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (f->cls && lstrcmpW(cls, f->cls) != 0) return TRUE;
    if (f->caption && Text(w) != f->caption) return TRUE;
    f->found = w;
    return FALSE;
}
}  // namespace

HWND Program::Window(const wchar_t* cls, const wchar_t* caption) const {
    Find f{pi_.dwProcessId, cls, caption};
    EnumWindows(OnWindow, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

HWND Program::WaitVisible(const wchar_t* cls, const wchar_t* caption) {
    HWND w = nullptr;
    WaitFor([&] {
        w = Window(cls, caption);
        return w && IsWindowVisible(w);
    });
    return w && IsWindowVisible(w) ? w : nullptr;
}

static std::optional<std::string> Unhex(const std::string& field) {
    if (field == "-") return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i + 1 < field.size(); i += 2)
        out += static_cast<char>(std::stoi(field.substr(i, 2), nullptr, 16));
    return out;
}

std::vector<ShellCall> Program::ShellCalls() const {
    std::vector<ShellCall> calls;
    const auto bytes = ReadBytes(log_);
    if (!bytes) return calls;
    std::istringstream lines(*bytes);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream fields(line);
        std::string owner, verb, file, params, dir;
        ShellCall c;
        fields >> owner >> verb >> file >> params >> dir >> c.show;
        c.owner = static_cast<uintptr_t>(std::stoull(owner));
        c.verb = Unhex(verb);
        c.file = Unhex(file);
        c.parameters = Unhex(params);
        c.directory = Unhex(dir);
        calls.push_back(c);
    }
    return calls;
}

std::optional<std::string> Program::ReadFile(const std::string& name) const {
    return ReadBytes(dir_ + W(name));
}

std::wstring Program::HeaderText(HWND header, int section, int* width) const {
    // The item and its text buffer live in the bar's process.
    constexpr int kChars = 512;
    void* remote = VirtualAllocEx(pi_.hProcess, nullptr, sizeof(HDITEMW) + kChars * 2,
                                  MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return L"<no memory>";
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(HDITEMW));
    item.cchTextMax = kChars;
    SIZE_T n = 0;
    WriteProcessMemory(pi_.hProcess, remote, &item, sizeof item, &n);
    SendMessageW(header, HDM_GETITEMW, section, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(pi_.hProcess, remote, &item, sizeof item, &n);
    wchar_t text[kChars] = {};
    ReadProcessMemory(pi_.hProcess, static_cast<char*>(remote) + sizeof(HDITEMW), text,
                      sizeof text - 2, &n);
    VirtualFreeEx(pi_.hProcess, remote, 0, MEM_RELEASE);
    if (width) *width = item.cxy;
    return text;
}

std::wstring Text(HWND w) {
    wchar_t buf[1024] = {};
    SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                        5000, nullptr);
    return buf;
}

RECT Outer(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

RECT WorkArea() {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

std::vector<std::wstring> ListBoxEntries(HWND list) {
    std::vector<std::wstring> out;
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t buf[512] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
        out.push_back(buf);
    }
    return out;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
    std::vector<std::wstring> out;
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t buf[512] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buf));
        out.push_back(buf);
    }
    return out;
}

HWND WaitBox(const Program& p, const std::wstring& caption) {
    HWND box = nullptr;
    WaitFor([&] {
        box = p.Window(L"#32770", caption.c_str());
        return box && IsWindowVisible(box);
    });
    return box;
}

std::wstring BoxText(HWND box) {
    // The message is the box's static text that is not its icon.
    std::wstring text;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(c, cls, 32);
        if (lstrcmpiW(cls, L"Static") == 0 && (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            const std::wstring t = Text(c);
            if (!t.empty()) text = t;
        }
    }
    return text;
}

}  // namespace e2e
