#include "platform/odbc/xls_driver/column_attribute.h"

#include <sqlext.h>

namespace tabvex::odbc::xls {
namespace {

bool IsText(SQLSMALLINT type) { return type == SQL_VARCHAR || type == SQL_LONGVARCHAR || type == SQL_CHAR; }

}  // namespace

SQLLEN OctetLength(const ResultColumn& column) {
    switch (column.sqlType) {
        case SQL_DOUBLE: return sizeof(double);
        case SQL_REAL: return sizeof(float);
        case SQL_INTEGER: return sizeof(SQLINTEGER);
        case SQL_SMALLINT: return sizeof(SQLSMALLINT);
        case SQL_BIGINT: return sizeof(SQLBIGINT);
        case SQL_BIT:
        case SQL_TINYINT: return 1;
        case SQL_TYPE_TIMESTAMP: return sizeof(SQL_TIMESTAMP_STRUCT);
        case SQL_DECIMAL:
        case SQL_NUMERIC: return static_cast<SQLLEN>(column.size) + 2;
        default: return static_cast<SQLLEN>(column.size) * (IsText(column.sqlType) ? 3 : 1);
    }
}

SQLLEN DisplaySize(const ResultColumn& column) {
    switch (column.sqlType) {
        case SQL_DOUBLE: return 24;
        case SQL_REAL: return 14;
        case SQL_INTEGER: return 11;
        case SQL_SMALLINT: return 6;
        case SQL_BIGINT: return 20;
        case SQL_BIT: return 1;
        case SQL_TINYINT: return 4;
        case SQL_TYPE_TIMESTAMP: return 19;
        case SQL_DECIMAL:
        case SQL_NUMERIC: return static_cast<SQLLEN>(column.size) + 2;
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY: return static_cast<SQLLEN>(column.size) * 2;
        default: return static_cast<SQLLEN>(column.size);
    }
}

std::optional<ColumnAttribute> ColumnAttributeOf(const ResultColumn& column, SQLUSMALLINT field,
                                                 SQLSMALLINT columnCount) {
    const bool number = !IsText(column.sqlType) && column.sqlType != SQL_TYPE_TIMESTAMP &&
                        column.sqlType != SQL_VARBINARY && column.sqlType != SQL_LONGVARBINARY &&
                        column.sqlType != SQL_GUID;
    switch (field) {
        case SQL_DESC_COUNT:
        case SQL_COLUMN_COUNT: return SQLLEN{columnCount};
        case SQL_DESC_NAME:
        case SQL_COLUMN_NAME:
        case SQL_DESC_LABEL:
        case SQL_DESC_BASE_COLUMN_NAME: return column.name;
        case SQL_DESC_TABLE_NAME:
        case SQL_DESC_BASE_TABLE_NAME:
        case SQL_DESC_CATALOG_NAME:
        case SQL_DESC_SCHEMA_NAME:
        case SQL_DESC_LITERAL_SUFFIX:
        case SQL_DESC_LOCAL_TYPE_NAME: return std::string();
        case SQL_DESC_LITERAL_PREFIX: return std::string(IsText(column.sqlType) ? "'" : "");
        case SQL_DESC_TYPE_NAME: return std::string(SqlTypeName(column.sqlType));
        case SQL_DESC_TYPE:
            return SQLLEN{column.sqlType == SQL_TYPE_TIMESTAMP ? SQL_DATETIME : column.sqlType};
        case SQL_DESC_CONCISE_TYPE:  // the same field as SQL_COLUMN_TYPE
            return SQLLEN{column.sqlType};
        case SQL_DESC_LENGTH:
        case SQL_COLUMN_PRECISION:
        case SQL_DESC_PRECISION: return static_cast<SQLLEN>(column.size);
        case SQL_COLUMN_LENGTH:
        case SQL_DESC_OCTET_LENGTH: return OctetLength(column);
        case SQL_DESC_DISPLAY_SIZE: return DisplaySize(column);
        case SQL_COLUMN_SCALE:
        case SQL_DESC_SCALE: return SQLLEN{column.digits};
        case SQL_DESC_NULLABLE:
        case SQL_COLUMN_NULLABLE: return SQLLEN{column.nullable};
        case SQL_DESC_UNSIGNED: return SQLLEN{number ? SQL_FALSE : SQL_TRUE};
        case SQL_DESC_AUTO_UNIQUE_VALUE: return SQLLEN{SQL_FALSE};
        case SQL_DESC_UPDATABLE: return SQLLEN{SQL_ATTR_READONLY};
        case SQL_DESC_SEARCHABLE: return SQLLEN{IsText(column.sqlType) ? SQL_PRED_SEARCHABLE : SQL_PRED_BASIC};
        case SQL_DESC_CASE_SENSITIVE: return SQLLEN{SQL_FALSE};
        case SQL_DESC_FIXED_PREC_SCALE: return SQLLEN{column.sqlType == SQL_DECIMAL ? SQL_TRUE : SQL_FALSE};
        case SQL_DESC_NUM_PREC_RADIX: return SQLLEN{number ? 10 : 0};
        case SQL_DESC_UNNAMED: return SQLLEN{column.name.empty() ? SQL_UNNAMED : SQL_NAMED};
        default: return std::nullopt;
    }
}

}  // namespace tabvex::odbc::xls
