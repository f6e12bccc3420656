#include "core/sysstatus_background.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace tw {

// The worker: reads the memory, then each drive in turn, publishing each
// figure as soon as it has it.
class BackgroundSystemStatus::Worker {
public:
    Worker(std::shared_ptr<ISystemStatus> inner, std::string_view drives,
           std::chrono::milliseconds interval)
        : state_(std::make_shared<State>()), interval_(interval) {
        state_->inner = std::move(inner);
        for (const char d : drives) state_->drives.push_back({d, std::nullopt});
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
        // holds the state and the service it reads, so it may finish after
        // this object.
        if (busy) thread_.detach();
        else thread_.join();
    }

    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // The last figures that arrived; asks for fresh ones.
    template <class F>
    auto Latest(F pick) {
        std::unique_lock lock(state_->mutex);
        auto latest = pick(*state_);
        // A round under way answers the ask: the figures of one tick, asked
        // one after the other, make one round.
        const auto now = std::chrono::steady_clock::now();
        const bool wake = !state_->asked && !state_->busy && now - lastRound_ >= interval_;
        if (wake) {
            state_->asked = true;
            lastRound_ = now;
        }
        lock.unlock();
        // Woken with the lock free, the worker does not wait for it.
        if (wake) state_->wake.notify_one();
        return latest;
    }

    bool AwaitFirst(std::chrono::steady_clock::time_point deadline) {
        std::unique_lock lock(state_->mutex);
        return state_->arrived.wait_until(lock, deadline, [&] {
            if (!state_->memory) return false;
            for (const auto& d : state_->drives)
                if (!d.second) return false;
            return true;
        });
    }

    struct State {
        std::mutex mutex;
        std::condition_variable wake;     // the worker waits here to be asked
        std::condition_variable arrived;  // callers wait here for the first figures
        std::shared_ptr<ISystemStatus> inner;
        std::vector<std::pair<char, std::optional<DriveSpace>>> drives;
        std::optional<MemoryStatus> memory;
        bool asked = false;
        bool busy = false;
        bool stop = false;
    };

private:
    // Reads one figure with the lock released; false when told to stop.
    template <class T, class Read>
    static bool Refresh(State& s, std::unique_lock<std::mutex>& lock, std::optional<T>& slot,
                        Read read) {
        if (s.stop) return false;
        const bool first = !slot;
        lock.unlock();
        std::optional<T> figures;
        try {
            figures = read(*s.inner);
        } catch (...) {
            // No figures this time; the last ones stay.
        }
        lock.lock();
        if (figures) {
            slot = std::move(figures);
            if (first) s.arrived.notify_all();
        }
        return true;
    }

    static void Run(std::shared_ptr<State> s) {
        std::unique_lock lock(s->mutex);
        for (;;) {
            s->wake.wait(lock, [&] { return s->asked || s->stop; });
            if (s->stop) return;
            s->asked = false;
            s->busy = true;
            bool going = Refresh(*s, lock, s->memory, [](ISystemStatus& i) { return i.LatestMemory(); });
            for (std::size_t n = 0; going && n < s->drives.size(); ++n) {
                const char drive = s->drives[n].first;
                going = Refresh(*s, lock, s->drives[n].second,
                                [drive](ISystemStatus& i) { return i.LatestDrive(drive); });
            }
            s->busy = false;
        }
    }

    std::shared_ptr<State> state_;
    std::thread thread_;
    const std::chrono::steady_clock::duration interval_;
    std::chrono::steady_clock::time_point lastRound_{};  // when the last ask woke a round
};

BackgroundSystemStatus::BackgroundSystemStatus(std::shared_ptr<ISystemStatus> inner,
                                               std::string_view drives,
                                               std::chrono::milliseconds interval)
    : inner_(inner), worker_(std::make_unique<Worker>(std::move(inner), drives, interval)) {}

BackgroundSystemStatus::~BackgroundSystemStatus() = default;

bool BackgroundSystemStatus::AwaitFirstFigures(std::chrono::milliseconds timeout) {
    return worker_->AwaitFirst(std::chrono::steady_clock::now() + timeout);
}

int64_t BackgroundSystemStatus::DiskTotalBytes(char drive) { return inner_->DiskTotalBytes(drive); }
int64_t BackgroundSystemStatus::DiskFreeBytes(char drive) { return inner_->DiskFreeBytes(drive); }
bool BackgroundSystemStatus::DriveExists(char drive) { return inner_->DriveExists(drive); }
MemoryStatus BackgroundSystemStatus::Memory() { return inner_->Memory(); }
LocalTime BackgroundSystemStatus::Now() { return inner_->Now(); }
Separators BackgroundSystemStatus::ReadSeparators() { return inner_->ReadSeparators(); }

std::optional<DriveSpace> BackgroundSystemStatus::LatestDrive(char drive) {
    return worker_->Latest([drive](const Worker::State& s) -> std::optional<DriveSpace> {
        for (const auto& [d, figures] : s.drives)
            if (d == drive) return figures;
        return std::nullopt;
    });
}

std::optional<MemoryStatus> BackgroundSystemStatus::LatestMemory() {
    return worker_->Latest([](const Worker::State& s) { return s.memory; });
}

}  // namespace tw
