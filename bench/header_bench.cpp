// The header's refresh runs up to a hundred times a second: one full refresh
// (every query and every text) has to stay far below a millisecond.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/sysformat.h"
#include "core/text.h"
#include "platform/linux/filesystem_linux.h"
#include "platform/linux/profile_linux.h"
#include "platform/linux/shell_linux.h"
#include "platform/linux/sysstatus_linux.h"
#include "ui/qt/dialogs_qt.h"
#include "ui/qt/screen_qt.h"
#include "ui/HeaderControl.h"
#include "ui/Ranch.h"

namespace tw {
namespace {

// Formatting alone, from fixed figures.
void BM_HeaderFormatting(benchmark::State& state) {
    const Separators sep;
    const LocalTime t{2026, 12, 6, 9, 5, 3};
    const MemoryStatus m{17179869184u, 5368709120u};
    std::string texts[4];
    for (auto _ : state) {
        texts[0] = FormatDateTime(t, sep);
        texts[1] = DriveText('C', 2000398934016, 1500000000000, sep);
        texts[2] = DriveText('D', 734003200, 524288, sep);
        texts[3] = MemoryText(m);
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_HeaderFormatting)->Unit(benchmark::kMicrosecond);

// Each platform query on its own.
void BM_Query(benchmark::State& state) {
    LinuxSystemStatus status;
    const int which = static_cast<int>(state.range(0));
    static const char* const kNames[] = {"Now", "DiskTotalBytes(C)", "DiskFreeBytes(C)",
                                         "DriveExists(D)", "Memory"};
    for (auto _ : state) {
        switch (which) {
        case 0: benchmark::DoNotOptimize(status.Now()); break;
        case 1: benchmark::DoNotOptimize(status.DiskTotalBytes('C')); break;
        case 2: benchmark::DoNotOptimize(status.DiskFreeBytes('C')); break;
        case 3: benchmark::DoNotOptimize(status.DriveExists('D')); break;
        default: benchmark::DoNotOptimize(status.Memory()); break;
        }
    }
    state.SetLabel(kNames[which]);
}
BENCHMARK(BM_Query)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// The bar's own tick, the function its timer calls, on the offscreen
// platform: every query, the texts and the header's labels (painting comes
// later, in the event loop). Argument 1 puts drive D: on another file system
// (/dev/shm stands in for the home folder).
void BM_Timer1Timer(benchmark::State& state) {
    if (!QApplication::instance()) {
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char arg0[] = "tamblewick_bench";
        static char* argv[] = {arg0, nullptr};
        new QApplication(argc, argv);  // lives until the process ends
    }
    char tmpl[] = "/tmp/tamblewick-bench-XXXXXX";
    const std::filesystem::path dir = mkdtemp(tmpl);
    std::ofstream(dir / "Sample.ini", std::ios::binary) << "[Window]\r\nSysInfo=1\r\n";

    const bool withD = state.range(0) != 0;
    const char* old = std::getenv("HOME");
    const std::string saved = old ? old : "";
    if (withD) setenv("HOME", "/dev/shm", 1);
    auto status = std::make_unique<LinuxSystemStatus>();
    if (withD) {
        if (old) setenv("HOME", saved.c_str(), 1);
        else unsetenv("HOME");
    }
    if (withD && !status->DriveExists('D')) {
        state.SkipWithError("/dev/shm is on the root file system");
        std::filesystem::remove_all(dir);
        return;
    }
    LinuxProfile profile;
    LinuxFileSystem files;
    LinuxShell shell;
    QtScreen screen;
    QtDialogs dialogs(QStringLiteral("Tamblewick"));
    const Platform platform{profile, files,  shell, *status, screen, dialogs, kPosixSeparators,
                            dir.string() + "/tamblewick", 10};
    {
        TForm1 bar(platform);
        for (auto _ : state) bar.Timer1Timer();
        state.SetLabel(status->DriveExists('D') ? "with D:" : "without D:");
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_Timer1Timer)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tw
