// The bar as a user meets it: tamblewick.exe started in a program directory
// of its own, its windows found by class name, driven with the messages a
// user's actions produce and read back across the process boundary.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// UTF-8 and code page 932 from UTF-8 literals; UTF-8 from UTF-16.
std::wstring W(const std::string& utf8);
std::string U(const std::wstring& wide);
std::string Sjis(const std::string& utf8);

// Polls `done` every 10 ms until it holds or `timeout` has passed.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(15));

// One shell request as the bar's test seam records it.
struct ShellCall {
    uintptr_t owner = 0;
    std::optional<std::string> verb, file, parameters, directory;
    int show = 0;
};

using Files = std::map<std::string, std::string>;

class Program {
public:
    // Writes each file (name -> UTF-8 text, stored as Shift-JIS with CRLF
    // line ends) into a new program directory, copies tamblewick.exe there
    // under `exeName` and starts it with the shell recorded.
    explicit Program(const Files& files,
                     const std::wstring& exeName = L"TAMBLEWICK.EXE");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const std::wstring& Dir() const { return dir_; }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Process() const { return pi_.hProcess; }
    bool Exited(std::chrono::milliseconds timeout);

    // A top-level window of the program by class (any when null) and
    // caption (any when null).
    HWND Window(const wchar_t* cls, const wchar_t* caption = nullptr) const;
    // Waits for a visible one.
    HWND WaitVisible(const wchar_t* cls, const wchar_t* caption = nullptr);
    HWND Bar() { return WaitVisible(L"TForm1"); }

    // The recorded shell requests.
    std::vector<ShellCall> ShellCalls() const;
    // A file of the program directory, its bytes; nullopt when absent.
    std::optional<std::string> ReadFile(const std::string& name) const;
    // Text of an HDM_GETITEM section of a header control of the program.
    std::wstring HeaderText(HWND header, int section, int* width = nullptr) const;

private:
    std::wstring dir_, log_;
    PROCESS_INFORMATION pi_{};
};

// Window texts and styles across the process boundary.
std::wstring Text(HWND w);
RECT Outer(HWND w);
RECT WorkArea();
std::vector<std::wstring> ListBoxEntries(HWND list);
std::vector<std::wstring> ComboEntries(HWND combo);
// A message box (#32770) of the program with that caption, once visible.
HWND WaitBox(const Program& p, const std::wstring& caption);
// The message text of a box.
std::wstring BoxText(HWND box);

}  // namespace e2e
