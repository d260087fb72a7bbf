// Work on a whole workbook through the "Excel.Application" automation server: the
// header rows after a migration, dropping and renaming a table (worksheet and
// defined name). The target is taken off its connection first so that automation
// sees every row, and reconnected afterwards.
#pragma once

#include <optional>
#include <string>

#include "app/output.h"
#include "browser/sides.h"
#include "platform/xls/kept_workbook.h"

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

// Empties the workbook the database name `workbook` stands for in one pass: its
// defined names and sheets go but a last blank one; when the last holds anything, a
// blank sheet, marked as the one the next table replaces, stands in for it, since a
// workbook keeps at least one. The number of sheets
// deleted, or nullopt when the work failed (the file is then unchanged).
std::optional<int> ClearExcelWorkbook(app::Output& output, browser::Sides& sides, const std::string& workbook);

// Renames a table of the target tree's current workbook; false keeps the old label.
bool RenameExcelTable(app::Output& output, browser::Sides& sides, const std::string& oldName,
                      const std::string& newName);

// A table's sheet replaced by a new one of the same name in the target's current
// workbook. The old sheet is deleted while the workbook's saves are held, so that the
// file changes only when Keep writes the new table whole; Abandon, or an end without
// Keep, leaves the file with the old sheet. The target is reconnected after each step.
class SheetReplacement {
public:
    SheetReplacement(app::Output& output, browser::Sides& sides, const std::string& sheet);
    ~SheetReplacement();
    SheetReplacement(const SheetReplacement&) = delete;
    SheetReplacement& operator=(const SheetReplacement&) = delete;

    // False, after the reason in the Log, when the old sheet could not be deleted.
    bool oldSheetDeleted() const { return oldSheetDeleted_; }
    // Writes the workbook with the new sheet; false, with an "E::" line, when the
    // write failed and the file keeps the old one.
    bool Keep();
    void Abandon();

private:
    app::Output& output_;
    browser::Sides& sides_;
    const std::string workbook_;  // the file, named before the target goes offline
    xls::SaveHold hold_;
    bool oldSheetDeleted_ = false;
    bool ended_ = false;
};

}  // namespace tabvex::adapters
