#include "platform/jet/schema_rowsets.h"

#include <strings.h>

#include <string>
#include <vector>

namespace tabvex::jet {
namespace {

using oledb::DBCOLUMNINFO;
using oledb::DBTYPE;
using oledb::Value;

// Schema rowset columns as OLE DB lays them out (names and types).
std::vector<DBCOLUMNINFO> Layout(std::initializer_list<std::pair<const char*, DBTYPE>> columns) {
    std::vector<DBCOLUMNINFO> layout;
    for (const auto& [name, type] : columns) {
        DBCOLUMNINFO column;
        column.name = name;
        column.ordinal = layout.size() + 1;
        column.type = type;
        column.flags = oledb::DBCOLUMNFLAGS_ISNULLABLE | oledb::DBCOLUMNFLAGS_MAYBENULL;
        column.columnSize = type == oledb::DBTYPE_WSTR ? 255 : 8;
        layout.push_back(column);
    }
    return layout;
}

bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

const std::optional<std::string>& Restriction(const oledb::Restrictions& restrictions, std::size_t index) {
    static const std::optional<std::string> none;
    return index < restrictions.size() ? restrictions[index] : none;
}

// Catalog and schema are NULL in every row: a restriction on them keeps nothing.
bool CatalogAndSchemaUnrestricted(const oledb::Restrictions& restrictions, std::size_t catalog,
                                  std::size_t schema) {
    return !Restriction(restrictions, catalog) && !Restriction(restrictions, schema);
}

bool NameMatches(const std::optional<std::string>& restriction, const std::string& name) {
    return !restriction || SameName(*restriction, name);
}

Value Text(const std::string& text) { return Value{text}; }
Value Number(std::int64_t number) { return Value{number}; }

// The tables an optional TABLE_NAME restriction selects, in the ISAM's order.
std::vector<IsamTable> SelectedTables(Isam& isam, const std::optional<std::string>& tableName) {
    std::vector<IsamTable> selected;
    for (auto& table : isam.Tables()) {
        if (NameMatches(tableName, table.name)) selected.push_back(std::move(table));
    }
    return selected;
}

std::vector<Value> ColumnRow(const std::string& table, const IsamColumn& column, std::size_t ordinal) {
    std::vector<Value> row(28);
    row[2] = Text(table);
    row[3] = Text(column.name);
    row[6] = Number(static_cast<std::int64_t>(ordinal));
    row[7] = Value{column.defaultValue.has_value()};
    if (column.defaultValue) row[8] = Text(*column.defaultValue);
    row[9] = Number(column.flags);
    row[10] = Value{column.nullable};
    row[11] = Number(column.type);
    bool isText = column.type == oledb::DBTYPE_WSTR || column.type == oledb::DBTYPE_BYTES;
    if (isText) {
        row[13] = Number(static_cast<std::int64_t>(column.maxLength));
        row[14] = Number(static_cast<std::int64_t>(column.type == oledb::DBTYPE_WSTR ? column.maxLength * 2
                                                                                      : column.maxLength));
    }
    if (column.precision != 0) row[15] = Number(column.precision);
    if (column.type == oledb::DBTYPE_NUMERIC) row[16] = Number(column.scale);
    return row;
}

}  // namespace

const char* TableTypeName(TableKind kind) {
    switch (kind) {
        case TableKind::Table: return "TABLE";
        case TableKind::SystemTable: return "SYSTEM TABLE";
        case TableKind::View: return "VIEW";
        case TableKind::Link: return "LINK";
    }
    return "TABLE";
}

std::unique_ptr<oledb::RowSource> TablesSchema(Isam& isam, const oledb::Restrictions& restrictions) {
    auto layout = Layout({{"TABLE_CATALOG", oledb::DBTYPE_WSTR}, {"TABLE_SCHEMA", oledb::DBTYPE_WSTR},
                          {"TABLE_NAME", oledb::DBTYPE_WSTR}, {"TABLE_TYPE", oledb::DBTYPE_WSTR},
                          {"TABLE_GUID", oledb::DBTYPE_GUID}, {"DESCRIPTION", oledb::DBTYPE_WSTR},
                          {"TABLE_PROPID", oledb::DBTYPE_UI4}, {"DATE_CREATED", oledb::DBTYPE_DATE},
                          {"DATE_MODIFIED", oledb::DBTYPE_DATE}});
    std::vector<std::vector<Value>> rows;
    if (CatalogAndSchemaUnrestricted(restrictions, 0, 1)) {
        const auto& type = Restriction(restrictions, 3);
        for (const auto& table : SelectedTables(isam, Restriction(restrictions, 2))) {
            if (type && *type != TableTypeName(table.kind)) continue;
            std::vector<Value> row(layout.size());
            row[2] = Text(table.name);
            row[3] = Text(TableTypeName(table.kind));
            rows.push_back(std::move(row));
        }
    }
    return std::make_unique<oledb::MemoryRowSource>(std::move(layout), std::move(rows));
}

std::unique_ptr<oledb::RowSource> ColumnsSchema(Isam& isam, const oledb::Restrictions& restrictions) {
    auto layout = Layout({{"TABLE_CATALOG", oledb::DBTYPE_WSTR}, {"TABLE_SCHEMA", oledb::DBTYPE_WSTR},
                          {"TABLE_NAME", oledb::DBTYPE_WSTR}, {"COLUMN_NAME", oledb::DBTYPE_WSTR},
                          {"COLUMN_GUID", oledb::DBTYPE_GUID}, {"COLUMN_PROPID", oledb::DBTYPE_UI4},
                          {"ORDINAL_POSITION", oledb::DBTYPE_UI4}, {"COLUMN_HASDEFAULT", oledb::DBTYPE_BOOL},
                          {"COLUMN_DEFAULT", oledb::DBTYPE_WSTR}, {"COLUMN_FLAGS", oledb::DBTYPE_UI4},
                          {"IS_NULLABLE", oledb::DBTYPE_BOOL}, {"DATA_TYPE", oledb::DBTYPE_UI2},
                          {"TYPE_GUID", oledb::DBTYPE_GUID}, {"CHARACTER_MAXIMUM_LENGTH", oledb::DBTYPE_UI4},
                          {"CHARACTER_OCTET_LENGTH", oledb::DBTYPE_UI4}, {"NUMERIC_PRECISION", oledb::DBTYPE_UI2},
                          {"NUMERIC_SCALE", oledb::DBTYPE_I2}, {"DATETIME_PRECISION", oledb::DBTYPE_UI4},
                          {"CHARACTER_SET_CATALOG", oledb::DBTYPE_WSTR}, {"CHARACTER_SET_SCHEMA", oledb::DBTYPE_WSTR},
                          {"CHARACTER_SET_NAME", oledb::DBTYPE_WSTR}, {"COLLATION_CATALOG", oledb::DBTYPE_WSTR},
                          {"COLLATION_SCHEMA", oledb::DBTYPE_WSTR}, {"COLLATION_NAME", oledb::DBTYPE_WSTR},
                          {"DOMAIN_CATALOG", oledb::DBTYPE_WSTR}, {"DOMAIN_SCHEMA", oledb::DBTYPE_WSTR},
                          {"DOMAIN_NAME", oledb::DBTYPE_WSTR}, {"DESCRIPTION", oledb::DBTYPE_WSTR}});
    std::vector<std::vector<Value>> rows;
    if (CatalogAndSchemaUnrestricted(restrictions, 0, 1)) {
        const auto& columnName = Restriction(restrictions, 3);
        for (const auto& table : SelectedTables(isam, Restriction(restrictions, 2))) {
            auto columns = isam.Columns(table.name);
            for (std::size_t i = 0; i < columns.size(); ++i) {
                if (NameMatches(columnName, columns[i].name)) rows.push_back(ColumnRow(table.name, columns[i], i + 1));
            }
        }
    }
    return std::make_unique<oledb::MemoryRowSource>(std::move(layout), std::move(rows));
}

std::unique_ptr<oledb::RowSource> IndexesSchema(Isam& isam, const oledb::Restrictions& restrictions) {
    auto layout = Layout({{"TABLE_CATALOG", oledb::DBTYPE_WSTR}, {"TABLE_SCHEMA", oledb::DBTYPE_WSTR},
                          {"TABLE_NAME", oledb::DBTYPE_WSTR}, {"INDEX_CATALOG", oledb::DBTYPE_WSTR},
                          {"INDEX_SCHEMA", oledb::DBTYPE_WSTR}, {"INDEX_NAME", oledb::DBTYPE_WSTR},
                          {"PRIMARY_KEY", oledb::DBTYPE_BOOL}, {"UNIQUE", oledb::DBTYPE_BOOL},
                          {"CLUSTERED", oledb::DBTYPE_BOOL}, {"TYPE", oledb::DBTYPE_UI2},
                          {"FILL_FACTOR", oledb::DBTYPE_I4}, {"INITIAL_SIZE", oledb::DBTYPE_I4},
                          {"NULLS", oledb::DBTYPE_I4}, {"SORT_BOOKMARKS", oledb::DBTYPE_BOOL},
                          {"AUTO_UPDATE", oledb::DBTYPE_BOOL}, {"NULL_COLLATION", oledb::DBTYPE_I4},
                          {"ORDINAL_POSITION", oledb::DBTYPE_UI4}, {"COLUMN_NAME", oledb::DBTYPE_WSTR},
                          {"COLUMN_GUID", oledb::DBTYPE_GUID}, {"COLUMN_PROPID", oledb::DBTYPE_UI4},
                          {"COLLATION", oledb::DBTYPE_I2}, {"CARDINALITY", oledb::DBTYPE_UI8},
                          {"PAGES", oledb::DBTYPE_I4}, {"FILTER_CONDITION", oledb::DBTYPE_WSTR},
                          {"INTEGRATED", oledb::DBTYPE_BOOL}});
    constexpr std::int64_t kBtreeIndex = 1;  // DBPROPVAL_IT_BTREE
    constexpr std::int64_t kAscending = 1;   // DB_COLLATION_ASC
    std::vector<std::vector<Value>> rows;
    const auto& type = Restriction(restrictions, 3);
    if (CatalogAndSchemaUnrestricted(restrictions, 0, 1) && (!type || *type == "1")) {
        const auto& indexName = Restriction(restrictions, 2);
        for (const auto& table : SelectedTables(isam, Restriction(restrictions, 4))) {
            if (table.kind == TableKind::View || table.kind == TableKind::Link) continue;
            for (const auto& index : isam.Indexes(table.name)) {
                if (!NameMatches(indexName, index.name)) continue;
                for (std::size_t i = 0; i < index.columns.size(); ++i) {
                    std::vector<Value> row(layout.size());
                    row[2] = Text(table.name);
                    row[5] = Text(index.name);
                    row[6] = Value{index.primaryKey};
                    row[7] = Value{index.unique};
                    row[8] = Value{false};
                    row[9] = Number(kBtreeIndex);
                    row[16] = Number(static_cast<std::int64_t>(i + 1));
                    row[17] = Text(index.columns[i]);
                    row[20] = Number(kAscending);
                    rows.push_back(std::move(row));
                }
            }
        }
    }
    return std::make_unique<oledb::MemoryRowSource>(std::move(layout), std::move(rows));
}

}  // namespace tabvex::jet
