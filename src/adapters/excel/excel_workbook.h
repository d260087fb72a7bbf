// Whole workbook files: pointing a side at one, creating, deleting; and the views a
// workbook does not have.
#pragma once

#include <optional>
#include <string>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"
#include "connect/connection_settings.h"

namespace tabvex::adapters {

// The workbook file a database name (as the tree shows it, without ".xls") stands
// for: the file the side's settings name (source or catalog name) when it is that one,
// else the file of that
// name ending in ".xls" in any case, else the name with ".xls" (files::DatabaseFileOf).
std::string WorkbookFileOf(const connect::ConnectionSettings& side, const std::string& database);

// The workbook file the target side is connected to.
std::string ConnectedTargetWorkbook(const connect::ConnectionSettings& target);

// Why nothing can be saved into the workbook: its folder cannot be written (a
// save writes a temporary file beside the workbook, then renames it). nullopt when
// it can, or when `workbook` is empty or its folder missing (opening tells then).
std::optional<std::string> WorkbookFolderWriteProblem(const std::string& workbook);

// Points the side (0 source, 1 target) at another workbook and reconnects it; a bare
// name is looked for beside the target's current workbook. Returns true.
bool SelectExcelWorkbook(browser::Sides& sides, int side, const std::string& name);

// Creates a new empty workbook; without `nameGiven` the person chooses the file.
// False when cancelled or the file could not be written.
bool CreateExcelWorkbook(app::Output& output, browser::Sides& sides, const std::string& name, bool nameGiven);

// The file CreateExcelWorkbook writes for a given name, with the target side's
// settings (the window passes its published copy, the worker the live ones).
std::string NewWorkbookPath(const browser::Sides& sides, const connect::ConnectionSettings& target,
                            const std::string& name);

// Deletes the workbook file of the database name; false when it was not deleted,
// which includes a refusal while tasks run.
bool DropExcelWorkbook(app::Output& output, app::TaskGate& gate, browser::Sides& sides, const std::string& database);

// Workbooks have no views: nothing to drop (true, so the tree drops the item) and an
// empty definition.
bool DropExcelView(const std::string& view);
std::string ExcelViewDefinition(const std::string& database, const std::string& view);

}  // namespace tabvex::adapters
