#include "platform/jet/sql/column_type.h"

#include <array>
#include <utility>

#include "platform/jet/sql/text_case.h"

namespace tabvex::jet::sql {
namespace {

constexpr std::array<std::pair<std::string_view, ColumnTypeKind>, 42> kTypeNames{{
    {"TEXT", ColumnTypeKind::Text},           {"VARCHAR", ColumnTypeKind::Text},
    {"CHAR", ColumnTypeKind::Text},           {"CHARACTER", ColumnTypeKind::Text},
    {"STRING", ColumnTypeKind::Text},         {"NVARCHAR", ColumnTypeKind::Text},
    {"NCHAR", ColumnTypeKind::Text},          {"ALPHANUMERIC", ColumnTypeKind::Text},
    {"LONGTEXT", ColumnTypeKind::Memo},       {"MEMO", ColumnTypeKind::Memo},
    {"NOTE", ColumnTypeKind::Memo},           {"LONGCHAR", ColumnTypeKind::Memo},
    {"NTEXT", ColumnTypeKind::Memo},          {"BYTE", ColumnTypeKind::Byte},
    {"TINYINT", ColumnTypeKind::Byte},        {"SHORT", ColumnTypeKind::Short},
    {"SMALLINT", ColumnTypeKind::Short},      {"LONG", ColumnTypeKind::Long},
    {"INTEGER", ColumnTypeKind::Long},        {"INT", ColumnTypeKind::Long},
    {"SINGLE", ColumnTypeKind::Single},       {"REAL", ColumnTypeKind::Single},
    {"DOUBLE", ColumnTypeKind::Double},       {"FLOAT", ColumnTypeKind::Double},
    {"NUMBER", ColumnTypeKind::Double},       {"CURRENCY", ColumnTypeKind::Currency},
    {"MONEY", ColumnTypeKind::Currency},      {"DECIMAL", ColumnTypeKind::Decimal},
    {"NUMERIC", ColumnTypeKind::Decimal},     {"DATETIME", ColumnTypeKind::DateTime},
    {"DATE", ColumnTypeKind::DateTime},       {"TIME", ColumnTypeKind::DateTime},
    {"BIT", ColumnTypeKind::Boolean},         {"YESNO", ColumnTypeKind::Boolean},
    {"LOGICAL", ColumnTypeKind::Boolean},     {"COUNTER", ColumnTypeKind::Counter},
    {"AUTOINCREMENT", ColumnTypeKind::Counter}, {"GUID", ColumnTypeKind::Guid},
    {"BINARY", ColumnTypeKind::Binary},       {"LONGBINARY", ColumnTypeKind::LongBinary},
    {"IMAGE", ColumnTypeKind::LongBinary},    {"OLEOBJECT", ColumnTypeKind::LongBinary},
}};

}  // namespace

std::optional<ColumnTypeKind> ColumnTypeKindByName(std::string_view name) {
    for (const auto& [typeName, kind] : kTypeNames)
        if (EqualsIgnoringCase(typeName, name)) return kind;
    return std::nullopt;
}

bool TakesSize(ColumnTypeKind kind) { return kind == ColumnTypeKind::Text || kind == ColumnTypeKind::Binary; }

}  // namespace tabvex::jet::sql
