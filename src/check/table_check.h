// What a check learns of one source table before it is migrated: the rows its
// migration would copy, the worksheet it would become, and everything that would
// keep it from arriving whole.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/oledb/session.h"

namespace tabvex::check {

// Values of one column that a cell cannot hold whole.
struct LongValues {
    std::string column;
    std::int64_t count = 0;
    bool binary = false;  // binary values, which files could hold
};

struct TableCheck {
    std::string table;
    std::string sheet;         // the worksheet it becomes
    std::string condition;     // the rows it is limited to (Condition.cfg); empty for all
    std::int64_t rows = 0;     // the rows the migration would copy
    std::int64_t sheets = 1;   // the worksheets they fill (more only when long tables continue)
    std::int64_t rowsPastSheet = 0;     // rows past the worksheet's last row, lost
    std::vector<LongValues> longValues;  // cut, by column, in column order
    std::int64_t valuesSavedAsFiles = 0;  // long binary values the migration saves as files
    bool sheetTaken = false;   // the target already holds a sheet of that name, which stays
    bool sheetReplaced = false;  // the target's sheet of that name gives way to the table
    std::string readError;     // why the rows could not be read; empty when they were

    bool whole() const { return rowsPastSheet == 0 && longValues.empty() && !sheetTaken && readError.empty(); }
};

// Reads the rows `query` gives once, counting them and the values longer than a
// cell holds, measured on the text the migration would write; with `binaryFiles`
// long binary values count as saved as files. A failure leaves its reason in
// `check.readError`.
void ReadTableRows(oledb::Session& source, const std::string& query, bool binaryFiles, TableCheck& check);

}  // namespace tabvex::check
