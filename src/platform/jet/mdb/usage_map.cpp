#include "platform/jet/mdb/usage_map.h"

#include "platform/jet/mdb/row_page.h"

namespace tabvex::mdb {

namespace {
constexpr std::uint8_t kInlineMap = 0x00;
constexpr size_t kMapHeader = 5;
}  // namespace

std::optional<Bytes> UsageMapRow(const std::vector<std::uint32_t>& pages) {
    std::uint32_t first = pages.empty() ? 0 : pages.front();
    size_t bits = pages.empty() ? 1 : pages.back() - first + 1;
    size_t bitmapBytes = (bits + 7) / 8;
    if (kMapHeader + bitmapBytes > RowPage::kMaxRowSize) return std::nullopt;
    Bytes row(kMapHeader + bitmapBytes, 0);
    row[0] = kInlineMap;
    PutU32(row, 1, first);
    for (std::uint32_t page : pages) {
        std::uint32_t bit = page - first;
        row[kMapHeader + bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
    }
    return row;
}

}  // namespace tabvex::mdb
