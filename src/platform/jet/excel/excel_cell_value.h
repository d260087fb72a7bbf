// Converting between worksheet cells and typed row values by the column's kind: what a
// cursor reads from a cell, and what an INSERT writes into one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/jet/excel/excel_column_kind.h"
#include "platform/jet/excel/excel_date_serial.h"
#include "platform/oledb/value.h"
#include "platform/xls/cell_value.h"

namespace tabvex::jet::excel {

// A cell as read for a column: text columns take any cell's shown text; number,
// currency, date and boolean columns take cells of their kind and text that reads as
// one, and NULL for a cell that does not fit, as Jet reads mixed columns. A date
// column's numbers count days in the workbook's date system.
oledb::Value ReadCell(const xls::CellValue& cell, ExcelColumnKind kind, DateSystem dates);

// What to put into a cell: nothing (NULL), a text or a number.
using CellContent = std::variant<std::monostate, std::string, double>;

// The content a value becomes in a column of that kind. Throws IsamError naming the
// column: DB_E_DATAOVERFLOW for text longer than a cell holds, DB_E_CANTCONVERTVALUE
// for a value the column cannot take (text that is no number for a number column).
// The value is taken over, so that text moves into the cell's content.
CellContent CellContentFor(oledb::Value value, ExcelColumnKind kind, DateSystem dates, const std::string& column);

// The built-in number format a number written into a column of that kind shows in, so
// that the column reads back as that kind: dates as m/d/yy (with h:mm when there is a
// time of day), currency with its sign; nothing for plain numbers.
std::optional<std::uint16_t> NumberFormatFor(ExcelColumnKind kind, double number);

}  // namespace tabvex::jet::excel
