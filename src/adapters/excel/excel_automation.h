// Work on a whole workbook through the "Excel.Application" automation server: the
// header rows after a migration, dropping and renaming a table (worksheet and
// defined name). The target is taken off its connection first so that automation
// sees every row, and reconnected afterwards.
#pragma once

#include <string>

#include "app/output.h"
#include "browser/sides.h"

namespace tabvex::adapters {

// Saves the rows the target holds, then formats row 1 of every sheet of the target's
// current workbook (bold, centred, borders, fill), sets the column widths and
// freezes the first row. `database` is named in the Log line only. False, with an
// "E::" line, when the rows could not be saved (a full disk, a read-only folder):
// the file then holds what was saved before, and nothing is formatted.
bool SetExcelTableHead(app::Output& output, browser::Sides& sides, const std::string& database);

// Deletes the table's worksheet and defined name from the workbook file the
// database name `workbook` stands for (WorkbookFileOf).
bool DropExcelTable(app::Output& output, browser::Sides& sides, const std::string& workbook,
                    const std::string& table);

// Renames a table of the target tree's current workbook; false keeps the old label.
bool RenameExcelTable(app::Output& output, browser::Sides& sides, const std::string& oldName,
                      const std::string& newName);

}  // namespace tabvex::adapters
