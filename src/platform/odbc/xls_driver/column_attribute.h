// SQLColAttribute's fields of a result column: text fields and numeric ones.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include <sql.h>

#include "platform/odbc/xls_driver/result_set.h"

namespace tabvex::odbc::xls {

using ColumnAttribute = std::variant<std::string, SQLLEN>;

// nullopt for a field identifier the driver does not know (HY091).
std::optional<ColumnAttribute> ColumnAttributeOf(const ResultColumn& column, SQLUSMALLINT field,
                                                 SQLSMALLINT columnCount);

// The characters needed to show a value of the column (SQL_DESC_DISPLAY_SIZE).
SQLLEN DisplaySize(const ResultColumn& column);
// The bytes a value takes in its default C type (text as UTF-8, up to three bytes a
// character).
SQLLEN OctetLength(const ResultColumn& column);

}  // namespace tabvex::odbc::xls
