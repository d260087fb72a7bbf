// The Create Table statement a source table becomes on the target (every column a
// text column), and the type names a backup script gives a workbook's columns.
#pragma once

#include <cstddef>
#include <string>

#include "app/output.h"
#include "connect/connection_holder.h"
#include "platform/oledb/db_types.h"

namespace tabvex::adapters {

inline constexpr const char* kCreateTableError = "ERROR!!!";

// The statement that creates the worksheet table `sheet` with the columns of the
// source's `table`, or kCreateTableError: without a connection, when the columns
// cannot be listed, when the source has no such table, or when a column's name cannot
// be written in a statement (the last two with their "E::" line).
std::string BuildExcelCreateTable(app::Output& output, const connect::ConnectionHolder& source,
                                  const std::string& table, const std::string& sheet);

// Type names for a workbook reached through Jet and through the ODBC Excel driver.
std::string ExcelTypeNameJet(oledb::DBCOLUMNFLAGS flags, oledb::DBTYPE type, std::size_t length);
std::string ExcelTypeNameOdbc(oledb::DBCOLUMNFLAGS flags, oledb::DBTYPE type, std::size_t length);

}  // namespace tabvex::adapters
