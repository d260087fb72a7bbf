// How many of a table's rows a worksheet takes: every row but the header row. With
// long tables continued on new sheets, the rows past one sheet fill the next.
#pragma once

#include <cstdint>

#include "platform/xls/limits.h"

namespace tabvex::adapters {

inline constexpr std::int64_t kWorksheetDataRows = xls::kMaxRows - 1;

// The sheets `rows` fill when every sheet continues on the next; an empty table
// still has its sheet.
inline std::int64_t SheetsForRows(std::int64_t rows) {
    return rows <= kWorksheetDataRows ? 1 : (rows + kWorksheetDataRows - 1) / kWorksheetDataRows;
}

}  // namespace tabvex::adapters
