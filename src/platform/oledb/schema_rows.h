// The schema rowsets' columns as OLE DB lays them out (CATALOGS, TABLES, COLUMNS,
// INDEXES) and the rows the providers fill them with, so that every provider
// reports the same columns in the same places and in the same restriction order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/oledb/db_types.h"
#include "platform/oledb/session.h"
#include "platform/oledb/value.h"

namespace tabvex::oledb {

// Where a table is: catalog and schema are NULL for providers without them.
struct SchemaTableName {
    std::optional<std::string> catalog;
    std::optional<std::string> schema;
    std::string name;
};

// One column as the COLUMNS schema rowset and a command rowset report it.
struct SchemaColumn {
    std::string name;
    DBTYPE type = DBTYPE_WSTR;
    DBCOLUMNFLAGS flags = 0;
    std::size_t maxLength = 0;  // characters for text, bytes for binary, 0 otherwise
    std::uint8_t precision = 0;
    std::uint8_t scale = 0;
    bool nullable = true;
    std::optional<std::string> defaultValue;  // the default's text when the column has one
};

// One column of one index (the INDEXES schema rowset has a row per index column).
struct SchemaIndexColumn {
    std::string indexName;
    bool primaryKey = false;
    bool unique = false;
    std::size_t ordinal = 0;  // the column's place in the key, from 1
    std::string columnName;
};

std::vector<DBCOLUMNINFO> CatalogsLayout();  // restriction: CATALOG_NAME
std::vector<DBCOLUMNINFO> TablesLayout();    // TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE
std::vector<DBCOLUMNINFO> ColumnsLayout();   // TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME
std::vector<DBCOLUMNINFO> IndexesLayout();   // TABLE_CATALOG, TABLE_SCHEMA, INDEX_NAME, TYPE, TABLE_NAME

std::vector<Value> CatalogsRow(const std::string& catalog, const std::optional<std::string>& description);
std::vector<Value> TablesRow(const SchemaTableName& table, const std::string& type,
                             const std::optional<std::string>& description = std::nullopt);
std::vector<Value> ColumnsRow(const SchemaTableName& table, const SchemaColumn& column, std::size_t ordinal);
std::vector<Value> IndexesRow(const SchemaTableName& table, const SchemaIndexColumn& column);

// Restriction `index`, nullopt when absent (VT_EMPTY restricts nothing).
const std::optional<std::string>& RestrictionAt(const Restrictions& restrictions, std::size_t index);
// Whether a name passes a name restriction; names compare without regard to case.
bool NameMatches(const std::optional<std::string>& restriction, const std::string& name);

}  // namespace tabvex::oledb
