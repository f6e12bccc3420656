#include <QAccessible>
#include <QCoreApplication>
#include <QListWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "core/recorder.h"
#include "core/tempdir.h"
#include "platform/linux/desktop_entry.h"
#include "platform/linux/shell_linux.h"
#include "ui/qt/x11_qt.h"
#include "fakes.h"
#include "ui/Ranch.h"
#include "ui/SettinFiles.h"
#include "ui/Setting.h"

namespace tw {
namespace {

using test::ScopedEnv;

// Starts the recorder once as a program and once through a desktop entry,
// and returns what each saw of QT_QPA_PLATFORM.
std::vector<std::string> PlatformSeenByLaunchedPrograms(const test::TempDir& dir) {
    const std::string out = dir.File("record");
    const std::string program = dir.File("program");
    std::ofstream(program) << test::RecorderScript(out);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    const std::string entry = dir.File("program.desktop");
    std::ofstream(entry) << "[Desktop Entry]\nType=Application\nName=P\nExec=" << program << "\n";

    std::vector<std::string> seen;
    LinuxShell shell;
    for (const std::string& target : {program, entry}) {
        ShellRequest request;
        request.file = target;
        EXPECT_TRUE(shell.ShellExecute(request));
        auto r = test::TakeRecord(out);
        seen.push_back(r["qpa"].empty() ? "" : r["qpa"].front());
    }
    return seen;
}

TEST(Environment, TheBarsChoiceOfX11IsNotPassedToProgramsItStarts) {
    const test::TempDir dir;
    char name[] = "tamblewick";
    char* argv[] = {name, nullptr};
    {
        const ScopedEnv display("DISPLAY", ":7");
        const ScopedEnv platform("QT_QPA_PLATFORM", nullptr);
        const std::vector<char*> args = WithX11Platform(1, argv);
        ASSERT_EQ(args.size(), 4u);
        EXPECT_STREQ(args[1], "-platform");
        EXPECT_STREQ(args[2], "xcb");
        EXPECT_EQ(args[3], nullptr);
        EXPECT_EQ(std::getenv("QT_QPA_PLATFORM"), nullptr);
        EXPECT_EQ(PlatformSeenByLaunchedPrograms(dir),
                  (std::vector<std::string>{"(unset)", "(unset)"}));
    }
    {
        // What the user chose themselves is theirs, and goes on unchanged.
        const ScopedEnv display("DISPLAY", ":7");
        const ScopedEnv platform("QT_QPA_PLATFORM", "wayland");
        EXPECT_EQ(WithX11Platform(1, argv).size(), 2u);
        EXPECT_EQ(PlatformSeenByLaunchedPrograms(dir),
                  (std::vector<std::string>{"wayland", "wayland"}));
    }
    const ScopedEnv display("DISPLAY", nullptr);
    const ScopedEnv platform("QT_QPA_PLATFORM", nullptr);
    EXPECT_EQ(WithX11Platform(1, argv).size(), 2u);  // no X display: Qt's own choice
}

TEST(Environment, X11HintsAreSkippedOffX11) {
    // The widget tests run on the offscreen platform, which may offer the
    // X11 interface without a connection.
    QWidget window;
    window.show();
    SkipTaskbar(&window);  // must not crash
}

TEST(Environment, TheEditorAndTheChooserReachScreenReadersAsDialogs) {
    test::TestRig rig;
    rig.screen.workArea = {0, 30, 1024, 738};
    TForm1 bar(rig.MakePlatform());
    TForm2 editor(bar, rig.MakePlatform());
    TForm3 chooser(bar, rig.MakePlatform());
    for (QWidget* w : {static_cast<QWidget*>(&editor), static_cast<QWidget*>(&chooser)}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::Dialog) << w->objectName().toStdString();
        EXPECT_EQ(a->text(QAccessible::Name), w->windowTitle());
    }
    // Each time they are shown they ask to stay off the task bar and the pager.
    for (int round = 0; round < 2; ++round) {
        editor.show();
        chooser.show();
        QCoreApplication::processEvents();
        editor.hide();
        chooser.hide();
    }
    EXPECT_EQ(rig.hints.skipped, (std::vector<QWidget*>{&editor, &chooser, &editor, &chooser}));
    // Both stand in the middle of the work area (1024 x 738 with a task bar
    // along the top here), at their designed outer sizes.
    EXPECT_EQ(editor.frameGeometry().topLeft(), QPoint(159, 30 + 121));
    EXPECT_EQ(chooser.frameGeometry(), QRect(424, 30 + 240, 175, 257));
    // The bar is no dialog, and other widgets keep their own roles.
    EXPECT_NE(QAccessible::queryAccessibleInterface(&bar)->role(), QAccessible::Dialog);
    chooser.ShowFileList();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(chooser.ListBox1)->role(), QAccessible::List);
}

TEST(Environment, TheEditorAndTheChooserOpenOnTheWorkspaceTheUserIsOn) {
    test::TestRig rig;
    TForm1 bar(rig.MakePlatform());
    TForm2 editor(bar, rig.MakePlatform());
    TForm3 chooser(bar, rig.MakePlatform());
    bar.SetForms(&editor, &chooser);
    auto& asked = rig.hints.current;
    // Every opening asks, before the window is mapped; opening a window
    // that is open already brings it over too. The bar never asks: it is on
    // every workspace.
    bar.Setting1Click();
    EXPECT_EQ(asked, (std::vector<QWidget*>{&editor}));
    bar.Setting1Click();
    EXPECT_EQ(asked, (std::vector<QWidget*>{&editor, &editor}));
    EXPECT_TRUE(editor.isVisible());
    bar.SettingFiles1Click();
    bar.SettingFiles1Click();
    EXPECT_EQ(asked, (std::vector<QWidget*>{&editor, &editor, &chooser, &chooser}));
    editor.hide();
    bar.Setting1Click();
    EXPECT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked.back(), &editor);
    EXPECT_EQ(std::count(rig.hints.everywhere.begin(), rig.hints.everywhere.end(), &editor), 0);
}

}  // namespace
}  // namespace tw
