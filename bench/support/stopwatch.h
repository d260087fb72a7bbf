// Wall-clock and processor time since a starting point: the benchmarks print both,
// since the CPU time is what counts on a busy machine.
#pragma once

#include <chrono>
#include <ctime>

namespace tabvex::bench {

struct Stopwatch {
    using Clock = std::chrono::steady_clock;
    Clock::time_point wall = Clock::now();
    std::clock_t cpu = std::clock();
    double WallSeconds() const { return std::chrono::duration<double>(Clock::now() - wall).count(); }
    double CpuSeconds() const { return static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC; }
};

}  // namespace tabvex::bench
