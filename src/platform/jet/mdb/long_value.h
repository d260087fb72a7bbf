// Memo and OLE object values: a 12-byte reference in the row that either holds the
// value itself or points to one row, or a chain of rows, on long-value pages.
#pragma once

#include "platform/jet/mdb/libmdb_handle.h"

#include <cstdint>
#include <span>
#include <string>

namespace tabvex::mdb {

// Copies the whole value the reference `field` (as stored in the row) names into
// `out`. Returns false when the reference or its chain is damaged.
bool ReadLongValue(MdbHandle* mdb, std::span<const std::uint8_t> field, std::string& out);

}  // namespace tabvex::mdb
