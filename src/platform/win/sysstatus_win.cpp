#include "platform/win/sysstatus_win.h"

#include <optional>
#include <string>

#include "core/sysformat.h"
#include "platform/win/windows_api.h"

namespace tw {

namespace {

// "C:\" for 'C' or 'c'; empty for anything but a letter.
std::string Root(char drive) {
    if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z'))) return {};
    return std::string(1, drive) + ":\\";
}

int64_t Checked(ULONGLONG bytes) {
    return bytes > static_cast<ULONGLONG>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(bytes);
}

struct Space {
    ULARGE_INTEGER available, total;
};

// The drive's sizes from GetDiskFreeSpaceExA; nullopt when it fails.
std::optional<Space> DiskSpace(char drive) {
    const std::string root = Root(drive);
    Space s;
    ULARGE_INTEGER free;
    if (root.empty() || !GetDiskFreeSpaceExA(root.c_str(), &s.available, &s.total, &free))
        return std::nullopt;
    return s;
}

char SeparatorChar(LCTYPE type, char fallback) {
    char text[16] = {};
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text);
    if (n <= 1) return fallback;
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x80) return text[0];
    // The first character in the ANSI code page, one or two bytes.
    wchar_t wc = 0;
    const int len = IsDBCSLeadByte(first) && text[1] ? 2 : 1;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, len, &wc, 1) != 1) return fallback;
    return SeparatorFromCodePoint(static_cast<char32_t>(wc), fallback);
}

}  // namespace

int64_t WinSystemStatus::DiskTotalBytes(char drive) {
    const auto space = DiskSpace(drive);
    return space ? Checked(space->total.QuadPart) : -1;
}

int64_t WinSystemStatus::DiskFreeBytes(char drive) {
    const auto space = DiskSpace(drive);
    return space ? Checked(space->available.QuadPart) : -1;
}

bool WinSystemStatus::DriveExists(char drive) {
    const std::string root = Root(drive);
    if (root.empty()) return false;
    const DWORD a = GetFileAttributesA(root.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

MemoryStatus WinSystemStatus::Memory() {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    if (!GlobalMemoryStatusEx(&m)) return {};
    return {m.ullTotalPhys, m.ullAvailPhys};
}

LocalTime WinSystemStatus::Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

Separators WinSystemStatus::ReadSeparators() {
    Separators s;
    s.date = SeparatorChar(LOCALE_SDATE, s.date);
    s.time = SeparatorChar(LOCALE_STIME, s.time);
    s.decimal = SeparatorChar(LOCALE_SDECIMAL, s.decimal);
    s.thousand = SeparatorChar(LOCALE_STHOUSAND, s.thousand);
    return s;
}

}  // namespace tw
