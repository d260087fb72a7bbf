// The row an INSERT statement adds: its values evaluated and placed in the table's
// column order, NULL for columns the statement leaves out.
#pragma once

#include <string>
#include <vector>

#include "platform/jet/sql/functions.h"
#include "platform/jet/sql/statement.h"
#include "platform/jet/sql/value.h"

namespace tabvex::jet::sql {

// Throws SqlError unless the statement's `valueCount` values meet as many destinations.
void CheckValueCount(const InsertStatement& insert, std::size_t valueCount, std::size_t destinationCount);

// Where each of the statement's `valueCount` values goes: the named columns, or all
// columns in order. Throws SqlError for a column the table does not have, a column
// named twice, or a number of values that differs from the number of destinations.
std::vector<std::size_t> InsertDestinations(const InsertStatement& insert, std::size_t valueCount,
                                            const std::vector<std::string>& tableColumns);

// Throws as InsertDestinations does. The statement is taken over, so that literal
// values move into the row.
std::vector<Value> ResolveInsertValues(InsertStatement insert, const std::vector<std::string>& tableColumns,
                                       const EvaluationContext& context = {});

}  // namespace tabvex::jet::sql
