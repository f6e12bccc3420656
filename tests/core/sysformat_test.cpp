#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "core/sysformat.h"

namespace tw {
namespace {

const Separators kDefault{};

std::string Drive(char d, int64_t total, int64_t free, const Separators& s = kDefault) {
    return DriveText(d, total, free, s);
}
std::string Memory(uint64_t total, uint64_t avail) { return MemoryText({total, avail}); }

TEST(SysFormat, SeparatorFromTheLocalesFirstCharacter) {
    EXPECT_EQ(SeparatorFromCodePoint(U'-', '/'), '-');
    EXPECT_EQ(SeparatorFromCodePoint(0xB7, '/'), '\xB7') << "Latin-1 is kept";
    EXPECT_EQ(SeparatorFromCodePoint(0, ','), ',') << "an empty setting";
    // Spaces of every width, the ideographic one too, group with a no-break space.
    for (char32_t space : {0x2009, 0x202F, 0x205F, 0x3000})
        EXPECT_EQ(SeparatorFromCodePoint(space, ','), '\xA0') << std::hex << static_cast<uint32_t>(space);
    EXPECT_EQ(SeparatorFromCodePoint(0x2019, ','), '\'');
    // Characters without a one-byte form give the default.
    EXPECT_EQ(SeparatorFromCodePoint(U'年', '/'), '/');
    EXPECT_EQ(SeparatorFromCodePoint(0x066B, '.'), '.');
}

TEST(SysFormat, HeaderTexts) {
    const LocalTime t{2026, 12, 6, 9, 5, 3};
    const Separators german{'.', ':', ',', '.'};
    const struct {
        std::string got;
        const char* want;
    } cases[] = {
        // Dates, drive sizes in every unit, failed queries and memory.
        {FormatDateTime(t, kDefault), "2026/12/06 09:05:03"},
        {FormatDateTime(t, {'-', '.', '.', ','}), "2026-12-06 09.05.03"},
        {Drive('C', 80023715840, 35401232384), "[C] Size : 74.5GB / Free : 33.0GB / USED : 55.8%"},
        {Drive('C', 2000398934016, 1500000000000),
         "[C] Size : 1,863.0GB / Free : 1,397.0GB / USED : 25.0%"},
        {Drive('D', 734003200, 52428800), "[D] Size : 700.0MB / Free : 50.0MB / USED : 92.9%"},
        {Drive('D', 734003200, 524288), "[D] Size : 700.0MB / Free : 512.0KB / USED : 99.9%"},
        {Drive('C', 1342177280, 536870912), "[C] Size : 1.3GB / Free : 512.0MB / USED : 60.0%"},
        {Drive('D', 4700372992, 0), "[D] Size : 4.4GB / Free : .0KB / USED : 100.0%"},
        {Drive('C', 40007761920, 512), "[C] Size : 37.3GB / Free : .5KB / USED : 100.0%"},
        {Drive('C', -1, -1), "[C] Size : .0KB / Free : .0KB / USED : 0.0%"},
        {Memory(2147483648u, 1073741824u), "物理メモリ:2048MB空きメモリ:1024MBメモリ使用率:50%"},
        {Memory(536334336u, 123456789u), "物理メモリ:511MB空きメモリ:117MBメモリ使用率:76%"},
        {Memory(4294967295u, 3000000000u), "物理メモリ:4095MB空きメモリ:2861MBメモリ使用率:30%"},
        // Scaling steps at exactly 1024, rounding up to 1,024.0 below it.
        {Drive('C', 1048576, 1024), "[C] Size : 1.0MB / Free : 1.0KB / USED : 99.9%"},
        {Drive('C', 1073699963, 1073699963),
         "[C] Size : 1,024.0MB / Free : 1,024.0MB / USED : 0.0%"},
        // 99.95 % used.
        {Drive('D', 10240000, 5120), "[D] Size : 9.8MB / Free : 5.0KB / USED : 100.0%"},
        // A total of 0 shows no use rather than dividing by it.
        {Drive('C', 0, 4096), "[C] Size : .0KB / Free : 4.0KB / USED : 0.0%"},
        // The locale's separators, a Latin-1 one written as UTF-8.
        {Drive('C', 2000398934016, 1500000000000, german),
         "[C] Size : 1.863,0GB / Free : 1.397,0GB / USED : 25,0%"},
        {FormatSize(1234567.85L, german), "1.234.567,9"},
        {FormatSize(1234.5L, {'/', ':', ',', '\xA0'}), "1\u00A0234,5"},
        // Memory is truncated: 99.9 gives 99, and 100 needs less than 1 KB free.
        {Memory(1024000, 1024), "物理メモリ:0MB空きメモリ:0MBメモリ使用率:99%"},
        {Memory(1024000, 1023), "物理メモリ:0MB空きメモリ:0MBメモリ使用率:100%"},
        {Memory(1000, 10), "物理メモリ:0MB空きメモリ:0MBメモリ使用率:0%"},
        // 64-bit counts above 4 GiB.
        {Memory(17179869184u, 4294967296u), "物理メモリ:16384MB空きメモリ:4096MBメモリ使用率:75%"},
        // 98.99999994 is 99.0 in single precision before the truncation.
        {Memory(16777199ull * 1024, 167772ull * 1024),
         "物理メモリ:16383MB空きメモリ:163MBメモリ使用率:99%"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(SysFormat, RoundsTwiceGroupsAndDropsTheSignOfZero) {
    const struct {
        long double value;
        const char *size, *percent;
    } cases[] = {
        {1.25L, "1.3", "1.3%"},
        {0.05L, ".1", "0.1%"},
        // Just below a half in binary, a half at 18 digits: rounds up.
        {0.35L, ".4", "0.4%"},
        {0.05L - 5e-21L, ".1", "0.1%"},
        {0.05L - 1e-19L, ".0", "0.0%"},
        // Carries into a new digit and a new group.
        {99.95L, "100.0", "100.0%"},
        {999.95L, "1,000.0", "1000.0%"},
        {99999999999999999.95L, "100,000,000,000,000,000.0", "100000000000000000.0%"},
        // No minus sign on a value that rounds to zero.
        {-0.04L, ".0", "0.0%"},
        {-(0.05L - 1e-19L), ".0", "0.0%"},
        {-0.05L, "-.1", "-0.1%"},
        {-1234.5L, "-1,234.5", "-1234.5%"},
        // Beyond 18 digits ties go to even at the 18th.
        {1000000000000000005.0L, "1,000,000,000,000,000,000.0", "1000000000000000000.0%"},
        {1000000000000000015.0L, "1,000,000,000,000,000,020.0", "1000000000000000020.0%"},
        {1e25L, "10,000,000,000,000,000,000,000,000.0", "10000000000000000000000000.0%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSize(c.value, kDefault), c.size) << double(c.value);
        EXPECT_EQ(FormatPercent(c.value, kDefault), c.percent) << double(c.value);
    }
}

TEST(SysFormat, AgreesWithTheCLibraryAwayFromTies) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    int compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const long double x = mantissa(random) * std::pow(10.0L, i % 16 - 3);
        const long double t = std::fabs(x) * 10;
        if (std::fabs(t - std::floor(t) - 0.5L) < t * 1e-16L) continue;  // near a tie
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.1Lf", x);
        std::string want = std::string(buf) == "-0.0" ? "0.0" : buf;
        if (const size_t zero = want.find("0."); zero == (want[0] == '-' ? 1u : 0u))
            want.erase(zero, 1);
        std::string got = FormatSize(x, kDefault);
        std::erase(got, ',');
        ASSERT_EQ(got, want) << buf;
        ++compared;
    }
    EXPECT_GT(compared, 19000);
}

}  // namespace
}  // namespace tw
