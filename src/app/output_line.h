// One line of the output pane's Log: the time stamp and the message, and the colours
// its marker gave it ("E::" red, "S::" green, "T::" orange, all on white).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tabvex::app {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

struct LineColours {
    Rgb text;
    Rgb background;
    bool operator==(const LineColours&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr LineColours kErrorColours{{255, 0, 0}, kWhite};
inline constexpr LineColours kSuccessColours{{0, 255, 0}, kWhite};
inline constexpr LineColours kProviderTextColours{{255, 128, 0}, kWhite};

// What a line tells, for a console that shows only some lines: the running row
// counts written every 1000 rows, a task's closing summary, or anything else.
enum class LineKind : std::uint8_t { Event, RowCount, Summary };

struct OutputLine {
    std::string text;                    // time stamp, then the message
    std::optional<LineColours> colours;  // nullopt: the Log's own colours
    LineKind kind = LineKind::Event;
    bool operator==(const OutputLine&) const = default;
};

// A message split into its marker's colours and the text behind the marker; a
// message without one of the three markers keeps its text and gets no colours.
struct MarkedMessage {
    std::optional<LineColours> colours;
    std::string_view text;
};
MarkedMessage SplitMarker(std::string_view message);

}  // namespace tabvex::app
