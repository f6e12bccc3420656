// System status that never keeps its caller waiting on a disk.
#pragma once

#include <chrono>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "core/sysstatus.h"

namespace tw {

// Wraps another service. Each drive named at construction and the memory
// are read by a worker thread of their own, so a file system that does not
// answer (a FUSE mount that hangs, a hard NFS mount that is gone) holds up
// its own drive's figures and nothing else. Asking for the latest figures
// wakes that worker for a fresh reading and returns at once with the last
// figures that have arrived. A worker reads once per wake-up and sleeps while
// nobody asks: asked on every tick, it refreshes at the tick's pace; asked
// again while it is still reading, it reads once more when done. Each worker
// reads once at construction.
//
// The clock, the separators and the direct queries (DiskTotalBytes and the
// like) go to the wrapped service on the caller's thread, so the wrapped
// service is used from several threads at once.
class BackgroundSystemStatus : public ISystemStatus {
public:
    explicit BackgroundSystemStatus(std::shared_ptr<ISystemStatus> inner,
                                    std::string_view drives = "CD");
    // Stops the workers. A worker still waiting on its file system is left
    // to end on its own when the answer comes: it keeps what it uses alive.
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
    template <class T>
    class Worker;

    std::shared_ptr<ISystemStatus> inner_;
    std::vector<std::pair<char, std::unique_ptr<Worker<DriveSpace>>>> drives_;
    std::unique_ptr<Worker<MemoryStatus>> memory_;
};

}  // namespace tw
