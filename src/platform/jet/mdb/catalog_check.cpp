#include "platform/jet/mdb/catalog_check.h"

#include <cstring>
#include <string>

#include "platform/jet/mdb/jet_format.h"
#include "platform/jet/mdb/long_value.h"
#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/mdb/row_scanner.h"

namespace tabvex::mdb {

namespace {

std::uint32_t U16(std::span<const std::uint8_t> b, size_t at) { return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8); }
std::uint32_t U32(std::span<const std::uint8_t> b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

// A property block ("KKD"/"MR2": chunks of names and of property records) whose every
// length stays inside the block and moves forward; libmdb loops for ever on a zero.
bool IsSoundPropertyBlock(std::span<const std::uint8_t> block) {
    constexpr size_t kChunkHeader = 6, kRecordHeader = 8;
    constexpr std::uint32_t kNamesChunk = 0x80;
    if (block.size() < 4 || (std::memcmp(block.data(), "KKD", 4) != 0 && std::memcmp(block.data(), "MR2", 4) != 0))
        return true;  // libmdb passes over blocks of other formats
    for (size_t pos = 4; pos < block.size();) {
        if (pos + kChunkHeader > block.size()) return false;
        std::uint32_t length = U32(block, pos);
        if (length < kChunkHeader || length > block.size() - pos) return false;
        auto chunk = block.subspan(pos + kChunkHeader, length - kChunkHeader);
        if (U16(block, pos + 4) == kNamesChunk) {
            for (size_t at = 0; at < chunk.size(); at += 2 + U16(chunk, at))
                if (at + 2 > chunk.size()) return false;
        } else {
            if (chunk.size() < kChunkHeader || kChunkHeader + U16(chunk, 4) > chunk.size()) return false;
            for (size_t at = kChunkHeader + U16(chunk, 4); at < chunk.size();) {
                if (at + kRecordHeader > chunk.size()) return false;
                std::uint32_t record = U16(chunk, at);
                if (record < kRecordHeader || record > chunk.size() - at) return false;
                at += record;
            }
        }
        pos += length;
    }
    return true;
}

}  // namespace

void CheckCatalogLongValues(MdbHandle* mdb, const std::filesystem::path& path) {
    MdbCatalogEntry catalog{};
    catalog.mdb = mdb;
    catalog.object_type = MDB_TABLE;
    catalog.table_pg = format::kCatalogPage;
    std::strcpy(catalog.object_name, "MSysObjects");
    MdbTablePtr table(mdb_read_table(&catalog));
    if (!table || !mdb_read_columns(table.get())) throw MdbError(path, "the database's catalog cannot be read");

    RowScanner scanner(table.get());
    std::vector<MdbField> fields;
    std::string value;
    while (scanner.Next(fields)) {
        for (const MdbField& field : fields) {
            const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, field.colnum));
            if (field.is_null || (column->col_type != MDB_OLE && column->col_type != MDB_MEMO)) continue;
            std::span<const std::uint8_t> reference(mdb->pg_buf + field.start, static_cast<size_t>(field.siz));
            if (!ReadLongValue(mdb, reference, value) ||
                !IsSoundPropertyBlock({reinterpret_cast<const std::uint8_t*>(value.data()), value.size()}))
                throw MdbError(path, "the database is damaged: its catalog holds an unreadable value");
        }
    }
}

}  // namespace tabvex::mdb
