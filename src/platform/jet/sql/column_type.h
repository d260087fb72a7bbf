// The column types a CREATE TABLE statement can name, with Jet's spellings and
// synonyms (Text, VARCHAR(255), LONGTEXT, MEMO, INTEGER, DATETIME, BIT, ...).
#pragma once

#include <optional>
#include <string_view>

namespace tabvex::jet::sql {

enum class ColumnTypeKind {
    Text, Memo, Byte, Short, Long, Single, Double, Currency, Decimal, DateTime, Boolean, Counter, Guid,
    Binary, LongBinary,
};

struct ColumnType {
    ColumnTypeKind kind = ColumnTypeKind::Text;
    int size = 0;  // characters of Text (255 when not given), bytes of Binary; else 0
    friend bool operator==(const ColumnType&, const ColumnType&) = default;
};

// Which kind a type name stands for (case-insensitive), or nullopt when it is none.
std::optional<ColumnTypeKind> ColumnTypeKindByName(std::string_view name);
// Whether the kind takes a size in parentheses (Text and Binary).
bool TakesSize(ColumnTypeKind kind);

}  // namespace tabvex::jet::sql
