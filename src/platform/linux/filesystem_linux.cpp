#include "platform/linux/filesystem_linux.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <utility>

#include "core/text.h"
#include "platform/linux/atomic_file.h"

namespace tw {

namespace {

// One Shift-JIS character of `s` starting at `i`: its length in bytes.
std::size_t CharLength(std::string_view s, std::size_t i) {
    return IsSjisLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

bool IsDotOrDotDot(const char* n) {
    return n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'));
}

uint32_t AttributesOf(const std::string& fsPath, std::string_view name) {
    struct stat st;
    if (stat(fsPath.c_str(), &st) != 0) return 0;  // dangling link or gone
    if (S_ISDIR(st.st_mode)) return kAttrDirectory;
    if (!S_ISREG(st.st_mode)) return 0;
    uint32_t a = kAttrArchive;
    if (IsReadOnlyMode(st.st_mode)) a |= kAttrReadOnly;
    if (!name.empty() && name.front() == '.') a |= kAttrHidden;
    return a;
}

}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
    // Iterative wildcard match with one backtracking point for the last "*".
    std::size_t n = 0, m = 0;
    std::size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
            continue;
        }
        const std::size_t nl = CharLength(name, n);
        if (m < mask.size()) {
            const std::size_t ml = CharLength(mask, m);
            if ((ml == 1 && mask[m] == '?') || SameTextSjis(name.substr(n, nl), mask.substr(m, ml))) {
                n += nl;
                m += ml;
                continue;
            }
        }
        if (starMask == std::string_view::npos) return false;
        starName += CharLength(name, starName);
        n = starName;
        m = starMask;
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

bool NameLess(std::string_view a, std::string_view b) {
    // UTF-8 byte order is code-point order; only ASCII bytes change case.
    const auto upper = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - ('a' - 'A')) : u;
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (upper(a[i]) != upper(b[i])) return upper(a[i]) < upper(b[i]);
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

bool LinuxFileSystem::FileExists(std::string_view path) {
    auto p = TrySjisToUtf8(path);
    struct stat st;
    return p && stat(p->c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool LinuxFileSystem::DirectoryExists(std::string_view path) {
    auto p = TrySjisToUtf8(path);
    struct stat st;
    return p && stat(p->c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool LinuxFileSystem::IsSpecialFile(std::string_view path) {
    auto p = TrySjisToUtf8(path);
    struct stat st;
    return p && stat(p->c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

std::vector<FindEntry> LinuxFileSystem::FindFiles(std::string_view dir, std::string_view mask) {
    std::vector<FindEntry> found;
    const auto converted = TrySjisToUtf8(dir);
    if (!converted) return found;
    std::string folder = converted->empty() ? std::string("./") : *converted;
    if (folder.back() != '/') folder.push_back('/');

    std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(folder.c_str()), closedir);
    if (!d) return found;
    struct Found {
        std::string utf8;
        FindEntry entry;
    };
    std::vector<Found> entries;
    for (;;) {
        errno = 0;
        const dirent* e = readdir(d.get());
        if (!e) break;  // the end, or an error: keep what was found
        if (IsDotOrDotDot(e->d_name)) continue;
        auto name = TryUtf8ToSjis(e->d_name);
        if (!name || !MatchesMask(*name, mask)) continue;
        const uint32_t attributes = AttributesOf(folder + e->d_name, *name);
        entries.push_back({e->d_name, {std::move(*name), attributes}});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Found& x, const Found& y) { return NameLess(x.utf8, y.utf8); });
    for (Found& f : entries) found.push_back(std::move(f.entry));
    return found;
}

bool LinuxFileSystem::DeleteFile(std::string_view path) {
    auto p = TrySjisToUtf8(path);
    if (!p) return false;
    struct stat st;
    if (stat(p->c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return false;
        if (S_ISREG(st.st_mode) && IsReadOnlyMode(st.st_mode)) return false;
    }
    return unlink(p->c_str()) == 0;
}

std::optional<uint64_t> LinuxFileSystem::ContentStamp(std::string_view path) {
    auto p = TrySjisToUtf8(path);
    std::string bytes;
    if (!p || p->empty() || ReadWholeFile(*p, bytes) != ReadResult::Read) return std::nullopt;
    return StampOf(bytes);
}

}  // namespace tw
