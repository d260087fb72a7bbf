#include "platform/jet/mdb/schema_reader.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tabvex::mdb {

namespace {

constexpr int kPrimaryIndex = 1;
constexpr int kForeignKeyIndex = 2;
constexpr int kJetColumnFixed = 0x01;

bool IsTrueProperty(const char* value) {
    if (!value) return false;
    std::string v(value);
    std::transform(v.begin(), v.end(), v.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return v == "yes" || v == "true" || v == "1" || v == "-1";
}

std::uint32_t MaxLengthOf(const MdbColumn& col, bool jet3) {
    auto type = static_cast<JetType>(col.col_type);
    if (type == JetType::Text) return static_cast<std::uint32_t>(jet3 ? col.col_size : col.col_size / 2);
    if (type == JetType::Binary) return static_cast<std::uint32_t>(col.col_size);
    return 0;
}

ColumnInfo DescribeColumn(const MdbColumn& col, int ordinal, bool jet3) {
    ColumnInfo info;
    info.name = col.name;
    info.ordinal = ordinal;
    info.type = static_cast<JetType>(col.col_type);
    info.oledbType = OleDbTypeOf(info.type);
    info.maxLength = MaxLengthOf(col, jet3);
    info.nullable = info.type != JetType::Boolean && !IsTrueProperty(mdb_col_get_prop(&col, "Required"));
    info.autoIncrement = col.is_long_auto || col.is_uuid_auto;
    if (info.type == JetType::Numeric) {
        // libmdb's two fields hold each other's value: col_scale has the precision.
        info.precision = static_cast<std::uint8_t>(col.col_scale);
        info.scale = static_cast<std::uint8_t>(col.col_prec);
    }
    if (const char* def = mdb_col_get_prop(&col, "DefaultValue")) info.defaultValue = def;
    info.flags = column_flags::WriteUnknown;
    if (col.is_fixed & kJetColumnFixed) info.flags |= column_flags::FixedLength;
    if (info.nullable) info.flags |= column_flags::Nullable | column_flags::MaybeNull;
    if (IsLongValueType(info.type)) info.flags |= column_flags::Long;
    return info;
}

}  // namespace

std::vector<ColumnInfo> DescribeColumns(const MdbTableDef& table, bool jet3) {
    std::vector<ColumnInfo> columns;
    if (!table.columns) return columns;
    for (guint i = 0; i < table.columns->len; ++i) {
        const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table.columns, i));
        columns.push_back(DescribeColumn(*col, static_cast<int>(i) + 1, jet3));
    }
    return columns;
}

std::vector<IndexInfo> DescribeIndexes(const MdbTableDef& table) {
    std::vector<IndexInfo> indexes;
    if (!table.indices || !table.columns) return indexes;
    for (guint i = 0; i < table.indices->len; ++i) {
        const auto* idx = static_cast<const MdbIndex*>(g_ptr_array_index(table.indices, i));
        IndexInfo info;
        info.name = idx->name;
        info.primary = idx->index_type == kPrimaryIndex;
        info.foreignKey = idx->index_type == kForeignKeyIndex;
        info.unique = info.primary || (idx->flags & MDB_IDX_UNIQUE) != 0;
        for (unsigned k = 0; k < idx->num_keys && k < MDB_MAX_IDX_COLS; ++k) {
            int colNumber = idx->key_col_num[k];
            if (colNumber < 1 || static_cast<guint>(colNumber) > table.columns->len) continue;
            const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table.columns, colNumber - 1));
            info.columns.emplace_back(col->name);
        }
        indexes.push_back(std::move(info));
    }
    return indexes;
}

}  // namespace tabvex::mdb
