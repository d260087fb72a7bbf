// What a table declares: its columns in order, its indexes and its row count.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/jet/mdb/catalog_entry.h"
#include "platform/jet/mdb/jet_type.h"

namespace tabvex::mdb {

// OLE DB column flags (DBCOLUMNFLAGS_*) reported for Jet columns.
namespace column_flags {
inline constexpr std::uint32_t WriteUnknown = 0x8, FixedLength = 0x10, Nullable = 0x20, MaybeNull = 0x40,
                               Long = 0x80;
}

struct ColumnInfo {
    std::string name;
    int ordinal = 0;  // 1-based position in the table
    JetType type = JetType::Text;
    std::uint16_t oledbType = 0;
    std::uint32_t flags = 0;      // DBCOLUMNFLAGS_* as OLE DB reports them
    std::uint32_t maxLength = 0;  // characters for Text, bytes for Binary, 0 otherwise
    bool nullable = true;
    bool autoIncrement = false;
    std::uint8_t precision = 0;  // Numeric only
    std::uint8_t scale = 0;      // Numeric only
    std::optional<std::string> defaultValue;
};

struct IndexInfo {
    std::string name;
    std::vector<std::string> columns;  // key columns in key order
    bool primary = false;
    bool unique = false;
    bool foreignKey = false;  // the hidden index Jet keeps for an enforced relationship
};

struct TableSchema {
    std::string name;
    ObjectKind kind = ObjectKind::UserTable;
    std::vector<ColumnInfo> columns;
    std::vector<IndexInfo> indexes;
    std::uint64_t rowCount = 0;
};

}  // namespace tabvex::mdb
