#include "app/log_lines.h"

#include <algorithm>
#include <utility>

namespace tabvex::app {

bool IsErrorOrWarning(const OutputLine& line) {
    return line.colours == kErrorColours || line.colours == kProviderTextColours;
}

bool LogLines::TrimsOnAppend(const OutputLine& line) const {
    return lines_.size() + 1 > maxLines_ || textBytes_ + line.text.size() > maxTextBytes_;
}

void LogLines::Append(OutputLine line) {
    if (TrimsOnAppend(line)) Trim();
    textBytes_ += line.text.size();
    lines_.push_back(std::move(line));
}

void LogLines::Trim() {
    // Room for the line to come and a tenth of the cap more, so trims are rare.
    const std::size_t keepLines = maxLines_ - maxLines_ / 10 - 1;
    const std::size_t keepBytes = maxTextBytes_ - maxTextBytes_ / 10;
    std::size_t excessLines = lines_.size() > keepLines ? lines_.size() - keepLines : 0;
    std::size_t excessBytes = textBytes_ > keepBytes ? textBytes_ - keepBytes : 0;
    for (bool errorsAndWarnings : {false, true}) {
        if (excessLines == 0 && excessBytes == 0) return;
        const std::size_t before = lines_.size();
        const std::size_t freed = DropOldest(excessLines, excessBytes, errorsAndWarnings);
        excessLines -= std::min(excessLines, before - lines_.size());
        excessBytes -= std::min(excessBytes, freed);
    }
}

// Drops the oldest lines of one kind until `lines` lines and `bytes` bytes of text are
// gone (or none of that kind is left); returns the bytes freed.
std::size_t LogLines::DropOldest(std::size_t lines, std::size_t bytes, bool errorsAndWarnings) {
    std::size_t droppedLines = 0;
    std::size_t droppedBytes = 0;
    auto kept = lines_.begin();
    for (auto line = lines_.begin(); line != lines_.end(); ++line) {
        const bool wanted = droppedLines < lines || droppedBytes < bytes;
        if (wanted && IsErrorOrWarning(*line) == errorsAndWarnings) {
            ++droppedLines;
            droppedBytes += line->text.size();
            continue;
        }
        if (kept != line) *kept = std::move(*line);
        ++kept;
    }
    lines_.erase(kept, lines_.end());
    textBytes_ -= droppedBytes;
    return droppedBytes;
}

}  // namespace tabvex::app
