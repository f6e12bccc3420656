#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <tuple>

#include "core/sysstatus_background.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A status whose drive D: does not answer until it is released; the other
// figures answer at once and can be changed while the workers read them.
struct GatedStatus : ISystemStatus {
    std::mutex mutex;
    std::condition_variable released;
    bool open = false;
    std::atomic<int64_t> totalC{80023715840}, totalD{734003200};
    std::atomic<uint64_t> memoryTotal{2147483648u};
    std::atomic<int> queriesC{0}, queriesD{0}, queriesMemory{0};

    void Release() {
        {
            const std::lock_guard lock(mutex);
            open = true;
        }
        released.notify_all();
    }
    int64_t DiskTotalBytes(char d) override {
        if (d == 'C') {
            ++queriesC;
            return totalC;
        }
        ++queriesD;
        std::unique_lock lock(mutex);
        released.wait(lock, [&] { return open; });
        return totalD;
    }
    int64_t DiskFreeBytes(char d) override { return d == 'C' ? 512 : 524288; }
    bool DriveExists(char d) override { return d == 'C' || d == 'D'; }
    MemoryStatus Memory() override {
        ++queriesMemory;
        return {memoryTotal, 1073741824u};
    }
    LocalTime Now() override { return {2026, 12, 6, 9, 5, 3}; }
    Separators ReadSeparators() override { return {}; }
};

struct Tick {
    std::optional<DriveSpace> c, d;
    std::optional<MemoryStatus> memory;
};

Tick Ask(ISystemStatus& s) { return {s.LatestDrive('C'), s.LatestDrive('D'), s.LatestMemory()}; }

TEST(BackgroundSystemStatus, AStalledDriveNeverHoldsUpTheCaller) {
    const auto fake = std::make_shared<GatedStatus>();
    BackgroundSystemStatus status(fake);
    // The first figures of C: and the memory arrive; D: is still asked for.
    EXPECT_FALSE(status.AwaitFirstFigures(300ms));
    Tick first = Ask(status);
    ASSERT_TRUE(first.c && first.memory);
    EXPECT_EQ(std::tuple(first.c->exists, first.c->total, first.c->free),
              std::tuple(true, int64_t{80023715840}, int64_t{512}));
    EXPECT_EQ(first.memory->totalPhys, 2147483648u);
    EXPECT_FALSE(first.d);
    EXPECT_FALSE(status.LatestDrive('E'));  // not one of the drives it reads

    // Ticks every 10 ms for a second while D: stalls: none of them waits,
    // and no other reading starts beside the outstanding one, so every
    // figure keeps what it had.
    fake->totalC = 40007761920;
    fake->memoryTotal = 536334336u;
    Clock::duration longest{};
    int ticks = 0;
    for (const auto end = Clock::now() + 1s; Clock::now() < end; ++ticks) {
        const auto t0 = Clock::now();
        const Tick t = Ask(status);
        longest = std::max(longest, Clock::now() - t0);
        EXPECT_FALSE(t.d);
        EXPECT_EQ(t.c ? t.c->total : 0, 80023715840);
        EXPECT_EQ(t.memory ? t.memory->totalPhys : 0, 2147483648u);
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_LT(longest, 50ms);
    EXPECT_GT(ticks, 20);
    EXPECT_EQ(std::tuple(fake->queriesC.load(), fake->queriesD.load(), fake->queriesMemory.load()),
              std::tuple(1, 1, 1));

    // The answer comes: D: shows it, and the next round the new figures of
    // the others.
    fake->Release();
    Tick t;
    for (const auto end = Clock::now() + 5s; Clock::now() < end; std::this_thread::sleep_for(10ms)) {
        t = Ask(status);
        if (t.d && t.c->total == 40007761920 && t.memory->totalPhys == 536334336u) break;
    }
    ASSERT_TRUE(t.d);
    EXPECT_EQ(std::tuple(t.d->exists, t.d->total, t.d->free),
              std::tuple(true, int64_t{734003200}, int64_t{524288}));
    EXPECT_EQ(t.c->total, 40007761920);
    EXPECT_EQ(t.memory->totalPhys, 536334336u);
    // At most one round per ask (and none beside one under way), and asks
    // 10 ms apart each find the worker asleep again.
    std::this_thread::sleep_for(50ms);
    const int before = fake->queriesC;
    for (int n = 0; n < 20; ++n) {
        status.LatestDrive('C');
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_LE(fake->queriesC - before, 20);
    EXPECT_GE(fake->queriesC - before, 10);

    // Nobody asks: the worker sleeps.
    std::this_thread::sleep_for(100ms);
    const int c = fake->queriesC, dq = fake->queriesD, m = fake->queriesMemory;
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(std::tuple(fake->queriesC.load(), fake->queriesD.load(), fake->queriesMemory.load()),
              std::tuple(c, dq, m));
}

TEST(BackgroundSystemStatus, AnIntervalSpacesTheRoundsHoweverOftenItIsAsked) {
    const auto fake = std::make_shared<GatedStatus>();
    fake->Release();
    BackgroundSystemStatus status(fake, "CD", 100ms);
    ASSERT_TRUE(status.AwaitFirstFigures(2s));
    const int before = fake->queriesC;
    // Asks at a tick's pace for half a second: a round a tenth of a second
    // at most, and the figures of the last one meanwhile.
    const auto start = Clock::now();
    while (Clock::now() - start < 500ms) {
        EXPECT_TRUE(Ask(status).c);
        std::this_thread::sleep_for(10ms);
    }
    const int rounds = fake->queriesC - before;
    EXPECT_GE(rounds, 2);
    EXPECT_LE(rounds, 6);
}

TEST(BackgroundSystemStatus, EndsWithoutWaitingForADriveThatNeverAnswers) {
    const auto fake = std::make_shared<GatedStatus>();
    const auto t0 = Clock::now();
    {
        BackgroundSystemStatus status(fake);
        status.AwaitFirstFigures(100ms);
        ASSERT_EQ(fake->queriesD, 1);
    }
    EXPECT_LT(Clock::now() - t0, 2s);
    // The stalled reading still holds the service it reads from, and lets
    // it go once it ends.
    EXPECT_GT(fake.use_count(), 1);
    fake->Release();
    for (const auto end = Clock::now() + 5s; fake.use_count() > 1 && Clock::now() < end;)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(fake.use_count(), 1);
}

}  // namespace
}  // namespace tw
