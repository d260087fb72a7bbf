// The rows of a SELECT: a table's cursor filtered by the WHERE condition, which
// the SQL evaluator tests against each row's values.
#pragma once

#include <memory>
#include <vector>

#include "platform/jet/isam.h"
#include "platform/jet/sql/evaluator.h"
#include "platform/jet/sql/expression.h"
#include "platform/oledb/row_source.h"

namespace tabvex::jet {

// Column descriptions of a command rowset for an ISAM table's columns.
std::vector<oledb::DBCOLUMNINFO> RowsetColumns(const std::vector<IsamColumn>& columns);

class QueryRows : public oledb::RowSource {
public:
    // `where` may be null (every row); it must only name columns of `columns`.
    QueryRows(std::vector<IsamColumn> columns, std::unique_ptr<IsamCursor> cursor, sql::ExprPtr where);
    ~QueryRows() override;

    const std::vector<oledb::DBCOLUMNINFO>& Columns() const override { return columnInfo_; }
    // The next row that satisfies the condition; SqlError when evaluating it fails.
    bool Next(std::vector<oledb::Value>& row) override;

private:
    class RowView;

    std::vector<oledb::DBCOLUMNINFO> columnInfo_;
    std::unique_ptr<IsamCursor> cursor_;
    sql::ExprPtr where_;
    sql::Evaluator evaluator_;  // Date() and Now() read the time the query started
    std::unique_ptr<RowView> view_;
};

}  // namespace tabvex::jet
