// Turns libmdb's view of a table definition into the engine's ColumnInfo and
// IndexInfo.
#pragma once

#include "platform/jet/mdb/libmdb_handle.h"

#include <vector>

#include "platform/jet/mdb/table_schema.h"

namespace tabvex::mdb {

// The columns of a table whose columns libmdb has read, in table order.
std::vector<ColumnInfo> DescribeColumns(const MdbTableDef& table, bool jet3);

// The indexes of a table whose columns and indexes libmdb has read.
std::vector<IndexInfo> DescribeIndexes(const MdbTableDef& table);

}  // namespace tabvex::mdb
