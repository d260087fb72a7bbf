// COLINFO: width, format and options of a run of columns.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/xls/byte_io.h"

namespace tabvex::xls {

struct ColumnInfoRecord {
    uint16_t firstColumn = 0, lastColumn = 0;
    uint16_t width = 0;  // 1/256 of the width of the default font's digit
    uint16_t xf = 15;
    uint16_t options = 0;
    uint16_t reserved = 0;

    static ColumnInfoRecord Parse(ByteReader& body);
    void Write(ByteWriter& out) const;
};

// Gives `column` its own width within a sorted, non-overlapping list of runs,
// splitting the run that held it.
void SetColumnRunWidth(std::vector<ColumnInfoRecord>& runs, uint16_t column, uint16_t width);

}  // namespace tabvex::xls
