// A file system that stalls: an empty root folder whose space query answers
// only after a delay. Every statfs that arrives within the delay after the
// first one waits until the delay is over; later ones answer at once. The
// figures are 734,003,200 bytes in all and 524,288 bytes free. Each statfs
// appends a line "statfs" to the report file when it starts.
//
// Usage: stallfs MOUNTPOINT DELAY_MS REPORT_FILE   (stays in the foreground;
// SIGTERM unmounts and ends it)
#define FUSE_USE_VERSION 31
#include <fuse.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds delay;
std::string report;
std::mutex mutex;
std::optional<Clock::time_point> stallEnd;

int Getattr(const char* path, struct stat* st, fuse_file_info*) {
    if (std::strcmp(path, "/") != 0) return -ENOENT;
    std::memset(st, 0, sizeof *st);
    st->st_mode = S_IFDIR | 0755;
    st->st_nlink = 2;
    return 0;
}

int Readdir(const char* path, void* buf, fuse_fill_dir_t fill, off_t, fuse_file_info*,
            fuse_readdir_flags) {
    if (std::strcmp(path, "/") != 0) return -ENOENT;
    fill(buf, ".", nullptr, 0, fuse_fill_dir_flags{});
    fill(buf, "..", nullptr, 0, fuse_fill_dir_flags{});
    return 0;
}

int Statfs(const char*, struct statvfs* s) {
    if (const int fd = open(report.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644); fd >= 0) {
        if (write(fd, "statfs\n", 7) < 0) {
        }
        close(fd);
    }
    Clock::time_point end;
    {
        const std::lock_guard lock(mutex);
        if (!stallEnd) stallEnd = Clock::now() + delay;
        end = *stallEnd;
    }
    std::this_thread::sleep_until(end);
    std::memset(s, 0, sizeof *s);
    s->f_bsize = s->f_frsize = 4096;
    s->f_blocks = 734003200 / 4096;
    s->f_bfree = s->f_bavail = 524288 / 4096;
    s->f_namemax = 255;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    delay = std::chrono::milliseconds(std::atol(argv[2]));
    report = argv[3];
    fuse_operations ops{};
    ops.getattr = Getattr;
    ops.readdir = Readdir;
    ops.statfs = Statfs;
    char foreground[] = "-f", option[] = "-o", threads[] = "max_threads=4";
    char* args[] = {argv[0], foreground, option, threads, argv[1], nullptr};
    return fuse_main(5, args, &ops, nullptr);
}
