#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <sys/sysinfo.h>

#include "core/sysformat.h"
#include "platform/linux/sysstatus_linux.h"
#include "recorder.h"
#include "tempdir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

using test::ScopedEnv;

// Date, time, decimal and thousands separators as read now.
std::string Read() {
    const Separators s = LinuxSystemStatus().ReadSeparators();
    return {s.date, s.time, s.decimal, s.thousand};
}

// A locale with the given LC_NUMERIC and LC_TIME settings; the names of days
// and months localedef asks for stay empty.
std::string LocaleSource(const std::string& decimal, const std::string& thousands,
                         const std::string& dFmt, const std::string& tFmt) {
    const auto names = [](int n) { std::string s = "\"\""; while (--n) s += ";\"\""; return s; };
    return "LC_CTYPE\ncopy \"POSIX\"\nEND LC_CTYPE\nLC_COLLATE\ncopy \"POSIX\"\nEND LC_COLLATE\n"
           "LC_NUMERIC\ndecimal_point \"" + decimal + "\"\nthousands_sep \"" + thousands +
           "\"\ngrouping 3\nEND LC_NUMERIC\nLC_TIME\nabday " + names(7) + "\nday " + names(7) +
           "\nabmon " + names(12) + "\nmon " + names(12) + "\nam_pm " + names(2) +
           "\nd_t_fmt \"%c\"\nd_fmt \"" + dFmt + "\"\nt_fmt \"" + tFmt + "\"\nEND LC_TIME\n";
}

TEST(LinuxSystemStatus, FirstLiteralOfAFormat) {
    const std::pair<const char*, const char*> cases[] = {
        {"%d.%m.%Y", ".%m.%Y"}, {"%-d/%m", "/%m"}, {"%010d-", "-"}, {"%Ey年%Om", "年%Om"},
        {"%%%d-%m", "-%m"},     {"%F", "-%m-%d"},  {"%Z %T", " %T"}, {"%H%M%S", ""},  {"%E", ""},
    };
    for (const auto& [format, rest] : cases) EXPECT_EQ(FirstLiteral(format), rest) << format;
}

TEST(LinuxSystemStatus, SeparatorsFromTheLocale) {
    ScopedEnv env;
    for (const char* name : {"LANG", "LC_ALL", "LC_NUMERIC", "LC_TIME", "LC_CTYPE"})
        env.Set(name, nullptr);
    EXPECT_EQ(Read(), "/:.,");  // POSIX has no thousands separator
    env.Set("LC_ALL", "xx_YY.UTF-8");
    EXPECT_EQ(Read(), "/:.,") << "a locale the system lacks";

    const test::TempDir dir;
    test::Spit(dir.File("A"), LocaleSource("<U002C>", "<U202F>", "%-d<U00B7>%m<U00B7>%Y", "%-H.%M"));
    test::Spit(dir.File("J"), LocaleSource("<U066B>", "", "%Y<U5E74>%m<U6708>%d", "%H<U6642>%M"));
    // Both at once, into the folder; localedef warns of the categories left
    // out, and what counts is the result.
    const std::string cmd = "cd " + dir.path().string() + " && { for l in A J; do " +
                            "localedef -c -i $l -f UTF-8 ./$l.UTF-8 & done; wait; } >/dev/null 2>&1";
    (void)std::system(cmd.c_str());
    if (!fs::exists(dir.File("A.UTF-8/LC_TIME")) || !fs::exists(dir.File("J.UTF-8/LC_TIME")))
        GTEST_SKIP() << "localedef is missing";
    env.Set("LOCPATH", dir.path().c_str());
    env.Set("LC_ALL", "A.UTF-8");
    // Latin-1 characters are kept; a narrow no-break space becomes a no-break space.
    EXPECT_EQ(Read(), "\xB7.,\xA0");
    // Decimal commas from the C library garble no value near a tie.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr);
    const std::string got = FormatSize(0.35L, {}) + " " + std::to_string(0.5);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(got, ".4 0,500000");
    // Characters without a Latin-1 form, and an empty setting, give the defaults.
    env.Set("LC_ALL", "J.UTF-8");
    EXPECT_EQ(Read(), "/:.,");
    // A category the system lacks stays C; the others still follow the locale.
    env.Set("LC_ALL", nullptr);
    env.Set("LANG", "A.UTF-8");
    env.Set("LC_TIME", "zz_ZZ.UTF-8");
    EXPECT_EQ(Read(), "/:,\xA0");
}

TEST(LinuxSystemStatus, DrivesAreRootAndAHomeOnAnotherDevice) {
    struct stat root{};
    ASSERT_EQ(stat("/", &root), 0);
    const auto expectSpace = [](int64_t total, int64_t free, const std::string& path) {
        EXPECT_EQ(total, static_cast<int64_t>(fs::space(path).capacity)) << path;
        // Free space moves while other programs write; allow 256 MB for that.
        EXPECT_NEAR(double(free), double(fs::space(path).available), double(256 << 20)) << path;
    };
    for (const char* home : {"/dev/shm", "/nonexistent-tamblewick-home", (const char*)nullptr}) {
        ScopedEnv env;
        env.Set("HOME", home);
        LinuxSystemStatus status;
        const std::string dir = status.HomeDirectory();
        if (home) EXPECT_EQ(dir, home);
        else EXPECT_TRUE(fs::is_directory(dir)) << dir;  // the password file's
        EXPECT_TRUE(status.DriveExists('C'));
        expectSpace(status.DiskTotalBytes('C'), status.DiskFreeBytes('C'), "/");
        struct stat st{};
        const bool otherDevice = stat(dir.c_str(), &st) == 0 && st.st_dev != root.st_dev;
        EXPECT_EQ(status.DriveExists('D'), otherDevice) << dir;
        if (otherDevice) expectSpace(status.DiskTotalBytes('D'), status.DiskFreeBytes('D'), dir);
        else EXPECT_EQ(std::pair(status.DiskTotalBytes('D'), status.DiskFreeBytes('D')),
                       std::pair(int64_t{-1}, int64_t{-1})) << dir;
        EXPECT_EQ(status.DiskFreeBytes('E'), -1);
    }
}

TEST(LinuxSystemStatus, MemoryFromProcMeminfo) {
    struct sysinfo info{};
    ASSERT_EQ(sysinfo(&info), 0);
    LinuxSystemStatus status;
    status.Memory();  // the next read starts from the beginning again
    const MemoryStatus m = status.Memory();
    EXPECT_EQ(m.totalPhys, static_cast<uint64_t>(info.totalram) * info.mem_unit);
    EXPECT_GT(m.availPhys, 0u);
    EXPECT_LE(m.availPhys, m.totalPhys);

    // The available figure is MemAvailable (what can be had without
    // swapping), not MemFree; both read here around the status's own read.
    const auto field = [](const char* key) {
        std::ifstream in("/proc/meminfo");
        std::string name;
        uint64_t kb = 0;
        std::string unit;
        while (in >> name >> kb) {
            std::getline(in, unit);
            if (name == key) return kb * 1024;
        }
        return uint64_t{0};
    };
    const uint64_t before = field("MemAvailable:");
    const uint64_t avail = status.Memory().availPhys;
    const uint64_t after = field("MemAvailable:");
    ASSERT_GT(before, 0u);
    constexpr uint64_t kSlack = 16u << 20;  // what other processes may take meanwhile
    EXPECT_GE(avail + kSlack, std::min(before, after));
    EXPECT_LE(avail, std::max(before, after) + kSlack);
}

}  // namespace
}  // namespace tw
