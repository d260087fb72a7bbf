#include "platform/odbc/xls_driver/result_set.h"

#include <sqlext.h>

#include "platform/xls/limits.h"

namespace tabvex::odbc::xls {

using namespace tabvex::oledb;

namespace {

// Room for the longest cell text in UTF-8 (three bytes for each UTF-16 unit) and its
// terminating zero, so that no value arrives cut.
constexpr std::size_t kCellTextBytes = ::tabvex::xls::kMaxCellText * 3 + 1;

struct SqlTypeOf {
    SQLSMALLINT type;
    SQLULEN size;
    SQLSMALLINT digits;
};

SqlTypeOf TypeOf(const DBCOLUMNINFO& column) {
    switch (column.type) {
        case DBTYPE_I2: return {SQL_SMALLINT, 5, 0};
        case DBTYPE_I4: return {SQL_INTEGER, 10, 0};
        case DBTYPE_I8: return {SQL_BIGINT, 19, 0};
        case DBTYPE_UI1: return {SQL_TINYINT, 3, 0};
        case DBTYPE_R4: return {SQL_REAL, 7, 0};
        case DBTYPE_R8: return {SQL_DOUBLE, 15, 0};
        case DBTYPE_CY: return {SQL_DECIMAL, 19, 4};
        case DBTYPE_NUMERIC: return {SQL_NUMERIC, column.precision, static_cast<SQLSMALLINT>(column.scale)};
        case DBTYPE_DATE:
        case DBTYPE_DBTIMESTAMP: return {SQL_TYPE_TIMESTAMP, 19, 0};
        case DBTYPE_BOOL: return {SQL_BIT, 1, 0};
        case DBTYPE_GUID: return {SQL_GUID, 36, 0};
        case DBTYPE_BYTES:
            if (column.flags & DBCOLUMNFLAGS_ISLONG) return {SQL_LONGVARBINARY, 1073741823, 0};
            return {SQL_VARBINARY, column.columnSize ? column.columnSize : 255, 0};
        default:
            if (column.flags & DBCOLUMNFLAGS_ISLONG || column.columnSize == 0) {
                return {SQL_LONGVARCHAR, ::tabvex::xls::kMaxCellText, 0};
            }
            return {SQL_VARCHAR, column.columnSize, 0};
    }
}

}  // namespace

ResultColumn DescribeProviderColumn(const DBCOLUMNINFO& column) {
    SqlTypeOf type = TypeOf(column);
    ResultColumn result;
    result.name = column.name;
    result.sqlType = type.type;
    result.size = type.size;
    result.digits = type.digits;
    result.nullable = column.flags & (DBCOLUMNFLAGS_ISNULLABLE | DBCOLUMNFLAGS_MAYBENULL) ? SQL_NULLABLE : SQL_NO_NULLS;
    result.providerType = column.type;
    return result;
}

const char* SqlTypeName(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_LONGVARCHAR: return "LONGCHAR";
        case SQL_DOUBLE: return "NUMBER";
        case SQL_DECIMAL: return "CURRENCY";
        case SQL_TYPE_TIMESTAMP: return "DATETIME";
        case SQL_BIT: return "BIT";
        case SQL_INTEGER: return "INTEGER";
        case SQL_SMALLINT: return "SMALLINT";
        case SQL_BIGINT: return "BIGINT";
        case SQL_VARBINARY: return "VARBINARY";
        case SQL_LONGVARBINARY: return "LONGBINARY";
        default: return "VARCHAR";
    }
}

FetchOutcome MemoryResultSet::Next(Diagnostics&) {
    if (next_ >= rows_.size()) {
        next_ = rows_.size() + 1;
        return FetchOutcome::End;
    }
    ++next_;
    return FetchOutcome::Row;
}

std::optional<std::string_view> MemoryResultSet::Value(std::size_t column) const {
    if (next_ == 0 || next_ > rows_.size() || column >= rows_[next_ - 1].size()) return std::nullopt;
    const auto& value = rows_[next_ - 1][column];
    if (!value) return std::nullopt;
    return std::string_view(*value);
}

RowsetResultSet::RowsetResultSet(std::shared_ptr<Session> session, std::shared_ptr<Rowset> rowset,
                                 std::vector<ResultColumn> columns)
    : session_(std::move(session)), rowset_(std::move(rowset)), columns_(std::move(columns)), reader_(kCellTextBytes) {}

std::unique_ptr<RowsetResultSet> RowsetResultSet::Open(std::shared_ptr<Session> session, std::shared_ptr<Rowset> rowset,
                                                       Diagnostics& diagnostics) {
    std::vector<DBCOLUMNINFO> providerColumns;
    HRESULT result = oledb::TextRowReader::DataColumns(*rowset, providerColumns);
    if (Failed(result)) {
        diagnostics.AddProviderFailure(result, "The result's columns cannot be read.");
        return nullptr;
    }
    std::vector<ResultColumn> columns;
    for (const auto& column : providerColumns) columns.push_back(DescribeProviderColumn(column));
    // An empty worksheet has no columns, but an ODBC result needs one: it reads as a
    // single column of nothing, named as the ISAM names an empty header cell.
    if (columns.empty()) columns.push_back(ResultColumn{"F1", SQL_VARCHAR, 255, 0, SQL_NULLABLE, DBTYPE_WSTR});
    std::unique_ptr<RowsetResultSet> resultSet(new RowsetResultSet(std::move(session), rowset, std::move(columns)));
    const char* failedStep = "";
    result = resultSet->reader_.Bind(*rowset, providerColumns, failedStep);
    if (Failed(result)) {
        diagnostics.AddProviderFailure(result, std::string("The result's columns cannot be bound (") + failedStep + ").");
        return nullptr;
    }
    return resultSet;
}

std::optional<std::string_view> RowsetResultSet::Value(std::size_t column) const {
    if (column >= reader_.size()) return std::nullopt;
    return reader_.value(column);
}

FetchOutcome RowsetResultSet::Next(Diagnostics& diagnostics) {
    HRESULT result = reader_.Next();
    if (result == S_OK) return FetchOutcome::Row;
    if (result == DB_S_ENDOFROWSET) return FetchOutcome::End;
    diagnostics.AddProviderFailure(result, "The next row cannot be read.");
    return FetchOutcome::Failed;
}

}  // namespace tabvex::odbc::xls
