// Reading and saving a full settings file through the real profile service.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "core/settingsfile.h"
#include "core/text.h"
#include "platform/linux/profile_linux.h"

namespace tw {
namespace {

Configuration FullConfiguration() {
    Configuration c = DefaultConfiguration();
    for (int g = 1; g <= 9; ++g) {
        c.grid.groupNames[g] = Sjis("グループ") + std::to_string(g);
        for (int i = 1; i <= 9; ++i) {
            c.grid.captions[g][i] = Sjis("項目") + std::to_string(g * 10 + i);
            c.grid.targets[g][i] = "/usr/share/applications/program-" + std::to_string(g * 10 + i);
        }
    }
    return c;
}

struct Folder {
    std::string app;
    explicit Folder(const char* base) {
        std::string tmpl = std::string(base) + "/tamblewick-bench-XXXXXX";
        app = std::string(mkdtemp(tmpl.data())) + "/";
    }
    ~Folder() { std::filesystem::remove_all(app); }
};

void BM_ReadSettings(benchmark::State& state) {
    Folder dir("/tmp");
    LinuxProfile profile;
    WriteConfiguration(profile, dir.app, dir.app + "Sample.ini", FullConfiguration());
    for (auto _ : state) {
        const std::string path = ReadActivePath(profile, dir.app);
        benchmark::DoNotOptimize(ReadConfiguration(profile, path));
    }
}
BENCHMARK(BM_ReadSettings)->Unit(benchmark::kMicrosecond);

// A full save: all 178 keys in one replacement, then the pointer file; each
// file made durable with fsync. On /dev/shm the flush to disk costs nothing,
// which leaves the program's own work.
void BM_SaveSettings(benchmark::State& state, const char* base) {
    Folder dir(base);
    LinuxProfile profile;
    const Configuration c = FullConfiguration();
    for (auto _ : state) WriteConfiguration(profile, dir.app, dir.app + "Sample.ini", c);
}
BENCHMARK_CAPTURE(BM_SaveSettings, tmp, "/tmp")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SaveSettings, shm, "/dev/shm")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tw
