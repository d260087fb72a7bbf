#include "platform/jet/excel/excel_cursor.h"

#include "platform/jet/excel/excel_cell_value.h"

namespace tabvex::jet::excel {

ExcelCursor::ExcelCursor(const xls::Worksheet& sheet, const xls::CellRange& table, std::vector<ExcelColumnKind> kinds,
                         DateSystem dates)
    : sheet_(sheet), table_(table), kinds_(std::move(kinds)), dates_(dates), nextRow_(table.firstRow + 1) {}

bool ExcelCursor::Next(std::vector<oledb::Value>& row) {
    if (nextRow_ > table_.lastRow) return false;
    row.resize(kinds_.size());
    for (std::size_t i = 0; i < kinds_.size(); ++i)
        row[i] = ReadCell(sheet_.Cell(nextRow_, static_cast<std::uint16_t>(table_.firstColumn + i)), kinds_[i], dates_);
    ++nextRow_;
    return true;
}

}  // namespace tabvex::jet::excel
