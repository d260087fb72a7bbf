// Checking before migrating: every table of the source's current database (or one of
// them) read once, without writing anything, and judged as its migration would
// treat it: the sheet it becomes, rows past a worksheet's end, values longer than a
// cell holds, and a sheet of that name the target already holds.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/output.h"
#include "check/table_check.h"
#include "connect/connection_holder.h"

namespace tabvex::check {

struct CheckRequest {
    std::string database;              // the source tree's database node, for the conditions
    std::optional<std::string> table;  // one table; all of them when empty
    bool continueLongTables = false;   // rows past a sheet's end continue on new sheets
    bool binaryFiles = false;          // long binary values are saved as files
    bool replaceSheets = false;        // a table replaces the target's sheet of its name
};

struct CheckReport {
    std::vector<TableCheck> tables;
    std::string error;  // why the source's tables could not be listed; empty when they were

    bool whole() const;
};

// `target` is the workbook the tables would go into, or null for a new one. Its
// tables are listed once; a target that cannot be listed is taken as empty.
CheckReport CheckSource(app::Output& output, const std::filesystem::path& conditionFile,
                        connect::ConnectionHolder& source,
                        connect::ConnectionHolder* target, const CheckRequest& request);

}  // namespace tabvex::check
