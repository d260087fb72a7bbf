// Writes a result value (its text, typed by the column) into an application's
// buffer as a C type: text in pieces across SQLGetData calls, UTF-16 for wide
// text, numbers, bits, timestamps and bytes where the value converts.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include <sql.h>
#include <sqlext.h>

#include "platform/odbc/xls_driver/diagnostics.h"
#include "platform/odbc/xls_driver/result_set.h"

namespace tabvex::odbc::xls {

struct CTarget {
    SQLSMALLINT type = SQL_C_CHAR;
    SQLPOINTER buffer = nullptr;
    SQLLEN bufferLength = 0;
    SQLLEN* indicator = nullptr;
};

// The C type SQL_C_DEFAULT stands for with a column of this SQL type.
SQLSMALLINT DefaultCType(SQLSMALLINT sqlType);

// Whether values can be written as this C type.
bool IsSupportedCType(SQLSMALLINT type);

// Writes the value; `offset` is where the previous call on the same value stopped
// (bytes of text or binary, UTF-16 units of wide text) and moves past what was
// written. SQL_SUCCESS_WITH_INFO with 01004 when text was cut, SQL_NO_DATA when a
// piecewise value was already read whole, SQL_ERROR with 22018/22003 when the value
// does not convert.
SQLRETURN WriteCValue(const ResultColumn& column, std::optional<std::string_view> value, const CTarget& target,
                      std::size_t& offset, Diagnostics& diagnostics);

}  // namespace tabvex::odbc::xls
