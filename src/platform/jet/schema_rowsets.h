// The schema rowsets the Jet provider offers over an ISAM: TABLES, COLUMNS and
// INDEXES with OLE DB's column layout and restriction order. Names in restrictions
// match without regard to case, as Jet compares names; a TABLE_TYPE restriction
// matches exactly. CATALOGS is not offered: a file has no catalogs.
#pragma once

#include <memory>

#include "platform/jet/isam.h"
#include "platform/oledb/row_source.h"
#include "platform/oledb/session.h"

namespace tabvex::jet {

// Restrictions: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE.
std::unique_ptr<oledb::RowSource> TablesSchema(Isam& isam, const oledb::Restrictions& restrictions);
// Restrictions: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME. Columns of each
// table come in their table order, so a statement built from them lines up with
// the rows a query returns.
std::unique_ptr<oledb::RowSource> ColumnsSchema(Isam& isam, const oledb::Restrictions& restrictions);
// Restrictions: TABLE_CATALOG, TABLE_SCHEMA, INDEX_NAME, TYPE, TABLE_NAME; one row
// per index column.
std::unique_ptr<oledb::RowSource> IndexesSchema(Isam& isam, const oledb::Restrictions& restrictions);

// TABLE_TYPE text of a table kind.
const char* TableTypeName(TableKind kind);

}  // namespace tabvex::jet
