#include "platform/odbc/column_types.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>

namespace tabvex::odbc {
namespace {

using namespace tabvex::oledb;

DBTYPE OleDbTypeOf(SQLSMALLINT sqlType, SQLULEN columnSize) {
    switch (FetchKindOf(sqlType, columnSize)) {
        case FetchKind::Integer:
            switch (sqlType) {
                case SQL_TINYINT: return DBTYPE_I1;
                case SQL_SMALLINT: return DBTYPE_I2;
                case SQL_INTEGER: return DBTYPE_I4;
                default: return DBTYPE_I8;
            }
        case FetchKind::Bit: return DBTYPE_BOOL;
        case FetchKind::Real: return DBTYPE_R4;
        case FetchKind::Double: return DBTYPE_R8;
        case FetchKind::Decimal: return DBTYPE_NUMERIC;
        case FetchKind::DateTime: return DBTYPE_DBTIMESTAMP;
        case FetchKind::Text: return DBTYPE_WSTR;
        case FetchKind::Binary: return DBTYPE_BYTES;
        case FetchKind::Guid: return DBTYPE_GUID;
    }
    return DBTYPE_WSTR;
}

bool IsVariableLength(SQLSMALLINT sqlType) {
    return sqlType == SQL_VARCHAR || sqlType == SQL_WVARCHAR || sqlType == SQL_VARBINARY || sqlType == SQL_LONGVARCHAR ||
           sqlType == SQL_WLONGVARCHAR || sqlType == SQL_LONGVARBINARY;
}

bool IsLong(SQLSMALLINT sqlType, SQLULEN columnSize) {
    return sqlType == SQL_LONGVARCHAR || sqlType == SQL_WLONGVARCHAR || sqlType == SQL_LONGVARBINARY ||
           (IsVariableLength(sqlType) && columnSize == 0);
}

}  // namespace

FetchKind FetchKindOf(SQLSMALLINT sqlType, SQLULEN columnSize) {
    constexpr SQLULEN kRealDigits = 7;
    switch (sqlType) {
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT: return FetchKind::Integer;
        case SQL_BIT: return FetchKind::Bit;
        case SQL_REAL: return FetchKind::Real;
        case SQL_FLOAT: return columnSize != 0 && columnSize <= kRealDigits ? FetchKind::Real : FetchKind::Double;
        case SQL_DOUBLE: return FetchKind::Double;
        case SQL_DECIMAL:
        case SQL_NUMERIC: return FetchKind::Decimal;
        case SQL_DATE:
        case SQL_TIME:
        case SQL_TIMESTAMP:
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIME:
        case SQL_TYPE_TIMESTAMP: return FetchKind::DateTime;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY: return FetchKind::Binary;
        case SQL_GUID: return FetchKind::Guid;
        default: return FetchKind::Text;
    }
}

SchemaColumn DescribeColumn(const OdbcColumnDescription& column) {
    SchemaColumn described;
    described.name = column.name;
    described.type = OleDbTypeOf(column.sqlType, column.columnSize);
    bool isLong = IsLong(column.sqlType, column.columnSize);
    described.nullable = column.nullable != SQL_NO_NULLS;
    described.flags = DBCOLUMNFLAGS_WRITEUNKNOWN;
    if (!IsVariableLength(column.sqlType)) described.flags |= DBCOLUMNFLAGS_ISFIXEDLENGTH;
    if (column.nullable == SQL_NULLABLE) described.flags |= DBCOLUMNFLAGS_ISNULLABLE;
    if (described.nullable) described.flags |= DBCOLUMNFLAGS_MAYBENULL;
    if (isLong) described.flags |= DBCOLUMNFLAGS_ISLONG;
    bool sized = described.type == DBTYPE_WSTR || described.type == DBTYPE_BYTES;
    if (sized && !isLong) described.maxLength = column.columnSize;
    if (described.type == DBTYPE_NUMERIC) {
        described.precision = static_cast<std::uint8_t>(std::min<SQLULEN>(column.columnSize, 255));
        described.scale = static_cast<std::uint8_t>(std::clamp<SQLSMALLINT>(column.decimalDigits, 0, 255));
    }
    return described;
}

void TakeAccessNullability(OdbcColumnDescription& column) {
    column.nullable = column.sqlType == SQL_BIT ? SQL_NO_NULLS : SQL_NULLABLE;
}

}  // namespace tabvex::odbc
