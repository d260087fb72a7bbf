#include "platform/jet/mdb/row_page.h"

#include <algorithm>

#include "platform/jet/mdb/jet_format.h"

namespace tabvex::mdb {

namespace {
constexpr std::uint32_t kLongValueOwner = 0x4C41564C;  // the bytes "LVAL"
}

RowPage::RowPage(Bytes& page, std::uint32_t owner) : page_(page), rowsStart_(page.size()) {
    page_[0] = format::kPageData;
    page_[1] = 0x01;
    PutU32(page_, format::kDataOwner, owner);
    PutU16(page_, format::kDataFreeSpace, static_cast<std::uint32_t>(page_.size() - kHeaderSize));
}

RowPage RowPage::LongValuePage(Bytes& page) { return RowPage(page, kLongValueOwner); }

bool RowPage::Fits(size_t rowSize) const {
    size_t used = kHeaderSize + 2 * (rows_ + 1) + (page_.size() - rowsStart_) + rowSize;
    return used <= page_.size();
}

unsigned RowPage::Add(std::span<const std::uint8_t> row) {
    rowsStart_ -= row.size();
    std::copy(row.begin(), row.end(), page_.begin() + static_cast<std::ptrdiff_t>(rowsStart_));
    PutU16(page_, format::kDataRowOffsets + 2 * rows_, static_cast<std::uint32_t>(rowsStart_));
    ++rows_;
    PutU16(page_, format::kDataRowCount, rows_);
    size_t free = rowsStart_ - (kHeaderSize + 2 * rows_);
    PutU16(page_, format::kDataFreeSpace, static_cast<std::uint32_t>(free));
    return rows_ - 1;
}

}  // namespace tabvex::mdb
