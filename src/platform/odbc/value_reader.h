// Reads one column of the current row with SQLGetData by its kind and gives the
// value the Jet provider gives for the same Access value, so that both read the
// same as text: integers as int64 (read as text), REAL through the float's shortest text (as Jet
// reads a Single), FLOAT/DOUBLE as double, DECIMAL/NUMERIC as exact Decimal text
// without trailing zeros ("32.3800" -> "32.38", "5.0000" -> "5"), dates as
// DateTime, character data as UTF-8 text and binary data as Bytes (both in
// chunks, of any length), GUIDs as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
// Failures are thrown as OdbcError.
#pragma once

#include <string>

#include "platform/odbc/column_types.h"
#include "platform/odbc/odbc_handles.h"
#include "platform/oledb/value.h"

namespace tabvex::odbc {

oledb::Value ReadValue(const Statement& statement, SQLUSMALLINT column, FetchKind kind);

// A driver's decimal text in plain notation without trailing fraction zeros.
std::string NormalizedDecimalText(const std::string& text);

}  // namespace tabvex::odbc
