// The Log page's lines. Both the window's thread and the worker append to it, so it
// guards itself; it keeps at most 1001 lines, dropping the oldest first.
#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

#include "app/output_line.h"

namespace tabvex::app {

class OutputLog {
public:
    // More than this many lines and the oldest goes before a new one comes in.
    static constexpr std::size_t kTrimThreshold = 1000;
    static constexpr std::size_t kCapacity = kTrimThreshold + 1;

    void Append(OutputLine line);
    std::vector<OutputLine> Lines() const;
    std::size_t size() const;

private:
    mutable std::mutex mutex_;
    std::deque<OutputLine> lines_;
};

}  // namespace tabvex::app
