// A Jet 4 data page being filled with rows: a header naming the owner (a table
// definition's page, or "LVAL" for long values), the row count, a table of row
// offsets, and the rows themselves stored from the end of the page towards it.
#pragma once

#include <cstdint>
#include <span>

#include "platform/jet/mdb/byte_buffer.h"

namespace tabvex::mdb {

class RowPage {
public:
    static constexpr size_t kHeaderSize = 14;
    // The largest row a page can take: the whole page less its header and one offset.
    static constexpr size_t kMaxRowSize = 4096 - kHeaderSize - 2;

    // Formats `page` (zeroed, 4096 bytes) as an empty data page of `owner`.
    RowPage(Bytes& page, std::uint32_t owner);
    static RowPage LongValuePage(Bytes& page);

    bool Fits(size_t rowSize) const;
    // Stores the row and returns its number on the page; the row must fit.
    unsigned Add(std::span<const std::uint8_t> row);
    unsigned rowCount() const { return rows_; }

private:
    Bytes& page_;
    unsigned rows_ = 0;
    size_t rowsStart_;  // offset of the lowest row stored so far
};

}  // namespace tabvex::mdb
