// ODBC SQL types as this provider reports them in OLE DB terms, chosen so that an
// Access column reads as the Jet provider describes it: integers by width
// (TINYINT as DBTYPE_I1), REAL as R4, FLOAT/DOUBLE as R8, DECIMAL/NUMERIC (currency)
// as NUMERIC, dates and times as DBTIMESTAMP, all character types as WSTR, binary
// as BYTES, GUID as GUID. Column flags: WRITEUNKNOWN always, ISFIXEDLENGTH for
// fixed-size types, ISNULLABLE|MAYBENULL for nullable columns, ISLONG for the LONG
// types and for variable-length columns of unknown size (mdbtools reports memos
// as VARCHAR of size 0); the maximum length is the size in characters (text) or
// bytes (binary), 0 for long and fixed-size types.
#pragma once

#include <sql.h>

#include <cstddef>
#include <string>

#include "platform/oledb/schema_rows.h"

namespace tabvex::odbc {

// How a column's values are read from the driver.
enum class FetchKind { Integer, Bit, Real, Double, Decimal, DateTime, Text, Binary, Guid };

// FLOAT of at most 7 digits' precision is read as REAL: mdbtools' driver reports
// Single columns so (with the size in bytes, 4) and gives their values as floats.
FetchKind FetchKindOf(SQLSMALLINT sqlType, SQLULEN columnSize);

struct OdbcColumnDescription {
    std::string name;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN columnSize = 0;
    SQLSMALLINT decimalDigits = 0;
    SQLSMALLINT nullable = SQL_NULLABLE_UNKNOWN;
};

oledb::SchemaColumn DescribeColumn(const OdbcColumnDescription& column);

// For a driver that does not know which columns take NULL: the columns are taken
// to be as Access makes them unless told otherwise, nullable except Yes/No (BIT),
// so that they are described as the Jet provider describes them.
void TakeAccessNullability(OdbcColumnDescription& column);

}  // namespace tabvex::odbc
