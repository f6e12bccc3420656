// System status that never keeps its caller waiting on a disk.
#pragma once

#include <chrono>
#include <memory>
#include <string_view>

#include "core/sysstatus.h"

namespace tw {

// Wraps another service. The drives named at construction and the memory
// are read by a worker thread, so a file system that does not answer (a
// FUSE mount that hangs, a hard NFS mount that is gone) holds up the
// figures and never the caller. Asking for the latest figures wakes the
// worker for a fresh round and returns at once with the last figures that
// have arrived; while one is outstanding, the others keep theirs as well.
// A round reads the memory, then each drive in order, and publishes each
// figure as soon as it has it. The worker reads one round per wake-up and
// sleeps while nobody asks: asked on every tick, it refreshes at the tick's
// pace; an ask that comes while a round is under way is answered by that
// round. It reads a first round at construction. With an `interval`, a
// round starts at most that often however often it is asked: each wake-up
// of a thread costs more than the figures are worth at a tick's pace, and
// figures a tenth of a second old read the same.
//
// The clock, the separators and the direct queries (DiskTotalBytes and the
// like) go to the wrapped service on the caller's thread, so the wrapped
// service is used from two threads at once.
// How often the bar's header has its drive and memory figures read; the
// clock goes with every tick.
inline constexpr std::chrono::milliseconds kHeaderFiguresInterval{100};

class BackgroundSystemStatus : public ISystemStatus {
public:
    explicit BackgroundSystemStatus(std::shared_ptr<ISystemStatus> inner,
                                    std::string_view drives = "CD",
                                    std::chrono::milliseconds interval = {});
    // Stops the worker. One still waiting on its file system is left to end
    // on its own when the answer comes: it keeps what it uses alive.
    ~BackgroundSystemStatus() override;
    BackgroundSystemStatus(const BackgroundSystemStatus&) = delete;
    BackgroundSystemStatus& operator=(const BackgroundSystemStatus&) = delete;

    // Waits until every drive and the memory have had their first figures,
    // for at most `timeout`; whether they all have.
    bool AwaitFirstFigures(std::chrono::milliseconds timeout);

    int64_t DiskTotalBytes(char drive) override;
    int64_t DiskFreeBytes(char drive) override;
    bool DriveExists(char drive) override;
    MemoryStatus Memory() override;
    LocalTime Now() override;
    Separators ReadSeparators() override;

    // Never waits. Nullopt until the first figures have arrived, and for a
    // drive that was not named at construction.
    std::optional<DriveSpace> LatestDrive(char drive) override;
    std::optional<MemoryStatus> LatestMemory() override;

private:
    class Worker;

    std::shared_ptr<ISystemStatus> inner_;
    std::unique_ptr<Worker> worker_;
};

}  // namespace tw
