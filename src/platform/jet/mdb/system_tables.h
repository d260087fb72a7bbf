// The system tables a new database carries and the catalog (MSysObjects) rows that
// name every object: the containers Jet expects, the system tables, the user tables
// and the documents (forms, reports, macros, modules) with their containers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/jet/mdb/database_writer.h"
#include "platform/jet/mdb/row_cursor.h"
#include "platform/jet/mdb/table_layout.h"

namespace tabvex::mdb {

struct SystemTableSpec {
    std::string name;
    std::vector<ColumnSpec> columns;
};

// MSysObjects first (its definition must sit on page 2), then the other system tables.
const std::vector<SystemTableSpec>& SystemTables();

// A table (its Id is its definition's page) or a document (any Id; nullopt takes
// the next of the numbers Access gives its documents, 0x80000000 upwards).
struct CatalogObject {
    std::string name;
    std::optional<DocumentKind> document;
    std::optional<std::int32_t> id;
    bool system = false;
};

// The rows of MSysObjects, in the column order of SystemTables()[0], for the given
// objects in their order (the containers of documents only when there are any);
// `createdText` is the creation time as the date text of the rows.
std::vector<std::vector<Value>> CatalogRows(const std::vector<CatalogObject>& objects, const std::string& createdText);

}  // namespace tabvex::mdb
