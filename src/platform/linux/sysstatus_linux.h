// Disks, memory, clock and locale on Linux.
#pragma once

#include "platform/sysstatus.h"

namespace tw {

class LinuxSystemStatus : public ISystemStatus {
public:
    LinuxSystemStatus();
    ~LinuxSystemStatus() override;
    int64_t DiskTotalBytes(char drive) override;
    int64_t DiskFreeBytes(char drive) override;
    bool DriveExists(char drive) override;
    MemoryStatus Memory() override;
    LocalTime Now() override;
    Separators ReadSeparators() override;
};

}  // namespace tw
