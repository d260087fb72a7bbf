// A bound parameter value written as a Jet SQL literal, so that the statement can run
// with the value in place of its marker. The C type says how to read the value; the
// SQL type says what it is taken as: text ('…' with quotes doubled), a number, a
// truth value (True/False) or a date (#…#).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include <sql.h>
#include <sqlext.h>

#include "platform/odbc/xls_driver/diagnostics.h"

namespace tabvex::odbc::xls {

// One parameter value where the application left it.
struct ParameterValue {
    SQLSMALLINT cType = SQL_C_CHAR;  // never SQL_C_DEFAULT
    SQLSMALLINT sqlType = SQL_VARCHAR;
    const void* data = nullptr;
    SQLLEN bufferLength = 0;
    // The length/indicator; nullopt when none was bound: never NULL, text ends with a zero.
    std::optional<SQLLEN> indicator;
};

// Whether values of this C type can be read as parameters (not SQL_C_DEFAULT).
bool IsSupportedParameterCType(SQLSMALLINT cType);

// The bytes one value of a fixed-size C type takes; 0 for text, whose buffers are as
// long as the application binds them.
std::size_t FixedCTypeSize(SQLSMALLINT cType);

// Nullptr when values can be taken as this SQL type; else the SQLSTATE refusing it:
// HYC00 for binary, GUID and interval types, HY004 for a number that names no type.
const char* RefusalOfParameterSqlType(SQLSMALLINT sqlType);

// The literal ("NULL" for SQL_NULL_DATA), or nullopt with a diagnostic naming
// parameter `number`: 22018 for text that is no number, 22003 for an infinite or NaN
// number, 07006 for a date taken as a number or the other way round, HY090 for a
// negative length, HYC00 for a value sent at execution, HY009 for a missing buffer.
std::optional<std::string> JetLiteralOf(const ParameterValue& value, std::size_t number, Diagnostics& diagnostics);

}  // namespace tabvex::odbc::xls
