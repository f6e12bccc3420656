#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "core/sysformat.h"

namespace tw {
namespace {

const Separators kDefault{};
const Separators kHyphenFullStop{'-', '.', '.', ','};

struct Example {
    const char* what;
    std::function<std::string()> text;
    const char* expected;
};

TEST(SysFormat, WorkedExamples) {
    const LocalTime t{2026, 12, 6, 9, 5, 3};
    const Example examples[] = {
        {"date and time", [&] { return FormatDateTime(t, kDefault); }, "2026/12/06 09:05:03"},
        {"hyphen and full stop", [&] { return FormatDateTime(t, kHyphenFullStop); },
         "2026-12-06 09.05.03"},
        {"80 GB drive", [] { return DriveText('C', 80023715840, 35401232384, kDefault); },
         "[C] Size : 74.5GB / Free : 33.0GB / USED : 55.8%"},
        {"2 TB drive", [] { return DriveText('C', 2000398934016, 1500000000000, kDefault); },
         "[C] Size : 1,863.0GB / Free : 1,397.0GB / USED : 25.0%"},
        {"CD-sized D:", [] { return DriveText('D', 734003200, 52428800, kDefault); },
         "[D] Size : 700.0MB / Free : 50.0MB / USED : 92.9%"},
        {"units differ", [] { return DriveText('D', 734003200, 524288, kDefault); },
         "[D] Size : 700.0MB / Free : 512.0KB / USED : 99.9%"},
        {"GB and MB", [] { return DriveText('C', 1342177280, 536870912, kDefault); },
         "[C] Size : 1.3GB / Free : 512.0MB / USED : 60.0%"},
        {"full drive", [] { return DriveText('D', 4700372992, 0, kDefault); },
         "[D] Size : 4.4GB / Free : .0KB / USED : 100.0%"},
        {"a few bytes free", [] { return DriveText('C', 40007761920, 512, kDefault); },
         "[C] Size : 37.3GB / Free : .5KB / USED : 100.0%"},
        {"failed queries", [] { return DriveText('C', -1, -1, kDefault); },
         "[C] Size : .0KB / Free : .0KB / USED : 0.0%"},
        {"memory half used", [] { return MemoryText({2147483648u, 1073741824u}); },
         "物理メモリ:2048MB空きメモリ:1024MBメモリ使用率:50%"},
        {"memory truncated", [] { return MemoryText({536334336u, 123456789u}); },
         "物理メモリ:511MB空きメモリ:117MBメモリ使用率:76%"},
        {"32-bit maximum", [] { return MemoryText({4294967295u, 3000000000u}); },
         "物理メモリ:4095MB空きメモリ:2861MBメモリ使用率:30%"},
    };
    for (const Example& e : examples) EXPECT_EQ(e.text(), e.expected) << e.what;
}

TEST(SysFormat, SizeFormatRoundsTwiceAndGroups) {
    struct Case {
        long double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.0L, ".0"},
        {0.5L, ".5"},
        {0.04L, ".0"},
        {0.05L, ".1"},
        {1.25L, "1.3"},
        // Just below the half in binary, a half at 18 digits: rounds up.
        {0.35L, ".4"},
        {1.15L, "1.2"},
        {0.05L - 5e-21L, ".1"},  // 0.049999999999999999995 is 0.05 at 18 digits
        {0.05L - 1e-19L, ".0"},  // 0.0499999999999999999 keeps its 18 digits
        {0.05L + 1e-19L, ".1"},
        {2.45L - 1e-15L, "2.4"},
        {2.45L + 1e-15L, "2.5"},
        {999.95L, "1,000.0"},
        {999999.96L, "1,000,000.0"},
        {1234567.8L, "1,234,567.8"},
        {123.0L, "123.0"},
        {1000.0L, "1,000.0"},
        {12345.67L, "12,345.7"},
        // A value that rounds to zero has no sign; others keep it.
        {-0.0009765625L, ".0"},
        {-0.04L, ".0"},
        {-0.05L, "-.1"},
        {-1.25L, "-1.3"},
        {-1234.5L, "-1,234.5"},
        // More than 18 digits: ties go to even at the 18th digit.
        {1000000000000000005.0L, "1,000,000,000,000,000,000.0"},
        {1000000000000000015.0L, "1,000,000,000,000,000,020.0"},
        {1e25L, "10,000,000,000,000,000,000,000,000.0"},
        {99999999999999999.95L, "100,000,000,000,000,000.0"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatSize(c.value, kDefault), c.expected) << double(c.value);
}

TEST(SysFormat, AgreesWithTheCLibraryAwayFromTies) {
    // Away from a tie the two rounding stages give what one rounding of
    // the binary value gives.
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    int compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const long double x = mantissa(random) * std::pow(10.0L, static_cast<int>(i % 16) - 3);
        const long double t = std::fabs(x) * 10;
        if (std::fabs(t - std::floor(t) - 0.5L) < t * 1e-16L) continue;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.1Lf", x);
        std::string want = buf;
        if (want == "-0.0") want = "0.0";
        const size_t zero = want.find("0.");
        if (zero == 0 || (zero == 1 && want[0] == '-')) want.erase(zero, 1);
        std::string got = FormatSize(x, kDefault);
        std::erase(got, ',');
        ASSERT_EQ(got, want) << buf;
        ++compared;
    }
    EXPECT_GT(compared, 19000);
}

TEST(SysFormat, PercentFormat) {
    struct Case {
        long double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.0L, "0.0%"},      {0.05L, "0.1%"},    {0.04L, "0.0%"},     {0.5L, "0.5%"},
        {55.83L, "55.8%"},   {99.94L, "99.9%"},  {99.95L, "100.0%"},  {100.0L, "100.0%"},
        {1234.5L, "1234.5%"}, {-0.01L, "0.0%"},  {-12.34L, "-12.3%"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatPercent(c.value, kDefault), c.expected) << double(c.value);
}

TEST(SysFormat, LocaleSeparators) {
    const Separators german{'.', ':', ',', '.'};
    EXPECT_EQ(FormatSize(1234567.85L, german), "1.234.567,9");
    EXPECT_EQ(FormatSize(0.5L, german), ",5");
    EXPECT_EQ(FormatPercent(55.83L, german), "55,8%");
    EXPECT_EQ(DriveText('C', 2000398934016, 1500000000000, german),
              "[C] Size : 1.863,0GB / Free : 1.397,0GB / USED : 25,0%");
    const Separators hyphens{'-', '.', '.', '-'};
    EXPECT_EQ(FormatSize(1234567.8L, hyphens), "1-234-567.8");
    // A Latin-1 separator comes out as UTF-8.
    const Separators nbsp{'/', ':', ',', '\xA0'};
    EXPECT_EQ(FormatSize(1234.5L, nbsp), "1\u00A0234,5");
    EXPECT_EQ(FormatDateTime({2026, 1, 2, 3, 4, 5}, {'\xB7', '\xB7', '.', ','}),
              "2026\u00B701\u00B702 03\u00B704\u00B705");
}

TEST(SysFormat, ScalingSteps) {
    struct Case {
        long double kilobytes;
        long double value;
        const char* unit;
    };
    const Case cases[] = {
        {0.0L, 0.0L, "KB"},
        {1023.5L, 1023.5L, "KB"},
        {1024.0L, 1.0L, "MB"},  // at least 1 after dividing, not more than 1
        {1536.0L, 1.5L, "MB"},
        {1048575.0L, 1048575.0L / 1024, "MB"},
        {1048576.0L, 1.0L, "GB"},
        {1024.0L * 1024 * 1024 * 3, 3072.0L, "GB"},  // no unit above GB
        {-1.0L / 1024, -1.0L / 1024, "KB"},
    };
    for (const Case& c : cases) {
        const ScaledSize s = ScaleKilobytes(c.kilobytes);
        EXPECT_EQ(s.value, c.value) << double(c.kilobytes);
        EXPECT_STREQ(s.unit, c.unit) << double(c.kilobytes);
    }
}

TEST(SysFormat, DriveEdges) {
    struct Case {
        int64_t total, free;
        const char* expected;
    };
    const Case cases[] = {
        {1048576, 1024, "[C] Size : 1.0MB / Free : 1.0KB / USED : 99.9%"},
        {1073699963, 1073699963, "[C] Size : 1,024.0MB / Free : 1,024.0MB / USED : 0.0%"},
        {1099511627776, 1048576, "[C] Size : 1,024.0GB / Free : 1.0MB / USED : 100.0%"},
        // A drive that reports a total of 0 shows no use at all.
        {0, 0, "[C] Size : .0KB / Free : .0KB / USED : 0.0%"},
        {0, 4096, "[C] Size : .0KB / Free : 4.0KB / USED : 0.0%"},
        // The largest count a drive can report.
        {INT64_MAX, INT64_MAX / 2,
         "[C] Size : 8,589,934,592.0GB / Free : 4,294,967,296.0GB / USED : 50.0%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DriveText('C', c.total, c.free, kDefault), c.expected) << c.total;
    // 10,000 KB with 5 KB free: 99.95 % used shows as 100.0.
    EXPECT_EQ(DriveText('D', 10240000, 5120, kDefault),
              "[D] Size : 9.8MB / Free : 5.0KB / USED : 100.0%");
}

TEST(SysFormat, MemoryEdges) {
    struct Case {
        uint64_t total, avail;
        const char* expected;
    };
    const Case cases[] = {
        // Truncated, never rounded up.
        {1024000, 1024, "物理メモリ:0MB空きメモリ:0MBメモリ使用率:99%"},
        {1024000, 1023, "物理メモリ:0MB空きメモリ:0MBメモリ使用率:100%"},
        {2147483648u, 0, "物理メモリ:2048MB空きメモリ:0MBメモリ使用率:100%"},
        {2147483648u, 2147483648u, "物理メモリ:2048MB空きメモリ:2048MBメモリ使用率:0%"},
        // Less than 1 KB of memory in all: no division by zero.
        {1000, 10, "物理メモリ:0MB空きメモリ:0MBメモリ使用率:0%"},
        {0, 0, "物理メモリ:0MB空きメモリ:0MBメモリ使用率:0%"},
        // More than 4 GiB shows its real size.
        {17179869184u, 4294967296u, "物理メモリ:16384MB空きメモリ:4096MBメモリ使用率:75%"},
        {68719476736u, 34359738368u, "物理メモリ:65536MB空きメモリ:32768MBメモリ使用率:50%"},
        // 98.99999994 becomes 99.0 in single precision before the truncation.
        {16777199ull * 1024, 167772ull * 1024, "物理メモリ:16383MB空きメモリ:163MBメモリ使用率:99%"},
    };
    for (const Case& c : cases) EXPECT_EQ(MemoryText({c.total, c.avail}), c.expected) << c.total;
}

}  // namespace
}  // namespace tw
