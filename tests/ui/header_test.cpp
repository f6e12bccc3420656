#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "core/recorder.h"
#include "core/sysformat.h"
#include "core/sysstatus_background.h"
#include "fakes.h"
#include "platform/linux/sysstatus_linux.h"
#include "ui/HeaderControl.h"
#include "ui/Ranch.h"

namespace tw {
namespace {

using test::TestRig;

std::vector<int> Widths(const TForm1& bar) {
    std::vector<int> w;
    for (int i = 0; i < THeaderControl::kSections; ++i) w.push_back(bar.HeaderControl1->SectionWidth(i));
    return w;
}

std::string Text(const TForm1& bar, int section) {
    return bar.HeaderControl1->SectionText(section).toStdString();
}

TEST(Header, LayoutAtLoad) {
    for (const bool hasD : {true, false}) {
        TestRig rig;
        rig.status.hasD = hasD;
        rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
        TForm1 bar(rig.MakePlatform());
        const int d = hasD ? 300 : 0;
        const std::vector<int> widths = Widths(bar);
        EXPECT_EQ(widths, (std::vector<int>{120, 280, d, 1024 - 120 - 280 - d})) << hasD;
        // The sections sit side by side; one of width 0 is not shown.
        for (int i = 0, x = 0; i < THeaderControl::kSections; x += widths[i++]) {
            const QLabel* s = bar.HeaderControl1->Section(i);
            EXPECT_EQ(std::pair(s->x(), s->width()), std::pair(x, widths[i])) << i;
            EXPECT_EQ(s->isHidden(), widths[i] == 0) << i;
        }
        // The text height of "A" in the bar's 12-pixel font, plus 3, is in the bar's height.
        const QFont font = bar.HeaderControl1->font();
        const int h = QFontMetrics(font).boundingRect(QStringLiteral("A")).height() + 3;
        EXPECT_EQ(bar.HeaderControl1->height(), h);
        EXPECT_EQ(bar.Geometry().height, bar.model().FBarSize + h);
    }
}

TEST(Header, OptionOffHidesAndStopsAndAWidthBelowZeroHidesItsSection) {
    TestRig rig;
    rig.status.hasD = true;
    TForm1 bar(rig.MakePlatform());  // no settings file: off
    EXPECT_EQ(Widths(bar), (std::vector<int>{120, 280, 280, 150}));  // as designed
    EXPECT_TRUE(bar.HeaderControl1->isHidden());
    EXPECT_FALSE(bar.Timer1Enabled());
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\nStrech=1\n");
    bar.LoadSettings();
    EXPECT_FALSE(bar.HeaderControl1->isHidden());
    EXPECT_TRUE(bar.Timer1Enabled());
    bar.LoadSettings();  // laid out while collapsed: no room left for the memory
    ASSERT_EQ(bar.Geometry().width, 1);
    EXPECT_EQ(Widths(bar), (std::vector<int>{120, 280, 300, 0}));
    EXPECT_TRUE(bar.HeaderControl1->Section(3)->isHidden());
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=0\n");
    bar.LoadSettings();
    EXPECT_TRUE(bar.HeaderControl1->isHidden());
    EXPECT_FALSE(bar.Timer1Enabled());
    EXPECT_EQ(bar.Geometry().height, bar.model().FBarSize);
}

TEST(Header, TheTimerWritesTheTextsAndALocaleChangeReachesThePresenter) {
    TestRig rig;
    rig.status.separators = {'-', '.', ',', '.'};
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    TForm1 bar(rig.MakePlatform());
    const auto& s = rig.status;
    QElapsedTimer clock;
    clock.start();
    while (Text(bar, 3).empty() && clock.elapsed() < 2000) QApplication::processEvents();
    EXPECT_EQ(Text(bar, 0), FormatDateTime(s.now, s.separators));
    EXPECT_EQ(Text(bar, 1), DriveText('C', s.total.at('C'), s.free.at('C'), s.separators));
    EXPECT_EQ(Text(bar, 2), "");
    EXPECT_EQ(Text(bar, 3), MemoryText(s.memory));
    rig.status.separators = {};
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(&bar, &change);
    bar.Timer1Timer();
    EXPECT_EQ(Text(bar, 0), FormatDateTime(s.now, {}));
}

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Forwards to another status and notes the time of every clock reading,
// which the header makes once per tick.
struct TickStamps : ISystemStatus {
    explicit TickStamps(std::shared_ptr<ISystemStatus> s) : inner(std::move(s)) {}
    std::shared_ptr<ISystemStatus> inner;
    std::vector<Clock::time_point> ticks;  // the user-interface thread's own

    // The longest time in [from, to] without a tick, and how many ticks it saw.
    std::pair<Clock::duration, int> LongestGap(Clock::time_point from, Clock::time_point to) const {
        Clock::duration longest{};
        int n = 0;
        Clock::time_point last = from;
        for (const auto t : ticks) {
            if (t < from || t > to) continue;
            longest = std::max(longest, t - last);
            last = t;
            ++n;
        }
        return {std::max(longest, to - last), n};
    }
    int64_t DiskTotalBytes(char d) override { return inner->DiskTotalBytes(d); }
    int64_t DiskFreeBytes(char d) override { return inner->DiskFreeBytes(d); }
    bool DriveExists(char d) override { return inner->DriveExists(d); }
    MemoryStatus Memory() override { return inner->Memory(); }
    LocalTime Now() override {
        ticks.push_back(Clock::now());
        return inner->Now();
    }
    Separators ReadSeparators() override { return inner->ReadSeparators(); }
    std::optional<DriveSpace> LatestDrive(char d) override { return inner->LatestDrive(d); }
    std::optional<MemoryStatus> LatestMemory() override { return inner->LatestMemory(); }
};

// Fixed figures; the space queries of D: wait until released.
struct StalledD : ISystemStatus {
    std::mutex mutex;
    std::condition_variable released;
    bool open = false;
    void Release() {
        {
            const std::lock_guard lock(mutex);
            open = true;
        }
        released.notify_all();
    }
    int64_t DiskTotalBytes(char d) override {
        if (d != 'D') return 80023715840;
        std::unique_lock lock(mutex);
        released.wait(lock, [&] { return open; });
        return 734003200;
    }
    int64_t DiskFreeBytes(char d) override { return d == 'D' ? 524288 : 35401232384; }
    bool DriveExists(char d) override { return d == 'C' || d == 'D'; }
    MemoryStatus Memory() override { return {2147483648u, 1073741824u}; }
    LocalTime Now() override { return {2026, 12, 6, 9, 5, 3}; }
    Separators ReadSeparators() override { return {}; }
};

void RunFor(std::chrono::milliseconds span) {
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until `done` holds, for at most `limit`.
template <class F>
bool RunUntil(F done, std::chrono::milliseconds limit) {
    for (const auto end = Clock::now() + limit; !done() && Clock::now() < end;) RunFor(10ms);
    return done();
}

TEST(Header, TicksGoOnWhileADiskDoesNotAnswer) {
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    const auto disk = std::make_shared<StalledD>();
    const auto stamps = std::make_shared<TickStamps>(disk);
    BackgroundSystemStatus status(stamps);
    // D: answers after 1.5 s, whatever the user-interface thread does.
    const auto start = Clock::now();
    std::thread answer([&] {
        std::this_thread::sleep_until(start + 1500ms);
        disk->Release();
    });
    TForm1 bar(rig.MakePlatform(status));
    const auto shown = Clock::now();
    // Until just before D: answers, however long the window took to make.
    using std::chrono::milliseconds;
    RunFor(std::max(0ms, std::chrono::duration_cast<milliseconds>(start + 1400ms - Clock::now())));
    const auto [longest, ticks] = stamps->LongestGap(shown, std::min(Clock::now(), start + 1500ms));
    EXPECT_LT(longest, 50ms);
    EXPECT_GT(ticks, 20);
    // Meanwhile C: and the memory were shown; D: had nothing to show yet.
    const Separators none;
    EXPECT_EQ(Text(bar, 1), DriveText('C', 80023715840, 35401232384, none));
    EXPECT_EQ(Text(bar, 3), MemoryText({2147483648u, 1073741824u}));
    EXPECT_EQ(Text(bar, 2), "");
    answer.join();
    const std::string d = DriveText('D', 734003200, 524288, none);
    EXPECT_TRUE(RunUntil([&] { return Text(bar, 2) == d; }, 3000ms)) << Text(bar, 2);
}

// A file system of its own, mounted for the life of the object, whose space
// query stalls for `delay` from the first time it is asked.
class StallingMount {
public:
    StallingMount(const std::filesystem::path& dir, std::chrono::milliseconds delay)
        : point_(dir / "mnt"), report_(dir / "statfs.log") {
        std::filesystem::create_directory(point_);
        const std::string ms = std::to_string(delay.count());
        const char* argv[] = {STALLFS, point_.c_str(), ms.c_str(), report_.c_str(), nullptr};
        if (posix_spawn(&pid_, STALLFS, nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
            pid_ = 0;
            return;
        }
        struct stat parent {};
        stat(dir.c_str(), &parent);
        for (const auto end = Clock::now() + 5s; Clock::now() < end; std::this_thread::sleep_for(10ms)) {
            struct stat st {};
            if (stat(point_.c_str(), &st) == 0 && st.st_dev != parent.st_dev) {
                mounted_ = true;
                break;
            }
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {  // it gave up
                pid_ = 0;
                break;
            }
        }
    }
    ~StallingMount() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            bool ended = false;
            for (const auto end = Clock::now() + 3s; !ended && Clock::now() < end;) {
                ended = waitpid(pid_, &status, WNOHANG) == pid_;
                if (!ended) std::this_thread::sleep_for(10ms);
            }
            if (!ended) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
            }
        }
        if (mounted_) umount2(point_.c_str(), MNT_DETACH);  // should it still be there
    }
    bool Mounted() const { return mounted_; }
    const std::filesystem::path& Point() const { return point_; }
    // Whether a space query has reached the file system.
    bool Asked() const { return std::filesystem::exists(report_); }

private:
    std::filesystem::path point_, report_;
    pid_t pid_ = 0;
    bool mounted_ = false;
};

TEST(Header, TicksGoOnWhileTheHomeFileSystemStalls) {
    if (!*STALLFS) GTEST_SKIP() << "built without libfuse3";
    if (access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "/dev/fuse cannot be opened";
    TestRig rig;
    rig.WriteFile("Sample.ini", "[Window]\nSysInfo=1\n");
    const StallingMount mount(rig.dir, 3000ms);
    if (!mount.Mounted()) GTEST_SKIP() << "the FUSE file system could not be mounted (no permission?)";
    // Drive D: is the file system of the home folder.
    std::shared_ptr<LinuxSystemStatus> real;
    {
        const test::ScopedEnv home("HOME", mount.Point().c_str());
        real = std::make_shared<LinuxSystemStatus>();
    }
    const auto stamps = std::make_shared<TickStamps>(real);
    const auto stall = Clock::now();  // the first reading asks at once
    BackgroundSystemStatus status(stamps);
    TForm1 bar(rig.MakePlatform(status));
    const auto start = Clock::now();
    ASSERT_TRUE(RunUntil([&] { return mount.Asked(); }, 1000ms)) << "the disk was never asked";
    RunFor(std::chrono::duration_cast<std::chrono::milliseconds>(stall + 2800ms - Clock::now()));
    const auto [longest, ticks] = stamps->LongestGap(start, Clock::now());
    RecordProperty("longest_gap_us",
                   int(std::chrono::duration_cast<std::chrono::microseconds>(longest).count()));
    EXPECT_LT(longest, 50ms);
    EXPECT_GT(ticks, 50);
    if (Clock::now() < stall + 3000ms) EXPECT_EQ(Text(bar, 2), "");  // still stalled
    EXPECT_FALSE(Text(bar, 1).empty());
    // When the stall is over, D: shows what the file system answered.
    const std::string d = DriveText('D', 734003200, 524288, real->ReadSeparators());
    EXPECT_TRUE(RunUntil([&] { return Text(bar, 2) == d; }, 3000ms)) << Text(bar, 2);
}

}  // namespace
}  // namespace tw
