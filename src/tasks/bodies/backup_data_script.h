// A table's data script: one INSERT statement per row of the target table, written
// to the file given, with progress lines and the stop request looked
// at after every row.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "app/output.h"
#include "adapters/row_progress.h"
#include "app/task_gate.h"
#include "connect/connection_holder.h"

namespace tabvex::tasks {

struct DataScriptResult {
    bool whole = false;  // every row is in the script
    std::int64_t rows = 0;
};

// Not whole, after an error line, when the rows could not be read, the file could
// not be written, or a stop ended the script before the last row. The task's row
// figures, when given, count the rows written and name the table.
DataScriptResult WriteDataScript(app::Output& output, const app::TaskGate& gate, connect::ConnectionHolder& target,
                                 const std::filesystem::path& file, const std::string& table,
                                 adapters::RowProgress* progress = nullptr);

}  // namespace tabvex::tasks
