// Reading and saving a full settings file through the real profile service.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "alloc_count.h"
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

// Large files on /dev/shm: 5 MB of empty lines, and 4.8 million keys spread
// over the settings file's own sections (about 50 MB).
std::string BlankLines() { return std::string(5'000'000, '\n'); }

std::string ManyKeys() {
    const char* sections[] = {"GroupName", "Group1", "Group2", "Group3", "Group4", "Group5",
                              "Group6",    "Group7", "Group8", "Group9", "Window"};
    constexpr int kKeys = 4'800'000;
    std::string s;
    s.reserve(kKeys * 11 + 200);
    char line[32];
    for (int k = 0; k < kKeys; ++k) {
        if (k % (kKeys / 11 + 1) == 0) s.append("[").append(sections[k / (kKeys / 11 + 1)]).append("]\n");
        std::snprintf(line, sizeof line, "k%07d=v\n", k);
        s.append(line);
    }
    return s;
}

// One load of the file (Read of one key) or one full save of the 178 keys,
// with the peak of the bytes held during it per byte of the file.
void BM_LargeFile(benchmark::State& state, std::string (*make)(), bool save) {
    Folder dir("/dev/shm");
    const std::string path = dir.app + "Sample.ini";
    std::size_t size = 0;
    {
        const std::string bytes = make();
        size = bytes.size();
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
    }
    LinuxProfile profile;
    const Configuration c = FullConfiguration();
    double peak = 0;
    for (auto _ : state) {
        const std::size_t base = bench::LiveBytes();
        bench::ResetPeak();
        if (save) {
            WriteConfiguration(profile, dir.app, path, c);
        } else {
            benchmark::DoNotOptimize(profile.Read(path, "Window", "Size", ""));
            profile.Discard(path);
        }
        peak = std::max(peak, static_cast<double>(bench::PeakBytes() - base) / static_cast<double>(size));
    }
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
    state.counters["peak_per_file_byte"] = peak;
}
BENCHMARK_CAPTURE(BM_LargeFile, load_blank_lines, BlankLines, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LargeFile, save_blank_lines, BlankLines, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LargeFile, load_many_keys, ManyKeys, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LargeFile, save_many_keys, ManyKeys, true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw
