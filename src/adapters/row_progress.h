// The rows a migration copies, for the task list's live figures and tabvex-cli's
// progress line: the transfer stores the running count once per row and names the
// table it copies; the body sets the rows expected before the first table when the
// source counts them without reading them.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>

namespace tabvex::adapters {

struct RowProgress {
    std::atomic<std::int64_t> copied{0};
    std::atomic<std::int64_t> expected{-1};    // -1: not known
    std::atomic<std::int64_t> startedAtMs{0};  // SteadyMilliseconds() when the task started

    // The table whose rows are being copied; empty before the first.
    void SetTable(std::string table) {
        std::lock_guard lock(tableMutex_);
        table_ = std::move(table);
    }
    std::string table() const {
        std::lock_guard lock(tableMutex_);
        return table_;
    }

private:
    mutable std::mutex tableMutex_;
    std::string table_;
};

// The steady clock in milliseconds, the time base of the rows' rate.
inline std::int64_t SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace tabvex::adapters
