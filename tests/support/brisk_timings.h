// The worker's pauses as tests want them: no waiting before passes or bodies, and
// `pass` between passes and after a stop, so a test's queue runs in milliseconds.
#pragma once

#include <chrono>

#include "tasks/worker_thread.h"

namespace tabvex::test {

inline tasks::WorkerTimings BriskTimings(std::chrono::milliseconds pass) {
    using namespace std::chrono_literals;
    return {1ms, pass, 0ms, 0ms};
}

}  // namespace tabvex::test
