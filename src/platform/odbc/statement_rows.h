// The rows of an executed statement as a RowSource: columns described by
// SQLDescribeCol, rows fetched one at a time with SQLFetch and each value read by
// its column's type (see value_reader.h). Failures are thrown as OdbcError.
#pragma once

#include <memory>
#include <vector>

#include "platform/odbc/column_types.h"
#include "platform/odbc/odbc_handles.h"
#include "platform/oledb/row_source.h"

namespace tabvex::odbc {

class StatementRows : public oledb::RowSource {
public:
    // `statement` has been executed; without result columns it has no rows.
    explicit StatementRows(std::unique_ptr<Statement> statement);

    const std::vector<oledb::DBCOLUMNINFO>& Columns() const override { return columns_; }
    bool Next(std::vector<oledb::Value>& row) override;

private:
    std::unique_ptr<Statement> statement_;
    std::vector<oledb::DBCOLUMNINFO> columns_;
    std::vector<FetchKind> kinds_;
};

// The description of result column `column` (from 1) of an executed statement.
OdbcColumnDescription DescribeResultColumn(const Statement& statement, SQLUSMALLINT column);

}  // namespace tabvex::odbc
