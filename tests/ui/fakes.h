// Fake platform services for the widget tests.
#pragma once

#include <QColor>
#include <QString>

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/tempdir.h"
#include "core/text.h"
#include "platform/linux/filesystem_linux.h"
#include "platform/linux/profile_linux.h"
#include "ui/qt/platform.h"

namespace tw::test {

// Records every shell call.
struct FakeShell : IShell {
    std::vector<ShellRequest> calls;
    bool ShellExecute(const ShellRequest& r) override {
        calls.push_back(r);
        return true;
    }
};

// Records the windows that asked to stay off the task bar, to be on every
// workspace or on the current one.
struct FakeHints : IWindowHints {
    std::vector<QWidget*> skipped, everywhere, current;
    void SkipTaskbar(QWidget* w) override { skipped.push_back(w); }
    void ShowOnAllDesktops(QWidget* w) override { everywhere.push_back(w); }
    void ShowOnCurrentDesktop(QWidget* w) override { current.push_back(w); }
};

// A screen of 1024 x 768 with a task bar 30 pixels high at the bottom.
struct FakeScreen : IScreen {
    int width = 1024;
    Rect workArea{0, 0, 1024, 738};
    int ScreenWidth() override { return width; }
    Rect WorkArea() override { return workArea; }
};

struct FakeStatus : ISystemStatus {
    std::map<char, int64_t> total{{'C', 80023715840}}, free{{'C', 35401232384}};
    bool hasD = false;
    MemoryStatus memory{2147483648u, 1073741824u};
    LocalTime now{2026, 12, 6, 9, 5, 3};
    Separators separators;
    int64_t DiskTotalBytes(char d) override { return total.count(d) ? total[d] : -1; }
    int64_t DiskFreeBytes(char d) override { return free.count(d) ? free[d] : -1; }
    bool DriveExists(char d) override { return d == 'C' || (d == 'D' && hasD); }
    MemoryStatus Memory() override { return memory; }
    LocalTime Now() override { return now; }
    Separators ReadSeparators() override { return separators; }
};

// Answers the boxes from queues and records what was shown, in Qt's terms.
struct FakeDialogs : IDialogs {
    struct Shown {
        std::string kind;  // "confirm", "info", "error", "input", "color", "open"
        QString text;
        WindowHandle owner = nullptr;
    };
    std::vector<Shown> shown;
    std::deque<bool> confirmAnswers;             // default: いいえ
    std::deque<std::optional<QString>> inputs;   // default: cancelled
    std::deque<std::optional<QColor>> colors;    // default: cancelled
    std::deque<std::optional<QString>> files;    // default: cancelled
    QColor lastColorPreset;
    QString lastFilter, lastInitialDir, lastPrompt;

    // The next queued answer; an empty queue answers いいえ or cancels.
    template <class T>
    static T Next(std::deque<T>& q) {
        T v{};
        if (!q.empty()) {
            v = std::move(q.front());
            q.pop_front();
        }
        return v;
    }
    static QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
    static std::optional<std::string> U(const std::optional<QString>& q) {
        if (!q) return std::nullopt;
        return q->toStdString();
    }
    bool Confirm(WindowHandle o, const std::string& text) override {
        shown.push_back({"confirm", Q(text), o});
        return Next(confirmAnswers);
    }
    void Information(WindowHandle o, const std::string& text) override {
        shown.push_back({"info", Q(text), o});
    }
    void Error(WindowHandle o, const std::string& text) override {
        shown.push_back({"error", Q(text), o});
    }
    std::optional<std::string> InputBox(WindowHandle o, const std::string&, const std::string& prompt,
                                        const std::string& text) override {
        lastPrompt = Q(prompt);
        shown.push_back({"input", Q(text), o});
        return U(Next(inputs));
    }
    std::optional<uint32_t> ChooseColor(WindowHandle o, uint32_t preset) override {
        lastColorPreset = QColor(preset & 0xFF, (preset >> 8) & 0xFF, (preset >> 16) & 0xFF);
        shown.push_back({"color", lastColorPreset.name(), o});
        const std::optional<QColor> c = Next(colors);
        if (!c) return std::nullopt;
        return uint32_t(c->red()) | uint32_t(c->green()) << 8 | uint32_t(c->blue()) << 16;
    }
    std::optional<std::string> OpenFile(WindowHandle o, const std::string& filter,
                                        const std::string& dir) override {
        lastFilter = Q(filter);
        lastInitialDir = Q(dir);
        shown.push_back({"open", Q(filter), o});
        return U(Next(files));
    }
    std::vector<QString> Texts(const std::string& kind) const {
        std::vector<QString> out;
        for (const auto& s : shown)
            if (s.kind == kind) out.push_back(s.text);
        return out;
    }
};

// A temporary program directory with the real profile and file system, and
// fakes for everything that touches the desktop.
struct TestRig {
    const TempDir temp;
    const std::filesystem::path& dir = temp.path();
    LinuxProfile profile;
    LinuxFileSystem files;
    FakeShell shell;
    FakeStatus status;
    FakeScreen screen;
    FakeDialogs dialogs;
    FakeHints hints;

    // FAppDir as the bar computes it, Shift-JIS.
    std::string AppDir() const { return temp.App(); }
    Platform MakePlatform() { return MakePlatform(status); }
    // The same with another system-status service.
    Platform MakePlatform(ISystemStatus& systemStatus) {
        return Platform{profile, files,  shell, systemStatus, screen, dialogs, kPosixSeparators,
                        AppDir() + "tamblewick", 10, &hints, "tamblewick"};
    }
    // Writes a file in the program directory; `utf8` is converted to Shift-JIS
    // and "\n" becomes CRLF.
    void WriteFile(const std::string& name, const std::string& utf8) const;
    std::string ReadFile(const std::string& name) const { return Slurp(temp.File(name)); }
};

}  // namespace tw::test
