// Disks, memory, clock and separators from the real Windows API.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "core/sysformat.h"
#include "platform/win/sysstatus_win.h"
#include "platform/win/windows_api.h"

namespace tw {
namespace {

TEST(WinSystemStatus, DisksAgreeWithTheFileSystemAndMissingDrivesFail) {
    WinSystemStatus status;
    ASSERT_TRUE(status.DriveExists('C'));
    const std::filesystem::space_info space = std::filesystem::space("C:\\");
    EXPECT_EQ(status.DiskTotalBytes('C'), static_cast<int64_t>(space.capacity));
    const int64_t free = status.DiskFreeBytes('C');
    EXPECT_GT(free, 0);
    EXPECT_LE(free, status.DiskTotalBytes('C'));
    // A drive letter with nothing behind it.
    char missing = 0;
    for (char d = 'Q'; d <= 'Y' && !missing; ++d)
        if (GetFileAttributesA((std::string(1, d) + ":\\").c_str()) == INVALID_FILE_ATTRIBUTES)
            missing = d;
    ASSERT_NE(missing, 0);
    EXPECT_FALSE(status.DriveExists(missing));
    EXPECT_EQ(status.DiskTotalBytes(missing), -1);
    EXPECT_EQ(status.DiskFreeBytes(missing), -1);
    EXPECT_EQ(status.DiskTotalBytes('?'), -1);
}

TEST(WinSystemStatus, MemoryIsWholeAndTheClockIsLocal) {
    WinSystemStatus status;
    const MemoryStatus m = status.Memory();
    EXPECT_GT(m.totalPhys, 0u);
    EXPECT_LE(m.availPhys, m.totalPhys);
    EXPECT_FALSE(MemoryText(m).empty());

    // The same moment through the C library's local time, unless a second
    // turned between the two reads.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::time_t before = std::time(nullptr);
        const LocalTime t = status.Now();
        if (std::time(nullptr) != before) continue;
        std::tm tm{};
        localtime_s(&tm, &before);
        EXPECT_EQ(t.year, tm.tm_year + 1900);
        EXPECT_EQ(t.month, tm.tm_mon + 1);
        EXPECT_EQ(t.day, tm.tm_mday);
        EXPECT_EQ(t.hour, tm.tm_hour);
        EXPECT_EQ(t.minute, tm.tm_min);
        EXPECT_EQ(t.second, tm.tm_sec);
        break;
    }
}

// Sets the user's locale settings for the life of the object (in the test
// prefix), and puts the old ones back.
class ScopedLocaleInfo {
public:
    ScopedLocaleInfo(LCTYPE type, const char* value) : type_(type) {
        char old[16] = {};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, type, old, sizeof old);
        old_ = old;
        ok_ = SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value) != 0;
    }
    ~ScopedLocaleInfo() { SetLocaleInfoA(LOCALE_USER_DEFAULT, type_, old_.c_str()); }
    bool ok() const { return ok_; }

private:
    LCTYPE type_;
    std::string old_;
    bool ok_ = false;
};

TEST(WinSystemStatus, SeparatorsAreTheUsersOwn) {
    ASSERT_EQ(GetACP(), 932u) << "run under LC_ALL=ja_JP.UTF-8";
    const Separators plain = WinSystemStatus().ReadSeparators();
    EXPECT_EQ(plain.date, '/');
    EXPECT_EQ(plain.time, ':');
    EXPECT_EQ(plain.decimal, '.');
    EXPECT_EQ(plain.thousand, ',');
    // Each setting is read from its own key, first character only.
    const ScopedLocaleInfo date(LOCALE_SDATE, "-"), time(LOCALE_STIME, ".:"),
        decimal(LOCALE_SDECIMAL, ","), thousand(LOCALE_STHOUSAND, "'");
    ASSERT_TRUE(date.ok() && time.ok() && decimal.ok() && thousand.ok());
    const Separators s = WinSystemStatus().ReadSeparators();
    EXPECT_EQ(s.date, '-');
    EXPECT_EQ(s.time, '.');
    EXPECT_EQ(s.decimal, ',');
    EXPECT_EQ(s.thousand, '\'');
    EXPECT_EQ(FormatDateTime({2026, 12, 6, 9, 5, 3}, s), "2026-12-06 09.05.03");
}

}  // namespace
}  // namespace tw
