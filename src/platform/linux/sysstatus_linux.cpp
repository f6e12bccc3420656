#include "platform/linux/sysstatus_linux.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwchar>

#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "core/sysformat.h"

namespace tw {

namespace {

// Conversions that stand for a whole format of their own.
std::string_view Expansion(char conversion) {
    switch (conversion) {
    case 'D': return "%m/%d/%y";
    case 'F': return "%Y-%m-%d";
    case 'T': return "%H:%M:%S";
    case 'R': return "%H:%M";
    case 'r': return "%I:%M:%S %p";
    default: return {};
    }
}

std::string HomeDirectoryOfUser() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buf(size > 0 ? static_cast<size_t>(size) : 16384, '\0');
    passwd pw{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

int64_t ToBytes(unsigned long long count, unsigned long long unit) {
    unsigned long long bytes;
    if (__builtin_mul_overflow(count, unit, &bytes) || bytes > static_cast<unsigned long long>(INT64_MAX))
        return INT64_MAX;
    return static_cast<int64_t>(bytes);
}

// The kilobyte figure of a /proc/meminfo line "Key:   1234 kB", in bytes.
bool MeminfoValue(std::string_view text, std::string_view key, uint64_t& bytes) {
    size_t at = 0;
    while ((at = text.find(key, at)) != std::string_view::npos) {
        if (at == 0 || text[at - 1] == '\n') break;
        at += key.size();
    }
    if (at == std::string_view::npos) return false;
    const char* p = text.data() + at + key.size();
    const char* end = text.data() + text.size();
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    uint64_t kb = 0;
    const auto r = std::from_chars(p, end, kb);
    if (r.ec != std::errc() || r.ptr == p) return false;
    bytes = kb * 1024;
    return true;
}

// The separator that the first character of `text`, in the current
// thread's locale, stands for.
char SeparatorChar(std::string_view text, char fallback) {
    if (text.empty()) return fallback;
    std::mbstate_t state{};
    wchar_t wc = 0;
    const size_t n = std::mbrtowc(&wc, text.data(), text.size(), &state);
    if (n == 0 || n == static_cast<size_t>(-1) || n == static_cast<size_t>(-2)) return fallback;
    return SeparatorFromCodePoint(static_cast<char32_t>(wc), fallback);
}

// The user's locale for the categories that hold the separators; a category
// the environment names but the system lacks stays "C".
locale_t UserLocale() {
    if (locale_t all = newlocale(LC_ALL_MASK, "", nullptr)) return all;
    locale_t base = newlocale(LC_ALL_MASK, "C", nullptr);
    if (!base) return nullptr;
    for (int mask : {LC_CTYPE_MASK, LC_NUMERIC_MASK, LC_TIME_MASK})
        if (locale_t next = newlocale(mask, "", base)) base = next;
    return base;
}

}  // namespace

std::string_view FirstLiteral(std::string_view format) {
    size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') return format.substr(i);
        ++i;
        while (i < format.size() && std::strchr("_-0^#", format[i])) ++i;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;
        while (i < format.size() && (format[i] == 'E' || format[i] == 'O')) ++i;
        if (i >= format.size()) break;
        if (const std::string_view inner = Expansion(format[i]); !inner.empty())
            if (const std::string_view lit = FirstLiteral(inner); !lit.empty()) return lit;
        ++i;
    }
    return {};
}

LinuxSystemStatus::LinuxSystemStatus() : home_(HomeDirectoryOfUser()) {
    struct stat st{};
    if (stat("/", &st) == 0) {
        rootDevice_ = st.st_dev;
        rootKnown_ = true;
    }
    meminfo_ = open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
}

LinuxSystemStatus::~LinuxSystemStatus() {
    if (meminfo_ >= 0) close(meminfo_);
}

const char* LinuxSystemStatus::DrivePath(char drive) const {
    switch (drive) {
    case 'C':
    case 'c':
        return "/";
    case 'D':
    case 'd': {
        if (home_.empty() || !rootKnown_) return nullptr;
        struct stat st{};
        if (stat(home_.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_dev == rootDevice_)
            return nullptr;
        return home_.c_str();
    }
    default:
        return nullptr;
    }
}

int64_t LinuxSystemStatus::DiskTotalBytes(char drive) {
    const char* path = DrivePath(drive);
    struct statvfs fs{};
    if (!path || statvfs(path, &fs) != 0) return -1;
    return ToBytes(fs.f_blocks, fs.f_frsize);
}

int64_t LinuxSystemStatus::DiskFreeBytes(char drive) {
    const char* path = DrivePath(drive);
    struct statvfs fs{};
    if (!path || statvfs(path, &fs) != 0) return -1;
    return ToBytes(fs.f_bavail, fs.f_frsize);
}

bool LinuxSystemStatus::DriveExists(char drive) {
    if (drive == 'C' || drive == 'c') {
        struct stat st{};
        return stat("/", &st) == 0 && S_ISDIR(st.st_mode);
    }
    return DrivePath(drive) != nullptr;
}

MemoryStatus LinuxSystemStatus::Memory() {
    MemoryStatus m;
    if (meminfo_ < 0) return m;
    // MemTotal and MemAvailable are the first and third lines.
    char buf[1024];
    ssize_t n;
    do n = pread(meminfo_, buf, sizeof buf, 0);
    while (n < 0 && errno == EINTR);
    if (n <= 0) return m;
    const std::string_view text(buf, static_cast<size_t>(n));
    MeminfoValue(text, "MemTotal:", m.totalPhys);
    if (!MeminfoValue(text, "MemAvailable:", m.availPhys)) MeminfoValue(text, "MemFree:", m.availPhys);
    return m;
}

LocalTime LinuxSystemStatus::Now() {
    const time_t now = time(nullptr);
    std::tm tm{};
    if (!localtime_r(&now, &tm)) return {};
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

Separators LinuxSystemStatus::ReadSeparators() {
    Separators s;
    locale_t loc = UserLocale();
    if (!loc) return s;
    const locale_t previous = uselocale(loc);  // for the code set of mbrtowc
    s.date = SeparatorChar(FirstLiteral(nl_langinfo_l(D_FMT, loc)), s.date);
    s.time = SeparatorChar(FirstLiteral(nl_langinfo_l(T_FMT, loc)), s.time);
    s.decimal = SeparatorChar(nl_langinfo_l(RADIXCHAR, loc), s.decimal);
    s.thousand = SeparatorChar(nl_langinfo_l(THOUSEP, loc), s.thousand);
    uselocale(previous);
    freelocale(loc);
    return s;
}

}  // namespace tw
