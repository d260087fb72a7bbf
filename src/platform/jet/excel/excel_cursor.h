// Reads the data rows of a worksheet table (the rows under its header row) front to
// back, each cell converted by its column's kind.
#pragma once

#include <vector>

#include "platform/jet/excel/excel_column_kind.h"
#include "platform/jet/excel/excel_date_serial.h"
#include "platform/jet/isam.h"
#include "platform/xls/cell_range.h"
#include "platform/xls/worksheet.h"

namespace tabvex::jet::excel {

class ExcelCursor : public IsamCursor {
public:
    // `table` includes the header row; `kinds` has one entry per column of it. The
    // sheet must outlive the cursor.
    ExcelCursor(const xls::Worksheet& sheet, const xls::CellRange& table, std::vector<ExcelColumnKind> kinds,
                DateSystem dates);

    bool Next(std::vector<oledb::Value>& row) override;

private:
    const xls::Worksheet& sheet_;
    xls::CellRange table_;
    std::vector<ExcelColumnKind> kinds_;
    DateSystem dates_;
    std::uint32_t nextRow_;
};

}  // namespace tabvex::jet::excel
