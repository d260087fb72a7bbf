// A table's page-usage map as Jet 4 stores it in a row: map type 0, the first page
// the map covers, then one bit per page from there (set: the page holds the table's rows).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/jet/mdb/byte_buffer.h"

namespace tabvex::mdb {

// The map of the given pages (ascending), or nullopt when they span more pages
// than one map row can describe.
std::optional<Bytes> UsageMapRow(const std::vector<std::uint32_t>& pages);

}  // namespace tabvex::mdb
