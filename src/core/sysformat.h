// The texts of the system information header.
#pragma once

#include <cstdint>
#include <string>

#include "core/sysstatus.h"

namespace tw {

// A separator as the header uses it: one Latin-1 character. `cp` is the
// first character of the locale's setting (0 when there is none); one
// without a Latin-1 form gives `fallback`, except that spaces of other widths
// (the ideographic space among them) become the no-break space and the
// right single quotation mark the apostrophe.
char SeparatorFromCodePoint(char32_t cp, char fallback);

// "yyyy/mm/dd hh:MM:ss" with the locale's date and time separators.
std::string FormatDateTime(const LocalTime& t, const Separators& sep);

// "###,###.0": one decimal, grouped thousands, no digit before the decimal
// separator under 1 (".5").
std::string FormatSize(long double value, const Separators& sep);

// "0.0%".
std::string FormatPercent(long double value, const Separators& sep);

// A kilobyte count scaled to KB, MB or GB.
struct ScaledSize {
    long double value;
    const char* unit;
};
ScaledSize ScaleKilobytes(long double kilobytes);

// "[C] Size : 74.5GB / Free : 33.0GB / USED : 55.8%" for drive 'C' or 'D'.
std::string DriveText(char drive, int64_t total, int64_t free, const Separators& sep);

// "物理メモリ:2048MB空きメモリ:1024MBメモリ使用率:50%" (UTF-8).
std::string MemoryText(const MemoryStatus& m);

}  // namespace tw
