// The rows a migration copies, for the task list's live figures: the transfer
// stores the running count once per row; the body sets the rows expected before
// the first table when the source counts them without reading them.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace tabvex::adapters {

struct RowProgress {
    std::atomic<std::int64_t> copied{0};
    std::atomic<std::int64_t> expected{-1};    // -1: not known
    std::atomic<std::int64_t> startedAtMs{0};  // SteadyMilliseconds() when the task started
};

// The steady clock in milliseconds, the time base of the rows' rate.
inline std::int64_t SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace tabvex::adapters
