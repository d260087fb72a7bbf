// Converting between worksheet cells and typed row values by the column's kind: what a
// cursor reads from a cell, and what an INSERT writes into one.
#pragma once

#include <string>
#include <variant>

#include "platform/jet/excel/excel_column_kind.h"
#include "platform/oledb/value.h"
#include "platform/xls/cell_value.h"

namespace tabvex::jet::excel {

// A cell as read for a column: text columns take any cell's shown text; number,
// currency, date and boolean columns take cells of their kind and text that reads as
// one, and NULL for a cell that does not fit, as Jet reads mixed columns.
oledb::Value ReadCell(const xls::CellValue& cell, ExcelColumnKind kind);

// What to put into a cell: nothing (NULL), a text or a number.
using CellContent = std::variant<std::monostate, std::string, double>;

// The content a value becomes in a column of that kind. Throws IsamError naming the
// column: DB_E_DATAOVERFLOW for text longer than a cell holds, DB_E_CANTCONVERTVALUE
// for a value the column cannot take (text that is no number for a number column).
// The value is taken over, so that text moves into the cell's content.
CellContent CellContentFor(oledb::Value value, ExcelColumnKind kind, const std::string& column);

}  // namespace tabvex::jet::excel
