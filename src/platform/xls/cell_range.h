// Rectangles of cells, zero-based and inclusive.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tabvex::xls {

struct CellRange {
    uint32_t firstRow = 0, lastRow = 0;
    uint16_t firstColumn = 0, lastColumn = 0;
    bool operator==(const CellRange&) const = default;
};

// A rectangle on one sheet (sheet index in workbook order), as a defined name covers.
struct SheetArea {
    size_t sheet = 0;
    CellRange range;
    bool operator==(const SheetArea&) const = default;
};

}  // namespace tabvex::xls
