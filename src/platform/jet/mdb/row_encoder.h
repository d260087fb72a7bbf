// Assembles a Jet 4 row: column count, fixed area, variable data, the end-of-data
// offset and variable offsets (last column first), their count, and the null mask
// (one bit per column, set when the value is present; Yes/No keeps its value there).
#pragma once

#include <optional>
#include <vector>

#include "platform/jet/mdb/byte_buffer.h"
#include "platform/jet/mdb/table_layout.h"

namespace tabvex::mdb {

// `fields` holds one entry per column: the stored bytes, or nullopt for NULL.
Bytes EncodeRow(const TableLayout& layout, const std::vector<std::optional<Bytes>>& fields);

}  // namespace tabvex::mdb
