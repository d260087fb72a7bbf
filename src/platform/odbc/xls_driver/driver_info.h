// SQLGetInfo's answers for a workbook connection, and which ODBC functions the
// driver has (SQLGetFunctions).
#pragma once

#include <sql.h>

#include "platform/odbc/xls_driver/connection.h"
#include "platform/odbc/xls_driver/diagnostics.h"

namespace tabvex::odbc::xls {

inline constexpr const char* kDriverFileName = "libtabvexodbcxls.so";
inline constexpr const char* kDriverVersion = "01.00.0000";

// SQL_ERROR with HY096 for an information type the driver does not answer.
SQLRETURN GetInfo(const Connection& connection, SQLUSMALLINT infoType, SQLPOINTER value, SQLSMALLINT bufferLength,
                  SQLSMALLINT* length, Diagnostics& diagnostics);

// SQL_API_ALL_FUNCTIONS (the ODBC 2 array of 100), SQL_API_ODBC3_ALL_FUNCTIONS (the
// bitmap) or one function id.
SQLRETURN GetFunctions(SQLUSMALLINT function, SQLUSMALLINT* supported);

}  // namespace tabvex::odbc::xls
