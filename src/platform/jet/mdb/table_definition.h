// A Jet 4 table definition: the header (row count, column counts, pointers to the
// page-usage maps), one 25-byte descriptor per column and the column names. It
// starts on one page and continues on further pages when it is long.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/jet/mdb/byte_buffer.h"
#include "platform/jet/mdb/page_set.h"
#include "platform/jet/mdb/table_layout.h"

namespace tabvex::mdb {

struct TableDefinition {
    TableLayout layout;
    bool system = false;
    std::uint32_t rowCount = 0;
    std::uint32_t usageMap = 0;  // row pointers (page << 8 | row) of the two usage maps
    std::uint32_t freeMap = 0;
};

// The definition as one byte stream whose first 8 bytes are the first page's header.
Bytes EncodeTableDefinition(const TableDefinition& definition);

// How many pages a definition stream of this size takes.
size_t TableDefinitionPageCount(size_t streamSize);

// Writes the stream over the given pages, chaining them.
void WriteTableDefinition(PageSet& pages, const std::vector<std::uint32_t>& pageNumbers, const Bytes& stream);

}  // namespace tabvex::mdb
