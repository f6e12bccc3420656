// Disks, memory, clock and locale on Windows.
#pragma once

#include "core/sysstatus.h"

namespace tw {

class WinSystemStatus : public ISystemStatus {
public:
    // GetDiskFreeSpaceExA on "C:\" or "D:\": the total bytes, and the free
    // bytes available to the user; -1 when the query fails.
    int64_t DiskTotalBytes(char drive) override;
    int64_t DiskFreeBytes(char drive) override;
    // GetFileAttributesA on the drive's root: readable and a directory.
    bool DriveExists(char drive) override;
    // GlobalMemoryStatusEx: 64-bit counts, so memory beyond 4 GB is not
    // cut short here (the header shows it in its own terms).
    MemoryStatus Memory() override;
    // GetLocalTime.
    LocalTime Now() override;
    // The first character of LOCALE_SDATE, LOCALE_STIME, LOCALE_SDECIMAL
    // and LOCALE_STHOUSAND of the user's locale (GetLocaleInfoA), as a
    // Latin-1 character; the default where a setting cannot be read or its
    // character has no Latin-1 form (spaces of other widths become the
    // no-break space).
    Separators ReadSeparators() override;
};

}  // namespace tw
