// Runs one Jet SQL statement over an ISAM: SELECT * and SELECT COUNT(*) with an
// optional WHERE, CREATE TABLE and INSERT INTO … VALUES.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/jet/isam.h"
#include "platform/oledb/row_source.h"

namespace tabvex::jet {

struct StatementOutcome {
    std::unique_ptr<oledb::RowSource> rows;  // null for statements that return none
    std::int64_t rowsAffected = -1;          // -1 for queries
};

// Throws IsamError for everything that fails, with the result code the command
// returns and a description naming the position and token, table or column.
StatementOutcome RunJetStatement(Isam& isam, std::string_view text);

}  // namespace tabvex::jet
