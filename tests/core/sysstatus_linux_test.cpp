#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <sys/sysinfo.h>

#include "core/sysformat.h"
#include "platform/linux/sysstatus_linux.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

// Sets environment variables for the life of the object; nullptr unsets.
class ScopedEnv {
public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) setenv(it->first.c_str(), it->second->c_str(), 1);
            else unsetenv(it->first.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A locale of our own: the given LC_NUMERIC and LC_TIME values, POSIX for
// the rest.
struct LocaleSource {
    const char* name;
    const char* decimalPoint;
    const char* thousandsSep;
    const char* dFmt;
    const char* tFmt;
};

std::string SourceText(const LocaleSource& l) {
    std::string s;
    for (const char* cat : {"LC_CTYPE", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES"})
        s += std::string(cat) + "\ncopy \"POSIX\"\nEND " + cat + "\n";
    s += "LC_NUMERIC\ndecimal_point \"" + std::string(l.decimalPoint) + "\"\nthousands_sep \"" +
         l.thousandsSep + "\"\ngrouping 3\nEND LC_NUMERIC\n";
    s += "LC_TIME\n"
         "abday \"Sun\";\"Mon\";\"Tue\";\"Wed\";\"Thu\";\"Fri\";\"Sat\"\n"
         "day \"Sunday\";\"Monday\";\"Tuesday\";\"Wednesday\";\"Thursday\";\"Friday\";\"Saturday\"\n"
         "abmon \"Jan\";\"Feb\";\"Mar\";\"Apr\";\"May\";\"Jun\";\"Jul\";\"Aug\";\"Sep\";\"Oct\";\"Nov\";\"Dec\"\n"
         "mon \"January\";\"February\";\"March\";\"April\";\"May\";\"June\";\"July\";\"August\";"
         "\"September\";\"October\";\"November\";\"December\"\n"
         "am_pm \"AM\";\"PM\"\nd_t_fmt \"%c\"\nt_fmt_ampm \"\"\n";
    s += "d_fmt \"" + std::string(l.dFmt) + "\"\nt_fmt \"" + l.tFmt + "\"\nEND LC_TIME\n";
    return s;
}

// Locales compiled into a private directory, for LOCPATH; `dir` is empty
// when the system cannot compile them.
struct CompiledLocales {
    fs::path dir;
    explicit CompiledLocales(std::initializer_list<LocaleSource> locales) {
        char tmpl[] = "/tmp/tamblewick-locales-XXXXXX";
        if (!mkdtemp(tmpl)) return;
        dir = tmpl;
        std::string cmd;
        for (const LocaleSource& l : locales) {
            const fs::path src = dir / (std::string(l.name) + ".src");
            std::ofstream(src) << SourceText(l);
            cmd += "localedef -c -i '" + src.string() + "' -f UTF-8 '" + (dir / l.name).string() +
                   ".UTF-8' >/dev/null 2>&1 & ";
        }
        cmd += "wait";
        // localedef complains of the categories left out; what counts is the result.
        (void)std::system(cmd.c_str());
        for (const LocaleSource& l : locales)
            for (const char* cat : {"LC_NUMERIC", "LC_TIME"})
                if (!fs::exists(dir / (std::string(l.name) + ".UTF-8") / cat)) {
                    fs::remove_all(dir);
                    dir.clear();
                    return;
                }
    }
    ~CompiledLocales() {
        if (!dir.empty()) fs::remove_all(dir);
    }
};

TEST(LinuxSystemStatus, FirstLiteralOfAFormat) {
    struct Case {
        const char* format;
        const char* rest;
    };
    const Case cases[] = {
        {"%m/%d/%y", "/%d/%y"},
        {"%d.%m.%Y", ".%m.%Y"},
        {"%Y-%m-%d", "-%m-%d"},
        {"%H:%M:%S", ":%M:%S"},
        {"%Y年%m月%d日", "年%m月%d日"},
        // Flags, widths and modifiers belong to the conversion.
        {"%-d.%m.%Y", ".%m.%Y"},
        {"%_H:%M", ":%M"},
        {"%010d/", "/"},
        {"%Ey/%Om", "/%Om"},
        // A literal percent sign is a conversion too.
        {"%%%d-%m", "-%m"},
        // Shorthands count as what they stand for.
        {"%T", ":%M:%S"},
        {"%D", "/%d/%y"},
        {"%F", "-%m-%d"},
        {"%R", ":%M"},
        {"%r", ":%M:%S %p"},
        {"%T %Z", ":%M:%S"},
        {"%Z %T", " %T"},
        {"kl. %H.%M %z", "kl. %H.%M %z"},
        {"", ""},
        {"%H%M%S", ""},
        {"%", ""},
        {"%E", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FirstLiteral(c.format), c.rest) << c.format;
}

struct LocaleCase {
    const char* what;
    const char* lcAll;
    const char* lang;
    const char* lcNumeric;
    const char* lcTime;
    Separators expected;
};

void ExpectSeparators(const std::vector<LocaleCase>& cases, const char* locpath) {
    for (const LocaleCase& c : cases) {
        ScopedEnv env;
        env.Set("LOCPATH", locpath);
        env.Set("LC_ALL", c.lcAll);
        env.Set("LANG", c.lang);
        env.Set("LC_NUMERIC", c.lcNumeric);
        env.Set("LC_TIME", c.lcTime);
        env.Set("LC_CTYPE", nullptr);
        LinuxSystemStatus status;
        const Separators s = status.ReadSeparators();
        EXPECT_EQ(s.date, c.expected.date) << c.what;
        EXPECT_EQ(s.time, c.expected.time) << c.what;
        EXPECT_EQ(s.decimal, c.expected.decimal) << c.what;
        EXPECT_EQ(s.thousand, c.expected.thousand) << c.what;
    }
}

TEST(LinuxSystemStatus, SeparatorsWithoutAUserLocale) {
    ExpectSeparators(
        {
            // C has no thousands separator: the comma stands in.
            {"C", "C", nullptr, nullptr, nullptr, {'/', ':', '.', ','}},
            {"C.UTF-8", "C.UTF-8", nullptr, nullptr, nullptr, {'/', ':', '.', ','}},
            {"nothing set", nullptr, nullptr, nullptr, nullptr, {'/', ':', '.', ','}},
            {"a locale the system lacks", "xx_YY.UTF-8", nullptr, nullptr, nullptr,
             {'/', ':', '.', ','}},
        },
        nullptr);
}

TEST(LinuxSystemStatus, SeparatorsFromTheUserLocale) {
    const CompiledLocales locales({
        {"tw_DASH", "<U002C>", "<U002E>", "%d-%m-%Y", "%T"},
        {"tw_WIDE", "<U066B>", "<U202F>", "%Y<U5E74>%m<U6708>%d<U65E5>", "%-H.%M.%S"},
        {"tw_EMPTY", "<U002E>", "", "%D", "%r"},
    });
    if (locales.dir.empty()) GTEST_SKIP() << "localedef or its character maps are missing";
    ExpectSeparators(
        {
            {"hyphen dates, comma decimals", "tw_DASH.UTF-8", nullptr, nullptr, nullptr,
             {'-', ':', ',', '.'}},
            // 年 and the Arabic decimal separator have no Latin-1 form: the
            // defaults stand in. The narrow no-break space becomes a no-break space.
            {"wide characters", "tw_WIDE.UTF-8", nullptr, nullptr, nullptr, {'/', '.', '.', '\xA0'}},
            {"shorthand formats, no thousands separator", "tw_EMPTY.UTF-8", nullptr, nullptr,
             nullptr, {'/', ':', '.', ','}},
            {"categories apart", nullptr, "tw_WIDE.UTF-8", "tw_DASH.UTF-8", "tw_WIDE.UTF-8",
             {'/', '.', ',', '.'}},
            {"LC_ALL wins", "tw_DASH.UTF-8", "tw_WIDE.UTF-8", "tw_WIDE.UTF-8", "tw_WIDE.UTF-8",
             {'-', ':', ',', '.'}},
            {"one category missing", nullptr, "C", "zz_ZZ.UTF-8", "tw_DASH.UTF-8",
             {'-', ':', '.', ','}},
        },
        locales.dir.c_str());
}

TEST(LinuxSystemStatus, TextsUnderTheUserLocale) {
    const CompiledLocales locales({{"tw_COMMA", "<U002C>", "<U002E>", "%d.%m.%Y", "%T"}});
    if (locales.dir.empty()) GTEST_SKIP() << "localedef or its character maps are missing";
    ScopedEnv env;
    env.Set("LOCPATH", locales.dir.c_str());
    env.Set("LC_ALL", "tw_COMMA.UTF-8");
    // As the application object does: the C library now prints a decimal
    // comma, which must not leak into or garble the texts.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    const Separators sep = LinuxSystemStatus().ReadSeparators();
    const std::string drive = DriveText('C', 2000398934016, 1500000000000, sep);
    const std::string withDefaults = DriveText('C', 80023715840, 35401232384, Separators{});
    const std::string date = FormatDateTime({2026, 12, 6, 9, 5, 3}, sep);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_STREQ(probe, "0,5");
    EXPECT_EQ(drive, "[C] Size : 1.863,0GB / Free : 1.397,0GB / USED : 25,0%");
    EXPECT_EQ(withDefaults, "[C] Size : 74.5GB / Free : 33.0GB / USED : 55.8%");
    // The order of the parts stays; only the separators follow the locale.
    EXPECT_EQ(date, "2026.12.06 09:05:03");
}

struct Space {
    int64_t total, free;
};
Space SpaceOf(const fs::path& p) {
    const fs::space_info s = fs::space(p);
    return {static_cast<int64_t>(s.capacity), static_cast<int64_t>(s.available)};
}

TEST(LinuxSystemStatus, DrivesAreRootAndAHomeOnAnotherDevice) {
    struct stat root{};
    ASSERT_EQ(stat("/", &root), 0);
    const Space c = SpaceOf("/");
    // Free space moves while other programs write; allow for that.
    const int64_t slack = 256ll << 20;

    for (const char* home : {"/dev/shm", "/proc", "/tmp", "/nonexistent-tamblewick-home"}) {
        ScopedEnv env;
        env.Set("HOME", home);
        LinuxSystemStatus status;
        EXPECT_EQ(status.HomeDirectory(), home);

        EXPECT_TRUE(status.DriveExists('C'));
        EXPECT_EQ(status.DiskTotalBytes('C'), c.total);
        EXPECT_NEAR(static_cast<double>(status.DiskFreeBytes('C')), static_cast<double>(c.free),
                    static_cast<double>(slack));

        struct stat st{};
        const bool otherDevice = stat(home, &st) == 0 && st.st_dev != root.st_dev;
        EXPECT_EQ(status.DriveExists('D'), otherDevice) << home;
        if (otherDevice) {
            const Space d = SpaceOf(home);
            EXPECT_EQ(status.DiskTotalBytes('D'), d.total) << home;
            EXPECT_NEAR(static_cast<double>(status.DiskFreeBytes('D')),
                        static_cast<double>(d.free), static_cast<double>(slack))
                << home;
        } else {
            EXPECT_EQ(status.DiskTotalBytes('D'), -1) << home;
            EXPECT_EQ(status.DiskFreeBytes('D'), -1) << home;
        }
        EXPECT_FALSE(status.DriveExists('E'));
        EXPECT_EQ(status.DiskTotalBytes('E'), -1);
        EXPECT_EQ(status.DiskFreeBytes('E'), -1);
    }
}

TEST(LinuxSystemStatus, HomeFromThePasswordFileWithoutHome) {
    ScopedEnv env;
    env.Set("HOME", nullptr);
    LinuxSystemStatus status;
    EXPECT_FALSE(status.HomeDirectory().empty());
    EXPECT_TRUE(fs::is_directory(status.HomeDirectory())) << status.HomeDirectory();
}

TEST(LinuxSystemStatus, MemoryInBytes) {
    struct sysinfo info{};
    ASSERT_EQ(sysinfo(&info), 0);
    LinuxSystemStatus status;
    for (int i = 0; i < 3; ++i) {  // read again from the start each time
        const MemoryStatus m = status.Memory();
        EXPECT_EQ(m.totalPhys, static_cast<uint64_t>(info.totalram) * info.mem_unit);
        EXPECT_GT(m.availPhys, 0u);
        EXPECT_LE(m.availPhys, m.totalPhys);
    }
}

TEST(LinuxSystemStatus, LocalTimeOfTheClock) {
    LocalTime got;
    std::tm want{};
    {  // a zone without daylight saving, from no time-zone file
        ScopedEnv env;
        env.Set("TZ", "JST-9");
        tzset();
        LinuxSystemStatus status;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const time_t before = time(nullptr);
            got = status.Now();
            const time_t after = time(nullptr);
            if (before != after) continue;
            const time_t shifted = before + 9 * 3600;
            gmtime_r(&shifted, &want);
            break;
        }
    }
    tzset();
    ASSERT_NE(want.tm_year, 0) << "the clock kept ticking over";
    EXPECT_EQ(got.year, want.tm_year + 1900);
    EXPECT_EQ(got.month, want.tm_mon + 1);
    EXPECT_EQ(got.day, want.tm_mday);
    EXPECT_EQ(got.hour, want.tm_hour);
    EXPECT_EQ(got.minute, want.tm_min);
    EXPECT_EQ(got.second, want.tm_sec);
}

}  // namespace
}  // namespace tw
