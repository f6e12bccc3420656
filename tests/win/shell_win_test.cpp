// The shell's requests reach ShellExecuteA exactly as the bar makes them;
// a recorder stands in for it, so nothing is started.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/text.h"
#include "platform/win/shell_win.h"

namespace tw {
namespace {

struct Call {
    void* owner;
    std::optional<std::string> verb, file, parameters, directory;
    int show;
};

std::optional<std::string> Text(const char* s) {
    return s ? std::optional<std::string>(s) : std::nullopt;
}

TEST(WinShell, PassesEveryArgumentAsRequested) {
    std::vector<Call> calls;
    intptr_t result = 42;
    int bar = 0;  // stands for the bar's window
    void* const barWindow = reinterpret_cast<void*>(0x1234);
    WinShell shell(
        [&](void* owner, const char* verb, const char* file, const char* params, const char* dir,
            int show) {
            calls.push_back({owner, Text(verb), Text(file), Text(params), Text(dir), show});
            return result;
        },
        [&](const void* owner) { return owner == &bar ? barWindow : nullptr; });

    // An entry: no owner, the default verb, the target whole, its folder.
    const std::string target = "C:\\" + Sjis("表") + "\\a b.exe";
    ShellRequest entry;
    entry.file = target;
    entry.directory = ExtractFilePath(target, kWindowsSeparators);
    entry.show = SW_SHOWDEFAULT;
    EXPECT_TRUE(shell.ShellExecute(entry));

    // An applet: the bar's window, "OPEN", rundll32.exe, an empty directory.
    ShellRequest applet;
    applet.owner = &bar;
    applet.verb = "OPEN";
    applet.file = kRunDll;
    applet.parameters = std::string(kControlPanelPrefix) + Sjis("Main.cpl マウス");
    applet.directory = std::string();
    applet.show = SW_SHOW;
    EXPECT_TRUE(shell.ShellExecute(applet));

    ShellRequest printers;
    printers.file = std::string(kPrintersFolder);
    printers.show = SW_SHOWNORMAL;
    shell.ShellExecute(printers);

    // The help file as it is, even where it does not exist.
    ShellRequest help;
    help.file = "C:\\Tamblewick\\TAMBLEWICKHELP.HLP";
    help.show = SW_SHOWNORMAL;
    result = 2;  // ERROR_FILE_NOT_FOUND
    EXPECT_FALSE(shell.ShellExecute(help));

    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].owner, nullptr);
    EXPECT_EQ(calls[0].verb, std::nullopt);
    EXPECT_EQ(calls[0].file, target);
    EXPECT_EQ(calls[0].parameters, std::nullopt);
    EXPECT_EQ(calls[0].directory, "C:\\" + Sjis("表") + "\\");
    EXPECT_EQ(calls[0].show, 10);

    EXPECT_EQ(calls[1].owner, barWindow);
    EXPECT_EQ(calls[1].verb, "OPEN");
    EXPECT_EQ(calls[1].file, "rundll32.exe");
    EXPECT_EQ(calls[1].parameters, "shell32.dll,Control_RunDLL " + Sjis("Main.cpl マウス"));
    EXPECT_EQ(calls[1].directory, "");
    EXPECT_EQ(calls[1].show, 5);

    EXPECT_EQ(calls[2].owner, nullptr);
    EXPECT_EQ(calls[2].verb, std::nullopt);
    EXPECT_EQ(calls[2].file,
              "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}"
              "\\::{2227A280-3AEA-1069-A2DE-08002B30309D}");
    EXPECT_EQ(calls[2].parameters, std::nullopt);
    EXPECT_EQ(calls[2].directory, std::nullopt);
    EXPECT_EQ(calls[2].show, 1);

    EXPECT_EQ(calls[3].file, "C:\\Tamblewick\\TAMBLEWICKHELP.HLP");
    EXPECT_EQ(calls[3].directory, std::nullopt);
    EXPECT_EQ(calls[3].show, 1);
}

TEST(WinShell, OwnerWithoutAWindowSystemIsNull) {
    void* seen = reinterpret_cast<void*>(1);
    WinShell shell(
        [&](void* owner, const char*, const char*, const char*, const char*, int) {
            seen = owner;
            return intptr_t{33};
        },
        nullptr);
    int bar = 0;
    ShellRequest r;
    r.owner = &bar;
    r.file = "x";
    EXPECT_TRUE(shell.ShellExecute(r));  // 33 is success: the first value above 32
    EXPECT_EQ(seen, nullptr);
}

}  // namespace
}  // namespace tw
