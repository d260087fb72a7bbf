#include "platform/jet/schema_rowsets.h"

#include <string>
#include <vector>

#include "platform/oledb/schema_rows.h"

namespace tabvex::jet {
namespace {

using oledb::NameMatches;
using oledb::RestrictionAt;
using oledb::Value;

// Catalog and schema are NULL in every row: a restriction on them keeps nothing.
bool CatalogAndSchemaUnrestricted(const oledb::Restrictions& restrictions, std::size_t catalog,
                                  std::size_t schema) {
    return !RestrictionAt(restrictions, catalog) && !RestrictionAt(restrictions, schema);
}

// The tables an optional TABLE_NAME restriction selects, in the ISAM's order.
std::vector<IsamTable> SelectedTables(Isam& isam, const std::optional<std::string>& tableName) {
    std::vector<IsamTable> selected;
    for (auto& table : isam.Tables()) {
        if (NameMatches(tableName, table.name)) selected.push_back(std::move(table));
    }
    return selected;
}

oledb::SchemaTableName NameOf(const IsamTable& table) { return {std::nullopt, std::nullopt, table.name}; }

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
    std::vector<std::vector<Value>> rows;
    if (CatalogAndSchemaUnrestricted(restrictions, 0, 1)) {
        const auto& type = RestrictionAt(restrictions, 3);
        for (const auto& table : SelectedTables(isam, RestrictionAt(restrictions, 2))) {
            if (type && *type != TableTypeName(table.kind)) continue;
            rows.push_back(oledb::TablesRow(NameOf(table), TableTypeName(table.kind)));
        }
    }
    return std::make_unique<oledb::MemoryRowSource>(oledb::TablesLayout(), std::move(rows));
}

std::unique_ptr<oledb::RowSource> ColumnsSchema(Isam& isam, const oledb::Restrictions& restrictions) {
    std::vector<std::vector<Value>> rows;
    if (CatalogAndSchemaUnrestricted(restrictions, 0, 1)) {
        const auto& columnName = RestrictionAt(restrictions, 3);
        for (const auto& table : SelectedTables(isam, RestrictionAt(restrictions, 2))) {
            auto columns = isam.Columns(table.name);
            for (std::size_t i = 0; i < columns.size(); ++i) {
                if (NameMatches(columnName, columns[i].name)) {
                    rows.push_back(oledb::ColumnsRow(NameOf(table), columns[i], i + 1));
                }
            }
        }
    }
    return std::make_unique<oledb::MemoryRowSource>(oledb::ColumnsLayout(), std::move(rows));
}

std::unique_ptr<oledb::RowSource> IndexesSchema(Isam& isam, const oledb::Restrictions& restrictions) {
    std::vector<std::vector<Value>> rows;
    const auto& type = RestrictionAt(restrictions, 3);
    if (CatalogAndSchemaUnrestricted(restrictions, 0, 1) && (!type || *type == "1")) {
        const auto& indexName = RestrictionAt(restrictions, 2);
        for (const auto& table : SelectedTables(isam, RestrictionAt(restrictions, 4))) {
            if (table.kind == TableKind::View || table.kind == TableKind::Link) continue;
            for (const auto& index : isam.Indexes(table.name)) {
                if (!NameMatches(indexName, index.name)) continue;
                for (std::size_t i = 0; i < index.columns.size(); ++i) {
                    rows.push_back(oledb::IndexesRow(
                        NameOf(table), {index.name, index.primaryKey, index.unique, i + 1, index.columns[i]}));
                }
            }
        }
    }
    return std::make_unique<oledb::MemoryRowSource>(oledb::IndexesLayout(), std::move(rows));
}

}  // namespace tabvex::jet
