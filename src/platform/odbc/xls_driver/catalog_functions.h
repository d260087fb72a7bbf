// The catalog functions' result sets, with the columns ODBC 3 lists for each, read
// from the Jet session's schema rowsets. Empty arguments are passed as nullopt
// when the application gave a null pointer.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/odbc/xls_driver/connection.h"
#include "platform/odbc/xls_driver/diagnostics.h"
#include "platform/odbc/xls_driver/result_set.h"

namespace tabvex::odbc::xls {

using Argument = std::optional<std::string>;

// Which date type number DATA_TYPE columns give: an application that declared ODBC 2
// knows timestamps as SQL_TIMESTAMP (11), not SQL_TYPE_TIMESTAMP (93).
enum class DateTypeNumbers { Odbc3, Odbc2 };

// Each returns nullptr with diagnostics when the workbook cannot answer.
std::unique_ptr<ResultSet> TablesResult(const Connection& connection, const Argument& catalog, const Argument& schema,
                                        const Argument& table, const Argument& types, Diagnostics& diagnostics);
std::unique_ptr<ResultSet> ColumnsResult(const Connection& connection, const Argument& table, const Argument& column,
                                         DateTypeNumbers dates, Diagnostics& diagnostics);
std::unique_ptr<ResultSet> StatisticsResult(const Connection& connection, const Argument& table, bool uniqueOnly,
                                            Diagnostics& diagnostics);
// The column types a workbook has, named as CREATE TABLE takes them; SQL_ALL_TYPES
// or one SQL type.
std::unique_ptr<ResultSet> TypeInfoResult(SQLSMALLINT sqlType, DateTypeNumbers dates);
// A workbook has no keys or row identifiers: these sets are empty.
std::unique_ptr<ResultSet> PrimaryKeysResult();
std::unique_ptr<ResultSet> SpecialColumnsResult();

}  // namespace tabvex::odbc::xls
