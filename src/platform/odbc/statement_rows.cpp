#include "platform/odbc/statement_rows.h"

#include <sqlext.h>

#include "platform/odbc/value_reader.h"

namespace tabvex::odbc {

OdbcColumnDescription DescribeResultColumn(const Statement& statement, SQLUSMALLINT column) {
    SQLCHAR name[512] = {};
    SQLSMALLINT nameLength = 0;
    OdbcColumnDescription description;
    statement.Check(SQLDescribeCol(statement.handle(), column, name, sizeof name, &nameLength, &description.sqlType,
                                   &description.columnSize, &description.decimalDigits, &description.nullable),
                    "SQLDescribeCol");
    description.name = reinterpret_cast<const char*>(name);
    if (!statement.connection().KnowsNullability()) TakeAccessNullability(description);
    return description;
}

StatementRows::StatementRows(std::unique_ptr<Statement> statement) : statement_(std::move(statement)) {
    SQLSMALLINT count = 0;
    statement_->Check(SQLNumResultCols(statement_->handle(), &count), "SQLNumResultCols");
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
        OdbcColumnDescription description = DescribeResultColumn(*statement_, i);
        oledb::SchemaColumn column = DescribeColumn(description);
        oledb::DBCOLUMNINFO info;
        info.name = column.name;
        info.ordinal = i;
        info.flags = column.flags;
        info.columnSize = column.maxLength != 0 ? column.maxLength : description.columnSize;
        info.type = column.type;
        info.precision = column.precision;
        info.scale = column.scale;
        columns_.push_back(std::move(info));
        kinds_.push_back(FetchKindOf(description.sqlType, description.columnSize));
    }
}

bool StatementRows::Next(std::vector<oledb::Value>& row) {
    // A catalog function a driver only pretends to have leaves no result set, and
    // fetching from none crashes mdbtools' driver (SQLStatistics).
    if (kinds_.empty()) return false;
    SQLRETURN result = SQLFetch(statement_->handle());
    if (result == SQL_NO_DATA) return false;
    statement_->Check(result, "SQLFetch");
    row.resize(kinds_.size());
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        row[i] = ReadValue(*statement_, static_cast<SQLUSMALLINT>(i + 1), kinds_[i]);
    }
    return true;
}

}  // namespace tabvex::odbc
