// The formatting of a cell or a whole row that the program sets and reads: bold font,
// horizontal alignment, borders by edge and the fill colour.
#pragma once

#include <cstdint>
#include <optional>

namespace tabvex::xls {

enum class HorizontalAlignment : uint8_t {
    General = 0, Left = 1, Centre = 2, Right = 3, Fill = 4, Justify = 5, CentreAcrossSelection = 6, Distributed = 7
};

// Border line styles are BIFF's: 0 none, 1 thin (Excel's "continuous"), 2 medium, ...
struct Borders {
    uint8_t left = 0, right = 0, top = 0, bottom = 0;
    bool operator==(const Borders&) const = default;
};

struct CellFormat {
    bool bold = false;
    HorizontalAlignment horizontal = HorizontalAlignment::General;
    Borders borders;
    // Solid fill in this BIFF colour index (the palette index; Excel's object-model
    // ColorIndex n is palette index n + 7), or no fill.
    std::optional<uint8_t> fillColour;
    // Read only: the size of the format's font in points.
    double fontPoints = 10;

    bool operator==(const CellFormat&) const = default;
};

}  // namespace tabvex::xls
