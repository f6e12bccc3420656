#include "core/sysformat.h"

// Placeholder until the header's formatting lands.
namespace tw {
std::string FormatDateTime(const LocalTime&, const Separators&) { return {}; }
std::string FormatSize(long double, const Separators&) { return {}; }
std::string FormatPercent(long double, const Separators&) { return {}; }
ScaledSize ScaleKilobytes(long double kb) { return {kb, "KB"}; }
std::string DriveText(char, int64_t, int64_t, const Separators&) { return {}; }
std::string MemoryText(const MemoryStatus&) { return {}; }
}  // namespace tw
