// Stores memo and OLE values for a row: small ones inside the row, others in
// long-value pages, as one row or as a chain of rows over several pages.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/jet/mdb/byte_buffer.h"
#include "platform/jet/mdb/page_set.h"
#include "platform/jet/mdb/row_page.h"

namespace tabvex::mdb {

class LongValueWriter {
public:
    // Values up to this many bytes stay inside the row.
    static constexpr size_t kInlineLimit = 64;

    explicit LongValueWriter(PageSet& pages) : pages_(pages) {}

    // The field a row stores for the value: the 12-byte reference, followed by the
    // value itself when it stays inline.
    Bytes Store(std::span<const std::uint8_t> value);

private:
    // Puts one row on the current long-value page (or a new one); returns its pointer
    // (page << 8 | row).
    std::uint32_t AddRow(std::span<const std::uint8_t> row);

    PageSet& pages_;
    std::unique_ptr<RowPage> current_;
    std::uint32_t currentPage_ = 0;
};

}  // namespace tabvex::mdb
