#include "platform/oledb/schema_rows.h"

#include <strings.h>

#include <initializer_list>
#include <utility>

namespace tabvex::oledb {
namespace {

std::vector<DBCOLUMNINFO> Layout(std::initializer_list<std::pair<const char*, DBTYPE>> columns) {
    std::vector<DBCOLUMNINFO> layout;
    for (const auto& [name, type] : columns) {
        DBCOLUMNINFO column;
        column.name = name;
        column.ordinal = layout.size() + 1;
        column.type = type;
        column.flags = DBCOLUMNFLAGS_ISNULLABLE | DBCOLUMNFLAGS_MAYBENULL;
        column.columnSize = type == DBTYPE_WSTR ? 255 : 8;
        layout.push_back(column);
    }
    return layout;
}

Value Text(const std::optional<std::string>& text) { return text ? Value{*text} : Value{}; }
Value Number(std::int64_t number) { return Value{number}; }

void PutTableName(std::vector<Value>& row, const SchemaTableName& table) {
    row[0] = Text(table.catalog);
    row[1] = Text(table.schema);
    row[2] = Value{table.name};
}

constexpr std::size_t kColumnsColumnCount = 28;
constexpr std::size_t kIndexesColumnCount = 25;

}  // namespace

std::vector<DBCOLUMNINFO> CatalogsLayout() {
    return Layout({{"CATALOG_NAME", DBTYPE_WSTR}, {"DESCRIPTION", DBTYPE_WSTR}});
}

std::vector<DBCOLUMNINFO> TablesLayout() {
    return Layout({{"TABLE_CATALOG", DBTYPE_WSTR}, {"TABLE_SCHEMA", DBTYPE_WSTR}, {"TABLE_NAME", DBTYPE_WSTR},
                   {"TABLE_TYPE", DBTYPE_WSTR}, {"TABLE_GUID", DBTYPE_GUID}, {"DESCRIPTION", DBTYPE_WSTR},
                   {"TABLE_PROPID", DBTYPE_UI4}, {"DATE_CREATED", DBTYPE_DATE}, {"DATE_MODIFIED", DBTYPE_DATE}});
}

std::vector<DBCOLUMNINFO> ColumnsLayout() {
    return Layout({{"TABLE_CATALOG", DBTYPE_WSTR}, {"TABLE_SCHEMA", DBTYPE_WSTR},
                   {"TABLE_NAME", DBTYPE_WSTR}, {"COLUMN_NAME", DBTYPE_WSTR},
                   {"COLUMN_GUID", DBTYPE_GUID}, {"COLUMN_PROPID", DBTYPE_UI4},
                   {"ORDINAL_POSITION", DBTYPE_UI4}, {"COLUMN_HASDEFAULT", DBTYPE_BOOL},
                   {"COLUMN_DEFAULT", DBTYPE_WSTR}, {"COLUMN_FLAGS", DBTYPE_UI4},
                   {"IS_NULLABLE", DBTYPE_BOOL}, {"DATA_TYPE", DBTYPE_UI2},
                   {"TYPE_GUID", DBTYPE_GUID}, {"CHARACTER_MAXIMUM_LENGTH", DBTYPE_UI4},
                   {"CHARACTER_OCTET_LENGTH", DBTYPE_UI4}, {"NUMERIC_PRECISION", DBTYPE_UI2},
                   {"NUMERIC_SCALE", DBTYPE_I2}, {"DATETIME_PRECISION", DBTYPE_UI4},
                   {"CHARACTER_SET_CATALOG", DBTYPE_WSTR}, {"CHARACTER_SET_SCHEMA", DBTYPE_WSTR},
                   {"CHARACTER_SET_NAME", DBTYPE_WSTR}, {"COLLATION_CATALOG", DBTYPE_WSTR},
                   {"COLLATION_SCHEMA", DBTYPE_WSTR}, {"COLLATION_NAME", DBTYPE_WSTR},
                   {"DOMAIN_CATALOG", DBTYPE_WSTR}, {"DOMAIN_SCHEMA", DBTYPE_WSTR},
                   {"DOMAIN_NAME", DBTYPE_WSTR}, {"DESCRIPTION", DBTYPE_WSTR}});
}

std::vector<DBCOLUMNINFO> IndexesLayout() {
    return Layout({{"TABLE_CATALOG", DBTYPE_WSTR}, {"TABLE_SCHEMA", DBTYPE_WSTR},
                   {"TABLE_NAME", DBTYPE_WSTR}, {"INDEX_CATALOG", DBTYPE_WSTR},
                   {"INDEX_SCHEMA", DBTYPE_WSTR}, {"INDEX_NAME", DBTYPE_WSTR},
                   {"PRIMARY_KEY", DBTYPE_BOOL}, {"UNIQUE", DBTYPE_BOOL},
                   {"CLUSTERED", DBTYPE_BOOL}, {"TYPE", DBTYPE_UI2},
                   {"FILL_FACTOR", DBTYPE_I4}, {"INITIAL_SIZE", DBTYPE_I4},
                   {"NULLS", DBTYPE_I4}, {"SORT_BOOKMARKS", DBTYPE_BOOL},
                   {"AUTO_UPDATE", DBTYPE_BOOL}, {"NULL_COLLATION", DBTYPE_I4},
                   {"ORDINAL_POSITION", DBTYPE_UI4}, {"COLUMN_NAME", DBTYPE_WSTR},
                   {"COLUMN_GUID", DBTYPE_GUID}, {"COLUMN_PROPID", DBTYPE_UI4},
                   {"COLLATION", DBTYPE_I2}, {"CARDINALITY", DBTYPE_UI8},
                   {"PAGES", DBTYPE_I4}, {"FILTER_CONDITION", DBTYPE_WSTR},
                   {"INTEGRATED", DBTYPE_BOOL}});
}

std::vector<Value> CatalogsRow(const std::string& catalog, const std::optional<std::string>& description) {
    return {Value{catalog}, Text(description)};
}

std::vector<Value> TablesRow(const SchemaTableName& table, const std::string& type,
                             const std::optional<std::string>& description) {
    std::vector<Value> row(9);
    PutTableName(row, table);
    row[3] = Value{type};
    row[5] = Text(description);
    return row;
}

std::vector<Value> ColumnsRow(const SchemaTableName& table, const SchemaColumn& column, std::size_t ordinal) {
    std::vector<Value> row(kColumnsColumnCount);
    PutTableName(row, table);
    row[3] = Value{column.name};
    row[6] = Number(static_cast<std::int64_t>(ordinal));
    row[7] = Value{column.defaultValue.has_value()};
    row[8] = Text(column.defaultValue);
    row[9] = Number(column.flags);
    row[10] = Value{column.nullable};
    row[11] = Number(column.type);
    if (column.type == DBTYPE_WSTR || column.type == DBTYPE_BYTES) {
        row[13] = Number(static_cast<std::int64_t>(column.maxLength));
        row[14] = Number(static_cast<std::int64_t>(column.type == DBTYPE_WSTR ? column.maxLength * 2
                                                                              : column.maxLength));
    }
    if (column.precision != 0) row[15] = Number(column.precision);
    if (column.type == DBTYPE_NUMERIC) row[16] = Number(column.scale);
    return row;
}

std::vector<Value> IndexesRow(const SchemaTableName& table, const SchemaIndexColumn& column) {
    constexpr std::int64_t kBtreeIndex = 1;  // DBPROPVAL_IT_BTREE
    constexpr std::int64_t kAscending = 1;   // DB_COLLATION_ASC
    std::vector<Value> row(kIndexesColumnCount);
    PutTableName(row, table);
    row[5] = Value{column.indexName};
    row[6] = Value{column.primaryKey};
    row[7] = Value{column.unique};
    row[8] = Value{false};
    row[9] = Number(kBtreeIndex);
    row[16] = Number(static_cast<std::int64_t>(column.ordinal));
    row[17] = Value{column.columnName};
    row[20] = Number(kAscending);
    return row;
}

const std::optional<std::string>& RestrictionAt(const Restrictions& restrictions, std::size_t index) {
    static const std::optional<std::string> none;
    return index < restrictions.size() ? restrictions[index] : none;
}

bool NameMatches(const std::optional<std::string>& restriction, const std::string& name) {
    return !restriction || strcasecmp(restriction->c_str(), name.c_str()) == 0;
}

}  // namespace tabvex::oledb
