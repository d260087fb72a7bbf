// Copying one source table's rows into the target worksheet of the same name: one
// INSERT per row, the table's condition applied, a trace file of the statements,
// progress lines, and the stop request looked at after every row.
#pragma once

#include <cstdint>
#include <string>

#include "app/migrator.h"
#include "connect/connection_holder.h"

namespace tabvex::adapters {

struct TransferResult {
    // "true" when the rows were read to the end or the transfer was stopped; else what
    // went wrong ("No Source Connection!", "No Target Connection!", an error text).
    std::string text;
    std::int64_t rowsCopied = 0;
    // Rows that did not arrive: INSERTs that failed and rows past the worksheet's
    // last row (a value cut at a cell's limit still arrives, and is reported).
    std::int64_t rowsNotCopied = 0;
    std::string firstError;  // the first failing INSERT's text, or why rows stopped

    bool failed() const { return text != "true" || rowsNotCopied > 0; }
};

TransferResult TransferTableRows(app::Migrator& migrator, connect::ConnectionHolder& source,
                                 connect::ConnectionHolder& target, const std::string& database,
                                 const std::string& table);

}  // namespace tabvex::adapters
