// System status for the header: disks, memory, clock and the locale's separators.
#pragma once

#include <cstdint>

namespace tw {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct MemoryStatus {
    uint64_t totalPhys = 0;  // bytes
    uint64_t availPhys = 0;  // bytes
};

struct Separators {
    char date = '/';
    char time = ':';
    char decimal = '.';
    char thousand = ',';
};

class ISystemStatus {
public:
    virtual ~ISystemStatus() = default;
    // Sizes of drive 'C' or 'D' in bytes; -1 when the query fails.
    virtual int64_t DiskTotalBytes(char drive) = 0;
    virtual int64_t DiskFreeBytes(char drive) = 0;
    // Whether the root directory of the drive exists.
    virtual bool DriveExists(char drive) = 0;
    virtual MemoryStatus Memory() = 0;
    virtual LocalTime Now() = 0;
    // The user's separators, with "/", ":", "." and "," where one cannot be read.
    virtual Separators ReadSeparators() = 0;
};

}  // namespace tw
