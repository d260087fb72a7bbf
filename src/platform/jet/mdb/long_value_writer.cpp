#include "platform/jet/mdb/long_value_writer.h"

#include <algorithm>
#include <vector>

namespace tabvex::mdb {

namespace {

constexpr std::uint32_t kInline = 0x80000000;
constexpr std::uint32_t kSingleRow = 0x40000000;
constexpr size_t kChainLinkSize = 4;
constexpr size_t kChunkSize = RowPage::kMaxRowSize - kChainLinkSize;

Bytes Reference(std::uint32_t lengthAndFlags, std::uint32_t pointer) {
    Bytes ref;
    AppendU32(ref, lengthAndFlags);
    AppendU32(ref, pointer);
    AppendU32(ref, 0);
    return ref;
}

}  // namespace

std::uint32_t LongValueWriter::AddRow(std::span<const std::uint8_t> row) {
    if (!current_ || !current_->Fits(row.size())) {
        currentPage_ = pages_.Allocate();
        current_ = std::make_unique<RowPage>(RowPage::LongValuePage(pages_[currentPage_]));
    }
    return currentPage_ << 8 | current_->Add(row);
}

Bytes LongValueWriter::Store(std::span<const std::uint8_t> value) {
    auto length = static_cast<std::uint32_t>(value.size());
    if (value.size() <= kInlineLimit) {
        Bytes field = Reference(length | kInline, 0);
        Append(field, value);
        return field;
    }
    if (value.size() <= RowPage::kMaxRowSize) return Reference(length | kSingleRow, AddRow(value));

    // A chain: each link starts with the pointer to the next, so the links are
    // stored from the last to the first.
    std::uint32_t next = 0;
    size_t chunks = (value.size() + kChunkSize - 1) / kChunkSize;
    for (size_t i = chunks; i-- > 0;) {
        auto chunk = value.subspan(i * kChunkSize, std::min(kChunkSize, value.size() - i * kChunkSize));
        Bytes link;
        AppendU32(link, next);
        Append(link, chunk);
        next = AddRow(link);
    }
    return Reference(length, next);
}

}  // namespace tabvex::mdb
