#include "core/sysstatus_background.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace tw {

// One figure, read on a thread of its own.
template <class T>
class BackgroundSystemStatus::Worker {
public:
    using Query = std::function<std::optional<T>()>;

    explicit Worker(Query query) : state_(std::make_shared<State>()) {
        state_->query = std::move(query);
        state_->asked = true;  // the first reading
        thread_ = std::thread(Run, state_);
    }

    ~Worker() {
        bool busy;
        {
            const std::lock_guard lock(state_->mutex);
            state_->stop = true;
            busy = state_->busy;
        }
        state_->wake.notify_one();
        // A worker that is reading may wait on its file system for ever; it
        // holds the state and the query, so it may finish after this object.
        if (busy) thread_.detach();
        else thread_.join();
    }

    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // The last figures that arrived; asks for fresh ones.
    std::optional<T> Latest() {
        std::optional<T> latest;
        bool wake = false;
        {
            const std::lock_guard lock(state_->mutex);
            latest = state_->latest;
            if (!state_->asked) {
                state_->asked = true;
                wake = !state_->busy;  // a busy worker looks again when done
            }
        }
        if (wake) state_->wake.notify_one();
        return latest;
    }

    bool AwaitFirst(std::chrono::steady_clock::time_point deadline) {
        std::unique_lock lock(state_->mutex);
        return state_->arrived.wait_until(lock, deadline,
                                          [&] { return state_->latest.has_value(); });
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable wake;     // the worker waits here to be asked
        std::condition_variable arrived;  // callers wait here for figures
        Query query;
        std::optional<T> latest;
        bool asked = false;
        bool busy = false;
        bool stop = false;
    };

    static void Run(std::shared_ptr<State> s) {
        std::unique_lock lock(s->mutex);
        for (;;) {
            s->wake.wait(lock, [&] { return s->asked || s->stop; });
            if (s->stop) return;
            s->asked = false;
            s->busy = true;
            lock.unlock();
            std::optional<T> figures;
            try {
                figures = s->query();
            } catch (...) {
                // No figures this time; the last ones stay.
            }
            lock.lock();
            s->busy = false;
            if (figures) {
                s->latest = std::move(figures);
                s->arrived.notify_all();
            }
        }
    }

    std::shared_ptr<State> state_;
    std::thread thread_;
};

BackgroundSystemStatus::BackgroundSystemStatus(std::shared_ptr<ISystemStatus> inner,
                                               std::string_view drives)
    : inner_(std::move(inner)) {
    for (const char drive : drives)
        drives_.emplace_back(drive, std::make_unique<Worker<DriveSpace>>(
                                        [inner = inner_, drive] { return inner->LatestDrive(drive); }));
    memory_ = std::make_unique<Worker<MemoryStatus>>([inner = inner_] { return inner->LatestMemory(); });
}

BackgroundSystemStatus::~BackgroundSystemStatus() = default;

bool BackgroundSystemStatus::AwaitFirstFigures(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool all = memory_->AwaitFirst(deadline);
    for (auto& [drive, worker] : drives_) all = worker->AwaitFirst(deadline) && all;
    return all;
}

int64_t BackgroundSystemStatus::DiskTotalBytes(char drive) { return inner_->DiskTotalBytes(drive); }
int64_t BackgroundSystemStatus::DiskFreeBytes(char drive) { return inner_->DiskFreeBytes(drive); }
bool BackgroundSystemStatus::DriveExists(char drive) { return inner_->DriveExists(drive); }
MemoryStatus BackgroundSystemStatus::Memory() { return inner_->Memory(); }
LocalTime BackgroundSystemStatus::Now() { return inner_->Now(); }
Separators BackgroundSystemStatus::ReadSeparators() { return inner_->ReadSeparators(); }

std::optional<DriveSpace> BackgroundSystemStatus::LatestDrive(char drive) {
    for (auto& [d, worker] : drives_)
        if (d == drive) return worker->Latest();
    return std::nullopt;
}

std::optional<MemoryStatus> BackgroundSystemStatus::LatestMemory() { return memory_->Latest(); }

}  // namespace tw
