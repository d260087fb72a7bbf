// The worker's thread and its pauses. The pauses wait on a condition so that the
// program can end a worker at once when the window goes away; nothing else cuts
// them short.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tabvex::tasks {

struct WorkerTimings {
    std::chrono::milliseconds startDelay{50};      // before the worker's first pass
    std::chrono::milliseconds passInterval{3000};  // between passes
    std::chrono::milliseconds bodyStartDelay{50};  // before every task body
    std::chrono::milliseconds startPause{100};     // the window's pause after starting one
};

class WorkerThread {
public:
    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread() { Shutdown(); }

    // Starts `procedure` on a new thread, first joining a worker that has ended.
    template <typename Procedure>
    void Start(Procedure&& procedure) {
        if (thread_.joinable()) thread_.join();
        thread_ = std::thread(std::forward<Procedure>(procedure));
    }

    // Sleeps for `duration`, or less when the program is ending. Returns false then.
    bool Pause(std::chrono::milliseconds duration) {
        std::unique_lock lock(mutex_);
        return !wake_.wait_for(lock, duration, [this] { return shuttingDown_; });
    }

    bool shuttingDown() const {
        std::lock_guard lock(mutex_);
        return shuttingDown_;
    }

    // Ends the worker for good: every pause returns at once, then the thread is joined.
    void Shutdown() {
        {
            std::lock_guard lock(mutex_);
            shuttingDown_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
    }

    bool joinable() const { return thread_.joinable(); }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool shuttingDown_ = false;
    std::thread thread_;
};

}  // namespace tabvex::tasks
