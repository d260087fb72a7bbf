// How a worksheet stores its cells: per row, a vector of small cells sorted by column.
// Text lives in the shared string table, formulas in their own list.
#pragma once

#include <optional>
#include <vector>

#include "platform/xls/worksheet.h"

namespace tabvex::xls {

struct Worksheet::StoredCell {
    enum class Kind : uint8_t { Blank, Text, Number, Boolean, Error, Formula };

    uint16_t column = 0;
    uint16_t xf = 15;
    Kind kind = Kind::Blank;
    union {
        double number;   // Number; Boolean 0/1 and Error code too
        uint32_t index;  // Text: shared string; Formula: entry of formulas_
    };

    StoredCell() : number(0) {}
};

// A formula cell kept as read: its FORMULA body (row, column and format are rewritten)
// and the records that belong to it (shared formula, array, table, cached string).
struct Worksheet::FormulaCell {
    Bytes body;
    std::vector<BiffRecord> trailing;
    CellValue cached;
};

struct Worksheet::Row {
    std::vector<StoredCell> cells;
    std::optional<RowRecord> record;
};

}  // namespace tabvex::xls
