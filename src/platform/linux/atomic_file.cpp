#include "platform/linux/atomic_file.h"
#include "platform/linux/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <thread>
#include <utility>

namespace tw {

namespace {

constexpr int kMaxLinks = 40;
constexpr std::string_view kTempPrefix = ".tw-", kTempSuffix = ".tmp";
constexpr std::size_t kHashDigits = 8, kRandomDigits = 16;
constexpr std::size_t kTempLength =
    kTempPrefix.size() + kHashDigits + 1 + kRandomDigits + kTempSuffix.size();

std::string Hex(uint64_t v, std::size_t digits) {
    std::string s(digits, '0');
    for (std::size_t i = digits; i-- > 0; v >>= 4) s[i] = "0123456789abcdef"[v & 15];
    return s;
}

bool IsHex(std::string_view s) {
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// FNV-1a: the temporaries of one target share these digits.
std::string NameHash(std::string_view name) {
    uint32_t h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return Hex(h, kHashDigits);
}

uint64_t RandomBits() {
    uint64_t v = 0;
    if (getrandom(&v, sizeof v, 0) == sizeof v) return v;
    static uint64_t counter = 0;
    return (static_cast<uint64_t>(getpid()) << 32) ^ static_cast<uint64_t>(time(nullptr)) ^
           (++counter * 0x9E3779B97F4A7C15ull);
}

bool IsTempOf(std::string_view name, std::string_view hash) {
    if (name.size() != kTempLength || !name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix))
        return false;
    name.remove_prefix(kTempPrefix.size());
    return name.substr(0, kHashDigits) == hash && name[kHashDigits] == '-' &&
           IsHex(name.substr(kHashDigits + 1, kRandomDigits));
}

// Whether `name` in the folder still is the file open as `fd`.
bool StillNamed(int dirFd, const std::string& name, int fd) {
    struct stat byName, byFd;
    return fstatat(dirFd, name.c_str(), &byName, AT_SYMLINK_NOFOLLOW) == 0 &&
           fstat(fd, &byFd) == 0 && byName.st_dev == byFd.st_dev && byName.st_ino == byFd.st_ino;
}

// Removes the temporaries of the target with this hash that no save holds:
// their saves were killed before they could finish or clean up.
void RemoveLeftovers(int dirFd, std::string_view hash) {
    const int listFd = dup(dirFd);
    if (listFd < 0) return;
    std::unique_ptr<DIR, int (*)(DIR*)> d(fdopendir(listFd), closedir);
    if (!d) {
        close(listFd);
        return;
    }
    while (const dirent* e = readdir(d.get())) {
        if (!IsTempOf(e->d_name, hash)) continue;
        // A temporary already carries its target's permissions, which may
        // allow writing only.
        constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        int fd = openat(dirFd, e->d_name, O_RDONLY | kFlags);
        if (fd < 0 && errno == EACCES) fd = openat(dirFd, e->d_name, O_WRONLY | kFlags);
        if (fd < 0) continue;
        struct stat st;
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            StillNamed(dirFd, e->d_name, fd))
            unlinkat(dirFd, e->d_name, 0);
        close(fd);
    }
}

bool WriteAll(int fd, std::string_view data, std::size_t failAfter) {
    std::size_t written = 0;
    while (written < data.size()) {
        std::size_t chunk = data.size() - written;
        if (written + chunk > failAfter) {
            chunk = failAfter - written;
            if (chunk == 0) {
                errno = ENOSPC;
                return false;
            }
        }
        const ssize_t n = write(fd, data.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::optional<std::string> ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat st;
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return std::nullopt;
        target.resize(static_cast<std::size_t>(n));
        current = target.front() == '/' ? target : FolderOf(current) + "/" + target;
    }
    return std::nullopt;
}

namespace {

// CanWriteFile for the name the links lead to.
bool CanWriteTarget(const std::string& target) {
    struct stat st;
    if (stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return false;
        if (IsReadOnlyMode(st.st_mode)) return false;
        if (access(target.c_str(), W_OK) != 0) return false;
    } else if (errno != ENOENT) {
        return false;
    }
    const std::string folder = FolderOf(target);
    struct stat dst;
    return stat(folder.c_str(), &dst) == 0 && S_ISDIR(dst.st_mode) &&
           access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

bool CanWriteFile(const std::string& path) {
    if (path.empty()) return false;
    const std::optional<std::string> target = ResolveLinks(path);
    return target && CanWriteTarget(*target);
}

std::optional<Replacement> Replacement::Prepare(const std::string& path, std::string_view data,
                                                std::size_t failAfter, bool failFolderSync) {
    if (path.empty()) return std::nullopt;
    const std::optional<std::string> resolved = ResolveLinks(path);
    if (!resolved || !CanWriteTarget(*resolved)) return std::nullopt;
    const std::string& target = *resolved;
    Replacement r;
    r.failFolderSync_ = failFolderSync;
    r.targetName_ = NameOf(target);
    r.dirFd_ = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (r.dirFd_ < 0) return std::nullopt;

    struct stat st;
    const bool existed = fstatat(r.dirFd_, r.targetName_.c_str(), &st, 0) == 0;
    if (existed && !S_ISREG(st.st_mode)) return std::nullopt;

    const std::string hash = NameHash(r.targetName_);
    RemoveLeftovers(r.dirFd_, hash);
    for (int attempt = 0; attempt < 100 && r.fd_ < 0; ++attempt) {
        r.tempName_ = std::string(kTempPrefix) + hash + "-" + Hex(RandomBits(), kRandomDigits) +
                      std::string(kTempSuffix);
        const int fd = openat(r.dirFd_, r.tempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              existed ? 0600 : 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return std::nullopt;
        }
        // Another save's clean-up may have taken the new file between its
        // creation and the lock: then the name is gone, and we try another.
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(r.dirFd_, r.tempName_, fd)) {
            r.fd_ = fd;
        } else {
            close(fd);
        }
    }
    if (r.fd_ < 0) {
        r.tempName_.clear();
        return std::nullopt;
    }

    if (existed) {
        if (fchmod(r.fd_, st.st_mode & 07777) != 0) return std::nullopt;
        if (st.st_uid != geteuid() || st.st_gid != getegid())
            (void)!fchown(r.fd_, st.st_uid, st.st_gid);  // as far as we are allowed
    }
    if (!WriteAll(r.fd_, data, failAfter) || fsync(r.fd_) != 0) return std::nullopt;
    return r;
}

Replacement::Replacement(Replacement&& other) noexcept { *this = std::move(other); }

Replacement& Replacement::operator=(Replacement&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        dirFd_ = std::exchange(other.dirFd_, -1);
        tempName_ = std::move(other.tempName_);
        targetName_ = std::move(other.targetName_);
        failFolderSync_ = other.failFolderSync_;
        other.tempName_.clear();
    }
    return *this;
}

Replacement::~Replacement() { Release(); }

void Replacement::Release() {
    // The temporary goes while it is still locked, so no clean-up of another
    // save can mistake it for a leftover and race with us.
    if (fd_ >= 0 && !tempName_.empty()) unlinkat(dirFd_, tempName_.c_str(), 0);
    if (fd_ >= 0) close(fd_);
    if (dirFd_ >= 0) close(dirFd_);
    fd_ = dirFd_ = -1;
    tempName_.clear();
}

bool Replacement::Commit() {
    if (fd_ < 0 || renameat(dirFd_, tempName_.c_str(), dirFd_, targetName_.c_str()) != 0) return false;
    tempName_.clear();  // it is the target now
    const bool synced = !failFolderSync_ && fsync(dirFd_) == 0;
    Release();
    return synced;
}

std::optional<std::string> FileLock::NameFor(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::optional<std::string> target = ResolveLinks(path);
    if (!target) return std::nullopt;
    const std::string folder = FolderOf(*target);
    return (folder == "/" ? folder : folder + "/") + std::string(kTempPrefix) +
           NameHash(NameOf(*target)) + ".lock";
}

std::optional<FileLock> FileLock::Acquire(const std::string& lockPath,
                                          std::chrono::steady_clock::time_point until) {
    for (;;) {
        const int fd = open(lockPath.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                            0644);
        if (fd < 0) return std::nullopt;
        struct stat st;
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            close(fd);
            return std::nullopt;
        }
        for (;;) {
            if (flock(fd, LOCK_EX | LOCK_NB) == 0) break;
            if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= until) {
                close(fd);
                return std::nullopt;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        // The holder before us may have removed the file as it let go, and
        // another save made a new one: the lock is the one the name holds.
        struct stat byName;
        if (lstat(lockPath.c_str(), &byName) == 0 && byName.st_dev == st.st_dev &&
            byName.st_ino == st.st_ino) {
            FileLock lock;
            lock.fd_ = fd;
            lock.path_ = lockPath;
            return lock;
        }
        close(fd);
        if (std::chrono::steady_clock::now() >= until) return std::nullopt;
    }
}

FileLock::FileLock(FileLock&& other) noexcept { *this = std::move(other); }

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

FileLock::~FileLock() { Release(); }

void FileLock::Release() {
    // Removed while still held, so that no one can take the lock of a name
    // that is about to go.
    if (fd_ >= 0) {
        unlink(path_.c_str());
        close(fd_);
    }
    fd_ = -1;
}

bool WriteFileAtomically(const std::string& path, std::string_view data, std::size_t failAfter) {
    std::optional<Replacement> r = Replacement::Prepare(path, data, failAfter);
    return r && r->Commit();
}

ReadResult ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ReadResult::Absent;
        struct stat st;
        if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return ReadResult::NotRegular;
        return ReadResult::Unreadable;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        close(fd);
        return ReadResult::Unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        return ReadResult::NotRegular;
    }
    out.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            out.clear();
            return ReadResult::Unreadable;
        }
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    close(fd);
    return ReadResult::Read;
}

}  // namespace tw
