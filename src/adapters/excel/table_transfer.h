// Copying one source table's rows into its target worksheet: one INSERT per row, the
// table's condition applied, a trace file of the statements, progress lines, and the
// stop request looked at after every row. The transfer ends with one line: the
// success line only when every row arrived whole, else an error line with the rows
// copied, the rows expected where known, and why the rest did not arrive.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "adapters/excel/continuation_sheets.h"
#include "adapters/excel/transfer_hooks.h"
#include "adapters/row_progress.h"
#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"

namespace tabvex::adapters {

struct TransferResult {
    // "true" when the rows were read to the end or the transfer was stopped; else what
    // went wrong ("No Source Connection!", "No Target Connection!", an error text).
    std::string text;
    std::int64_t rowsCopied = 0;
    // Rows that did not arrive: INSERTs that failed and rows past the worksheet's
    // last row.
    std::int64_t rowsNotCopied = 0;
    std::int64_t valuesCut = 0;  // values longer than a cell holds, inserted cut
    std::int64_t binaryValuesCut = 0;  // of them, binary values, which files could have held
    std::int64_t rowsNotWhole = 0;     // rows copied with a value cut or not saved as a file
    std::int64_t filesNotWritten = 0;  // long binary values whose file could not be written
    bool stopped = false;        // the stop request ended the copy before the last row
    std::optional<std::int64_t> rowsExpected;  // the rows read, when every row was read
    std::string firstError;      // the first failing INSERT's text, or why rows stopped

    bool failed() const {
        return text != "true" || rowsNotCopied > 0 || valuesCut > 0 || filesNotWritten > 0 || stopped;
    }
};

// Copies the source side's `table` rows (those its condition lets through) into the
// target side's worksheet table `sheet` (the name the table's worksheet was created
// under), tracing the statements to `traceFile` (nowhere when empty), until the gate's
// stop request. Each row that arrives raises the running task's count of rows copied,
// when one is given, which also names the table.
// With `continuation`, rows past a full worksheet go on to its continuation sheets;
// `hooks` add what the task's other options ask for.
TransferResult TransferTableRows(app::Output& output, const app::TaskGate& gate, browser::Sides& sides,
                                 const std::string& database, const std::string& table, const std::string& sheet,
                                 const std::filesystem::path& traceFile, RowProgress* rows = nullptr,
                                 ContinuationSheets* continuation = nullptr, const TransferHooks& hooks = {});

}  // namespace tabvex::adapters
