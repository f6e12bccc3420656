// System status for the header: disks, memory, clock and the locale's separators.
#pragma once

#include <cstdint>
#include <optional>

namespace tw {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct MemoryStatus {
    uint64_t totalPhys = 0;  // bytes
    uint64_t availPhys = 0;  // bytes
};

// One drive's figures as the header shows them: the sizes are asked for only
// when the drive exists, and are -1 otherwise or when the query fails.
struct DriveSpace {
    bool exists = false;
    int64_t total = -1;  // bytes
    int64_t free = -1;   // bytes
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

    // The latest figures of a drive and of the memory. A service that asks on
    // a thread of its own gives the last figures that have arrived, and
    // nullopt until the first have; this one asks at once: whether the drive
    // exists, then its total, then its free bytes.
    virtual std::optional<DriveSpace> LatestDrive(char drive) {
        DriveSpace d;
        d.exists = DriveExists(drive);
        if (d.exists) {
            d.total = DiskTotalBytes(drive);
            d.free = DiskFreeBytes(drive);
        }
        return d;
    }
    virtual std::optional<MemoryStatus> LatestMemory() { return Memory(); }
};

}  // namespace tw
