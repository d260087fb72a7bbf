// What the options "Verify after writing" and "Save long binary values as files" add
// to a migration task, fixed when the task's target workbook is connected: the hooks
// each table's transfer gets, and the read-back of the saved workbook.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>

#include "adapters/excel/binary_value_files.h"
#include "adapters/excel/sent_cells.h"
#include "adapters/excel/transfer_hooks.h"
#include "app/output.h"
#include "connect/connection_settings.h"
#include "connect/options.h"
#include "tasks/bodies/task_summary.h"

namespace tabvex::tasks {

class MigrationOptionSteps {
public:
    // `target` must already point at the task's workbook.
    MigrationOptionSteps(app::Output& output, const connect::ConnectionSettings& target,
                         const connect::Options& options);

    // The hooks for one table's transfer into worksheet `sheet`.
    adapters::TransferHooks HooksFor(const std::string& table, const std::string& sheet);
    // The table HooksFor was asked for last did not arrive: it is not read back.
    void TableFailed();
    // After the workbook was saved: reads back every table that arrived, one Log line
    // each, and counts a table that differs as failed. Nothing unless verifying.
    void VerifySaved(TaskSummary& summary);

private:
    app::Output& output_;
    std::filesystem::path workbook_;
    bool verify_;
    bool binaryFiles_;
    std::deque<adapters::SentCells> sent_;
    std::optional<adapters::BinaryValueFiles> files_;
};

}  // namespace tabvex::tasks
