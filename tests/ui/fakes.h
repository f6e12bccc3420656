// Fake platform services for the widget tests: those of the presenters'
// tests, the window hints, and the real files in a temporary folder.
#pragma once

#include <filesystem>
#include <string>

#include "core/tempdir.h"
#include "core/text.h"
#include "forms/fakes.h"
#include "platform/linux/filesystem_linux.h"
#include "platform/linux/profile_linux.h"
#include "ui/qt/platform.h"

namespace tw::test {

// Records the windows that asked to stay off the task bar, to be on every
// workspace or on the current one.
struct FakeHints : IWindowHints {
    std::vector<QWidget*> skipped, everywhere, current;
    void SkipTaskbar(QWidget* w) override { skipped.push_back(w); }
    void ShowOnAllDesktops(QWidget* w) override { everywhere.push_back(w); }
    void ShowOnCurrentDesktop(QWidget* w) override { current.push_back(w); }
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
        return Platform{{profile, files, shell, systemStatus, screen, dialogs, kPosixSeparators,
                         AppDir() + "tamblewick", 10},
                        &hints,
                        "tamblewick"};
    }
    // Writes a file in the program directory; `utf8` is converted to Shift-JIS
    // and "\n" becomes CRLF.
    void WriteFile(const std::string& name, const std::string& utf8) const;
    std::string ReadFile(const std::string& name) const { return Slurp(temp.File(name)); }
};

}  // namespace tw::test
