// Ends the test program when a step takes longer than it may: a deadlock would
// otherwise hang the whole suite. The message names the step.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace tabvex::test {

class Watchdog {
public:
    explicit Watchdog(std::string step, std::chrono::seconds limit = std::chrono::seconds(10))
        : step_(std::move(step)), thread_([this, limit] { Watch(limit); }) {}
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        finished_.notify_all();
        thread_.join();
    }

private:
    void Watch(std::chrono::seconds limit) {
        std::unique_lock lock(mutex_);
        if (finished_.wait_for(lock, limit, [this] { return done_; })) return;
        std::fprintf(stderr, "watchdog: \"%s\" waited longer than %lld s\n", step_.c_str(),
                     static_cast<long long>(limit.count()));
        std::abort();
    }

    std::string step_;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace tabvex::test
