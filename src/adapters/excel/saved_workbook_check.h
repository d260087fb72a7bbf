// Reading migrated tables back from the saved workbook file with the workbook engine
// and comparing them, row by row and cell by cell, with what the transfers sent.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adapters/excel/sent_cells.h"
#include "app/output.h"
#include "platform/xls/workbook.h"

namespace tabvex::adapters {

// The first difference between the table's worksheets in `book` (its own and any
// continuation sheets) and what was sent, in words ("row 3, column [Name] reads back
// ..."; rows are the table's, counted from 1), or nothing when every data row reads
// back equal and no sheet holds a further row or column.
std::optional<std::string> FirstDifference(const xls::Workbook& book, const SentCells& sent);

// Reads the saved workbook from disk and checks each table, with one Log line per
// table: "[T] verified: N rows read back equal", or an "E::" line naming the first
// difference. Returns the tables that did not read back equal.
std::vector<std::string> VerifySavedWorkbook(app::Output& output, const std::filesystem::path& workbook,
                                             const std::vector<const SentCells*>& tables);

// For tests: called with the workbook's path after the save and before the read-back,
// where a test damages the saved file. An empty function removes it.
void SetBeforeReadBackForTests(std::function<void(const std::filesystem::path&)> hook);

}  // namespace tabvex::adapters
