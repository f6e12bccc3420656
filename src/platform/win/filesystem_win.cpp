#include "platform/win/filesystem_win.h"

#include "core/text.h"
#include "platform/win/atomic_file_win.h"
#include "platform/win/profile_win.h"
#include "platform/win/windows_api.h"

namespace tw {

namespace {

// NUL-terminated for the API; a NUL inside would cut the name short, so
// such a path names nothing.
bool CString(std::string_view path, std::string& out) {
    if (path.find('\0') != std::string_view::npos) return false;
    out.assign(path);
    return true;
}

DWORD Attributes(std::string_view path) {
    std::string p;
    return CString(path, p) ? GetFileAttributesA(p.c_str()) : INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool WinFileSystem::FileExists(std::string_view path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::DirectoryExists(std::string_view path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::IsSpecialFile(std::string_view path) {
    std::string p;
    if (!CString(path, p)) return false;
    const DWORD a = GetFileAttributesA(p.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return false;
    if (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return true;
    // Opened for no access at all, only to ask what it is.
    HANDLE h = CreateFileA(p.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool disk = GetFileType(h) == FILE_TYPE_DISK;
    CloseHandle(h);
    return !disk;
}

std::vector<FindEntry> WinFileSystem::FindFiles(std::string_view dir, std::string_view mask) {
    std::vector<FindEntry> found;
    std::string pattern;
    if (!CString(dir, pattern) || mask.find('\0') != std::string_view::npos) return found;
    if (!pattern.empty() && !EndsWithSeparator(pattern, kWindowsSeparators)) pattern += '\\';
    pattern += mask;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return found;
    do {
        const std::string_view name = data.cFileName;
        if (name == "." || name == "..") continue;
        found.push_back({std::string(name), static_cast<uint32_t>(data.dwFileAttributes)});
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return found;
}

bool WinFileSystem::DeleteFile(std::string_view path) {
    std::string p;
    return CString(path, p) && DeleteFileA(p.c_str()) != 0;
}

std::optional<uint64_t> WinFileSystem::ContentStamp(std::string_view path) {
    const std::optional<std::wstring> wide = WidePath(path);
    std::string bytes;
    if (!wide || wide->empty() || ReadWholeFileW(*wide, bytes) != ReadResult::Read) return std::nullopt;
    return StampOf(bytes);
}

}  // namespace tw
