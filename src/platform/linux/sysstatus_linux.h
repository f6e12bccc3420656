// Disks, memory, clock and locale on Linux.
//
// Drive C: is the file system of "/". Drive D: is the file system that holds
// the user's home directory, and exists only when that is another device
// than "/". Every query is a system call or two, and any of them may wait
// as long as its file system does: the bar asks for them from worker threads
// (core/sysstatus_background.h). Safe to use from several threads at once.
#pragma once

#include <string>
#include <string_view>

#include <sys/types.h>

#include "core/sysstatus.h"

namespace tw {

class LinuxSystemStatus : public ISystemStatus {
public:
    LinuxSystemStatus();
    ~LinuxSystemStatus() override;
    LinuxSystemStatus(const LinuxSystemStatus&) = delete;
    LinuxSystemStatus& operator=(const LinuxSystemStatus&) = delete;

    int64_t DiskTotalBytes(char drive) override;
    int64_t DiskFreeBytes(char drive) override;
    bool DriveExists(char drive) override;
    MemoryStatus Memory() override;
    LocalTime Now() override;
    // From the user's locale as the environment names it (LC_ALL, LC_*,
    // LANG). A separator is kept as a Latin-1 character.
    Separators ReadSeparators() override;

    // The directory whose file system is drive D:, empty when unknown.
    const std::string& HomeDirectory() const { return home_; }

private:
    // The directory a drive's queries go to, or nullptr when it does not exist.
    const char* DrivePath(char drive) const;

    std::string home_;
    dev_t rootDevice_ = 0;
    bool rootKnown_ = false;
    int meminfo_ = -1;  // /proc/meminfo, kept open and read from the start each time
};

// The rest of a date or time format (nl_langinfo's D_FMT or T_FMT) from its
// first character that is not produced by a % conversion, or empty when
// there is none. %D, %F, %T, %R and %r count as the formats they stand for,
// so "%T" gives ":%M:%S".
std::string_view FirstLiteral(std::string_view format);

}  // namespace tw
