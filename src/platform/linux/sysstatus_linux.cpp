#include "platform/linux/sysstatus_linux.h"

// Placeholder until the header's platform services land.
namespace tw {
LinuxSystemStatus::LinuxSystemStatus() = default;
LinuxSystemStatus::~LinuxSystemStatus() = default;
int64_t LinuxSystemStatus::DiskTotalBytes(char) { return -1; }
int64_t LinuxSystemStatus::DiskFreeBytes(char) { return -1; }
bool LinuxSystemStatus::DriveExists(char) { return false; }
MemoryStatus LinuxSystemStatus::Memory() { return {}; }
LocalTime LinuxSystemStatus::Now() { return {}; }
Separators LinuxSystemStatus::ReadSeparators() { return {}; }
}  // namespace tw
