#include "app/output_log.h"

namespace tabvex::app {

void OutputLog::Append(OutputLine line) {
    std::lock_guard lock(mutex_);
    if (lines_.size() > kTrimThreshold) lines_.pop_front();
    lines_.push_back(std::move(line));
}

std::vector<OutputLine> OutputLog::Lines() const {
    std::lock_guard lock(mutex_);
    return {lines_.begin(), lines_.end()};
}

std::size_t OutputLog::size() const {
    std::lock_guard lock(mutex_);
    return lines_.size();
}

}  // namespace tabvex::app
