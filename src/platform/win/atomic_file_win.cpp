#include "platform/win/atomic_file_win.h"

#include <cstdint>
#include <random>
#include <utility>

#include "platform/win/windows_api.h"

namespace tw {

namespace {

constexpr std::wstring_view kTempPrefix = L".tw-", kTempSuffix = L".tmp";
constexpr std::size_t kHashDigits = 8, kRandomDigits = 16;

// The folder part of a path, with its separator; empty for a bare name.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t at = path.find_last_of(L"\\/:");
    return at == std::wstring::npos ? std::wstring() : path.substr(0, at + 1);
}

std::wstring Hex(uint64_t v, std::size_t digits) {
    std::wstring s(digits, L'0');
    for (std::size_t i = digits; i-- > 0; v >>= 4) s[i] = L"0123456789abcdef"[v & 15];
    return s;
}

// FNV-1a over the name's UTF-16 code units: the temporaries of one target
// share these digits.
std::wstring NameHash(std::wstring_view name) {
    uint32_t h = 2166136261u;
    for (wchar_t c : name) {
        h = (h ^ (static_cast<uint32_t>(c) & 0xFF)) * 16777619u;
        h = (h ^ (static_cast<uint32_t>(c) >> 8)) * 16777619u;
    }
    return Hex(h, kHashDigits);
}

uint64_t RandomBits() {
    static uint64_t counter = 0;
    uint64_t v = (static_cast<uint64_t>(GetCurrentProcessId()) << 32) ^ GetTickCount64() ^
                 (++counter * 0x9E3779B97F4A7C15ull);
    try {
        std::random_device rd;
        v ^= (static_cast<uint64_t>(rd()) << 32) | rd();
    } catch (...) {
    }
    return v;
}

bool IsHex(std::wstring_view s) {
    for (wchar_t c : s)
        if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'))) return false;
    return true;
}

// Deletes the temporaries of the target with this hash that no save holds
// open: a save in progress keeps its own from being deleted.
void RemoveLeftovers(const std::wstring& folder, const std::wstring& hash) {
    const std::wstring prefix = std::wstring(kTempPrefix) + hash + L"-";
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((folder + prefix + L"*" + std::wstring(kTempSuffix)).c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring_view name = data.cFileName;
        if (name.size() == prefix.size() + kRandomDigits + kTempSuffix.size() &&
            name.starts_with(prefix) && name.ends_with(kTempSuffix) &&
            IsHex(name.substr(prefix.size(), kRandomDigits)) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((folder + std::wstring(name)).c_str());
    } while (FindNextFileW(h, &data));
    FindClose(h);
}

bool WriteAll(HANDLE h, std::string_view data) {
    while (!data.empty()) {
        const DWORD chunk = data.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(data.size());
        DWORD written = 0;
        if (!WriteFile(h, data.data(), chunk, &written, nullptr) || written == 0) return false;
        data.remove_prefix(written);
    }
    return true;
}

}  // namespace

ReadResult ReadWholeFileW(const std::wstring& path, std::string& out) {
    out.clear();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_INVALID_NAME)
            return ReadResult::Absent;
        const DWORD a = GetFileAttributesW(path.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY))
            return ReadResult::NotRegular;
        return ReadResult::Unreadable;
    }
    ReadResult result = ReadResult::Read;
    LARGE_INTEGER size{};
    if (GetFileType(h) != FILE_TYPE_DISK) {
        result = ReadResult::NotRegular;
    } else if (!GetFileSizeEx(h, &size)) {
        result = ReadResult::Unreadable;
    } else {
        out.reserve(static_cast<std::size_t>(size.QuadPart));
        char buf[65536];
        for (;;) {
            DWORD n = 0;
            if (!ReadFile(h, buf, sizeof buf, &n, nullptr)) {
                result = ReadResult::Unreadable;
                break;
            }
            if (n == 0) break;
            out.append(buf, n);
        }
    }
    CloseHandle(h);
    if (result != ReadResult::Read) out.clear();
    return result;
}

bool CanWriteFileW(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(path.c_str());
    if (a != INVALID_FILE_ATTRIBUTES) {
        if (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_READONLY))
            return false;
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        const bool disk = GetFileType(h) == FILE_TYPE_DISK;
        CloseHandle(h);
        if (!disk) return false;
    } else {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
    }
    const std::wstring folder = FolderOf(path);
    if (folder.empty()) return true;  // the current folder
    const DWORD f = GetFileAttributesW(folder.c_str());
    return f != INVALID_FILE_ATTRIBUTES && (f & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<WinReplacement> WinReplacement::Prepare(const std::wstring& path,
                                                      std::string_view data) {
    if (!CanWriteFileW(path)) return std::nullopt;
    const std::wstring folder = FolderOf(path);
    const std::wstring hash = NameHash(std::wstring_view(path).substr(folder.size()));
    RemoveLeftovers(folder, hash);

    WinReplacement r;
    r.target_ = path;
    for (int attempt = 0; attempt < 100 && !r.handle_; ++attempt) {
        r.temp_ = folder + std::wstring(kTempPrefix) + hash + L"-" + Hex(RandomBits(), kRandomDigits) +
                  std::wstring(kTempSuffix);
        HANDLE h = CreateFileW(r.temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            r.handle_ = h;
        } else if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            r.temp_.clear();
            return std::nullopt;
        }
    }
    if (!r.handle_) {
        r.temp_.clear();
        return std::nullopt;
    }
    if (!WriteAll(r.handle_, data) || !FlushFileBuffers(r.handle_)) return std::nullopt;
    const DWORD a = GetFileAttributesW(path.c_str());
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (a != INVALID_FILE_ATTRIBUTES && (a & kKept)) {
        // Through the handle: the name cannot be opened again while it is held.
        FILE_BASIC_INFO info{};
        info.FileAttributes = (a & kKept) | FILE_ATTRIBUTE_ARCHIVE;
        if (!SetFileInformationByHandle(r.handle_, FileBasicInfo, &info, sizeof info))
            return std::nullopt;
    }
    return r;
}

WinReplacement::WinReplacement(WinReplacement&& other) noexcept { *this = std::move(other); }

WinReplacement& WinReplacement::operator=(WinReplacement&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, nullptr);
        temp_ = std::move(other.temp_);
        target_ = std::move(other.target_);
        other.temp_.clear();
    }
    return *this;
}

WinReplacement::~WinReplacement() { Release(); }

void WinReplacement::Release() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
    if (!temp_.empty()) DeleteFileW(temp_.c_str());
    handle_ = nullptr;
    temp_.clear();
}

std::wstring WinFileLock::NameFor(const std::wstring& path) {
    const std::wstring folder = FolderOf(path);
    return folder + std::wstring(kTempPrefix) +
           NameHash(std::wstring_view(path).substr(folder.size())) + L".lock";
}

std::optional<WinFileLock> WinFileLock::Acquire(const std::wstring& lockPath,
                                                std::chrono::steady_clock::time_point until) {
    const auto wait = [&] {
        if (std::chrono::steady_clock::now() >= until) return false;
        Sleep(10);
        return true;
    };
    HANDLE h = INVALID_HANDLE_VALUE;
    for (;;) {
        h = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (h != INVALID_HANDLE_VALUE) break;
        // Another program may hold it open without sharing for a moment.
        if (GetLastError() != ERROR_SHARING_VIOLATION || !wait()) return std::nullopt;
    }
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return std::nullopt;
    }
    for (;;) {
        OVERLAPPED at{};
        if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) break;
        const DWORD error = GetLastError();
        if ((error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) || !wait()) {
            CloseHandle(h);
            return std::nullopt;
        }
    }
    WinFileLock lock;
    lock.handle_ = h;
    return lock;
}

WinFileLock::WinFileLock(WinFileLock&& other) noexcept { *this = std::move(other); }

WinFileLock& WinFileLock::operator=(WinFileLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

WinFileLock::~WinFileLock() { Release(); }

void WinFileLock::Release() {
    if (!handle_) return;
    OVERLAPPED at{};
    UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &at);
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

bool WinReplacement::Commit() {
    if (!handle_) return false;
    // The file cannot be renamed while it is open without shared deletion.
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
    if (!MoveFileExW(temp_.c_str(), target_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Release();
        return false;
    }
    temp_.clear();  // it is the target now
    return true;
}

}  // namespace tw
