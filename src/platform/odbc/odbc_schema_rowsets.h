// The schema rowsets of the ODBC provider, read from the driver's catalog
// functions into OLE DB's layouts (platform/oledb/schema_rows.h), with the same
// restriction order as the Jet provider's: CATALOGS from SQLTables(SQL_ALL_CATALOGS),
// TABLES from SQLTables (ODBC's table types such as "SYSTEM TABLE" pass through),
// COLUMNS from SQLColumns, INDEXES from SQLStatistics (statistics rows skipped;
// primary keys from SQLPrimaryKeys where the driver has it). Name restrictions
// are handed to the driver and then matched exactly, without regard to case, as
// ODBC treats them as patterns ('_' matches any character); TABLE_TYPE matches
// exactly. A failing ODBC call is thrown as OdbcError.
#pragma once

#include <memory>

#include "platform/odbc/odbc_handles.h"
#include "platform/oledb/row_source.h"
#include "platform/oledb/session.h"

namespace tabvex::odbc {

// Restriction: CATALOG_NAME. A driver that lists no catalogs (mdbtools' answers
// SQL_ALL_CATALOGS with its tables) works in one, `currentCatalog`, the one row then.
std::unique_ptr<oledb::RowSource> CatalogsSchema(const std::shared_ptr<Connection>& connection,
                                                 const oledb::Restrictions& restrictions,
                                                 const std::string& currentCatalog);
// Restrictions: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE.
std::unique_ptr<oledb::RowSource> TablesSchema(const std::shared_ptr<Connection>& connection,
                                               const oledb::Restrictions& restrictions);
// Restrictions: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME.
std::unique_ptr<oledb::RowSource> ColumnsSchema(const std::shared_ptr<Connection>& connection,
                                                const oledb::Restrictions& restrictions);
// Restrictions: TABLE_CATALOG, TABLE_SCHEMA, INDEX_NAME, TYPE, TABLE_NAME.
std::unique_ptr<oledb::RowSource> IndexesSchema(const std::shared_ptr<Connection>& connection,
                                                const oledb::Restrictions& restrictions);

}  // namespace tabvex::odbc
