#include "platform/linux/spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace tw {

namespace {

// Moves a descriptor above the standard three, close-on-exec.
int AboveStandard(int fd) {
    if (fd > 2) return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    close(fd);
    return moved;
}

void Report(int fd, int err) {
    while (write(fd, &err, sizeof err) < 0 && errno == EINTR) {
    }
}

// The started program's side. Only async-signal-safe calls: the bar has
// other threads whose locks a forked child must not touch.
[[noreturn]] void ExecChild(char* const* argv, const char* directory, int reportFd, int maxFd) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    for (int s = 1; s < NSIG; ++s) sigaction(s, &dfl, nullptr);

    const int null = open("/dev/null", O_RDONLY);
    if (null > 0) {
        dup2(null, 0);
        close(null);
    }
    if (chdir(directory) != 0 && chdir("/") != 0) {
        Report(reportFd, errno);
        _exit(127);
    }
    // Every descriptor above 2 goes at exec, the report pipe included.
    if (close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0)
        for (int fd = 3; fd < maxFd; ++fd) fcntl(fd, F_SETFD, FD_CLOEXEC);

    execve(argv[0], argv, environ);
    Report(reportFd, errno);
    _exit(127);
}

}  // namespace

bool SpawnDetached(const LaunchCommand& command) {
    if (command.program.empty()) return false;
    // Everything the child needs is prepared before fork.
    std::vector<std::string> strings;
    strings.reserve(command.args.size() + 1);
    strings.push_back(command.program);
    strings.insert(strings.end(), command.args.begin(), command.args.end());
    std::vector<char*> argv;
    for (std::string& s : strings) argv.push_back(s.data());
    argv.push_back(nullptr);
    const std::string directory = command.directory.empty() ? "/" : command.directory;

    int maxFd = 65536;
    struct rlimit rl;
    if (getrlimit(RLIMIT_NOFILE, &rl) == 0 && rl.rlim_cur != RLIM_INFINITY &&
        rl.rlim_cur < static_cast<rlim_t>(1 << 20))
        maxFd = static_cast<int>(rl.rlim_cur);

    int p[2];
    if (pipe2(p, O_CLOEXEC) != 0) return false;
    const int readFd = AboveStandard(p[0]);
    const int writeFd = AboveStandard(p[1]);
    if (readFd < 0 || writeFd < 0) {
        if (readFd >= 0) close(readFd);
        if (writeFd >= 0) close(writeFd);
        return false;
    }

    const pid_t intermediate = fork();
    if (intermediate < 0) {
        close(readFd);
        close(writeFd);
        return false;
    }
    if (intermediate == 0) {
        close(readFd);
        setsid();
        const pid_t program = fork();
        if (program < 0) {
            Report(writeFd, errno);
            _exit(1);
        }
        if (program > 0) _exit(0);
        ExecChild(argv.data(), directory.c_str(), writeFd, maxFd);
    }

    close(writeFd);
    int status = 0;
    while (waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without a word when execve succeeded.
    int err = 0;
    ssize_t n;
    while ((n = read(readFd, &err, sizeof err)) < 0 && errno == EINTR) {
    }
    close(readFd);
    return n == 0;
}

}  // namespace tw
