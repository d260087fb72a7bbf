// The lines of the session's Log, kept whole up to a cap on their number and on their
// text. Past the cap the oldest ordinary lines make room first, a tenth of the cap at a
// time; errors and warnings go only when no ordinary line is left.
#pragma once

#include <cstddef>
#include <deque>

#include "app/output_line.h"

namespace tabvex::app {

// Error (red) and warning (orange) lines: what Errors Only shows and trimming spares.
bool IsErrorOrWarning(const OutputLine& line);

class LogLines {
public:
    static constexpr std::size_t kMaxLines = 200'000;
    static constexpr std::size_t kMaxTextBytes = std::size_t{64} << 20;

    explicit LogLines(std::size_t maxLines = kMaxLines, std::size_t maxTextBytes = kMaxTextBytes)
        : maxLines_(maxLines), maxTextBytes_(maxTextBytes) {}

    // True when appending `line` would trim older lines (their positions then change).
    bool TrimsOnAppend(const OutputLine& line) const;
    void Append(OutputLine line);

    const std::deque<OutputLine>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }
    std::size_t textBytes() const { return textBytes_; }

private:
    // Drops lines, ordinary ones first and oldest first, until nine tenths of the cap are used.
    void Trim();
    std::size_t DropOldest(std::size_t lines, std::size_t bytes, bool errorsAndWarnings);

    std::size_t maxLines_;
    std::size_t maxTextBytes_;
    std::deque<OutputLine> lines_;
    std::size_t textBytes_ = 0;
};

}  // namespace tabvex::app
