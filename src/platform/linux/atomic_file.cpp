#include "platform/linux/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tw {

namespace {

// The file a path finally names, following symbolic links; the path itself
// when it does not exist yet.
std::string RealTarget(const std::string& path) {
    char buf[PATH_MAX];
    if (realpath(path.c_str(), buf)) return buf;
    return path;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

bool CanWriteFile(const std::string& path) {
    if (path.empty()) return false;
    const std::string target = RealTarget(path);
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

bool WriteFileAtomically(const std::string& path, std::string_view data, std::size_t failAfter) {
    if (!CanWriteFile(path)) return false;
    const std::string target = RealTarget(path);
    const std::string folder = FolderOf(target);
    const std::size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);

    struct stat st;
    const bool existed = stat(target.c_str(), &st) == 0;

    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + "/." + base + ".tmp" + std::to_string(getpid()) + "-" +
               std::to_string(attempt);
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, existed ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = true;
    if (existed) {
        ok = fchmod(fd, st.st_mode & 07777) == 0;
        if (ok && (st.st_uid != geteuid() || st.st_gid != getegid()))
            (void)!fchown(fd, st.st_uid, st.st_gid);  // as far as we are allowed
    }
    std::size_t written = 0;
    while (ok && written < data.size()) {
        std::size_t chunk = data.size() - written;
        if (written + chunk > failAfter) {
            chunk = failAfter - written;
            if (chunk == 0) {
                errno = ENOSPC;
                ok = false;
                break;
            }
        }
        const ssize_t n = write(fd, data.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    const int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) out.reserve(static_cast<std::size_t>(st.st_size));
    else if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        close(fd);
        return false;
    }
    char buf[65536];
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            return false;
        }
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    close(fd);
    return true;
}

}  // namespace tw
