// The system tables a new database carries and the catalog (MSysObjects) rows that
// name every object: the containers Jet expects, the system tables and the user tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/jet/mdb/row_cursor.h"
#include "platform/jet/mdb/table_layout.h"

namespace tabvex::mdb {

struct SystemTableSpec {
    std::string name;
    std::vector<ColumnSpec> columns;
};

// MSysObjects first (its definition must sit on page 2), then the other system tables.
const std::vector<SystemTableSpec>& SystemTables();

struct CatalogObject {
    std::string name;
    std::uint32_t definitionPage = 0;
    bool system = false;
};

// The rows of MSysObjects, in the column order of SystemTables()[0], for the given
// tables; `createdText` is the creation time as the date text of the rows.
std::vector<std::vector<Value>> CatalogRows(const std::vector<CatalogObject>& tables, const std::string& createdText);

}  // namespace tabvex::mdb
