#include "platform/jet/mdb/table_definition.h"

#include <algorithm>

#include "platform/jet/mdb/jet_format.h"
#include "platform/jet/mdb/utf16.h"

namespace tabvex::mdb {

namespace {

constexpr std::uint8_t kUserTable = 0x4E;
constexpr std::uint8_t kSystemTable = 0x53;
constexpr std::uint8_t kColumnFixed = 0x01;
constexpr std::uint8_t kColumnUpdatable = 0x02;
constexpr std::uint32_t kGeneralSortOrder = 0x0409;
constexpr size_t kPageHeader = 8;
constexpr size_t kContinuationCapacity = PageSet::kPageSize - kPageHeader;

void AppendColumnDescriptor(Bytes& out, const ColumnLayout& column) {
    Bytes d(format::kTdefColumnEntrySize, 0);
    d[0] = static_cast<std::uint8_t>(column.spec.type);
    PutU16(d, 5, static_cast<std::uint32_t>(column.number));
    PutU16(d, 7, static_cast<std::uint32_t>(column.varIndex));
    PutU16(d, 9, static_cast<std::uint32_t>(column.number));
    if (column.spec.type == JetType::Text || column.spec.type == JetType::Memo) PutU16(d, 11, kGeneralSortOrder);
    d[15] = static_cast<std::uint8_t>((column.fixed ? kColumnFixed : 0) | kColumnUpdatable);
    PutU16(d, 21, static_cast<std::uint32_t>(column.fixedOffset));
    PutU16(d, 23, static_cast<std::uint32_t>(column.spec.type == JetType::Boolean ? 1 : column.storedLength));
    Append(out, d);
}

}  // namespace

Bytes EncodeTableDefinition(const TableDefinition& definition) {
    const auto& columns = definition.layout.columns;
    Bytes out(format::kTdefColumnsStart, 0);
    out[0] = format::kPageTableDefinition;
    out[1] = 0x01;
    PutU32(out, format::kTdefRowCount, definition.rowCount);
    out[format::kTdefTableType] = definition.system ? kSystemTable : kUserTable;
    PutU16(out, format::kTdefMaxColumns, static_cast<std::uint32_t>(columns.size()));
    PutU16(out, format::kTdefVarColumns, static_cast<std::uint32_t>(definition.layout.varColumns));
    PutU16(out, format::kTdefColumns, static_cast<std::uint32_t>(columns.size()));
    PutU32(out, format::kTdefUsageMap, definition.usageMap);
    PutU32(out, format::kTdefFreeMap, definition.freeMap);
    for (const auto& column : columns) AppendColumnDescriptor(out, column);
    for (const auto& column : columns) {
        Bytes name = Utf8ToUtf16Le(column.spec.name).value_or(Bytes{});
        AppendU16(out, static_cast<std::uint32_t>(name.size()));
        Append(out, name);
    }
    AppendU16(out, 0xFFFF);  // no long-value column usage maps follow
    PutU32(out, format::kTdefLength, static_cast<std::uint32_t>(out.size() - kPageHeader));
    return out;
}

size_t TableDefinitionPageCount(size_t streamSize) {
    if (streamSize <= PageSet::kPageSize) return 1;
    return 1 + (streamSize - PageSet::kPageSize + kContinuationCapacity - 1) / kContinuationCapacity;
}

void WriteTableDefinition(PageSet& pages, const std::vector<std::uint32_t>& pageNumbers, const Bytes& stream) {
    size_t at = 0;
    for (size_t i = 0; i < pageNumbers.size(); ++i) {
        Bytes& page = pages[pageNumbers[i]];
        size_t start = i == 0 ? 0 : kPageHeader;
        size_t take = std::min(stream.size() - at, PageSet::kPageSize - start);
        std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(at), take, page.begin() + static_cast<std::ptrdiff_t>(start));
        at += take;
        page[0] = format::kPageTableDefinition;
        page[1] = 0x01;
        PutU16(page, 2, static_cast<std::uint32_t>(PageSet::kPageSize - start - take));
        PutU32(page, format::kTdefNextPage, i + 1 < pageNumbers.size() ? pageNumbers[i + 1] : 0);
    }
}

}  // namespace tabvex::mdb
