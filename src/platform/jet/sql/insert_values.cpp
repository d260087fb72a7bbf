#include "platform/jet/sql/insert_values.h"

#include "platform/jet/sql/evaluator.h"
#include "platform/jet/sql/sql_error.h"
#include "platform/jet/sql/text_case.h"

namespace tabvex::jet::sql {
namespace {

std::size_t ColumnIndex(const std::vector<std::string>& tableColumns, const std::string& name,
                        const InsertStatement& insert) {
    for (std::size_t i = 0; i < tableColumns.size(); ++i)
        if (EqualsIgnoringCase(tableColumns[i], name)) return i;
    throw SqlError::At(SqlErrorKind::UnknownColumn, insert.table.position,
                       "Unknown column '" + name + "' in table '" + insert.table.name + "'");
}

// Where each value goes: the named columns, or all columns in order.
std::vector<std::size_t> Destinations(const InsertStatement& insert, const std::vector<std::string>& tableColumns) {
    std::vector<std::size_t> destinations;
    destinations.reserve(insert.columns.empty() ? tableColumns.size() : insert.columns.size());
    if (insert.columns.empty()) {
        for (std::size_t i = 0; i < tableColumns.size(); ++i) destinations.push_back(i);
        return destinations;
    }
    for (const auto& name : insert.columns) {
        std::size_t index = ColumnIndex(tableColumns, name, insert);
        for (std::size_t taken : destinations)
            if (taken == index)
                throw SqlError::At(SqlErrorKind::Syntax, insert.table.position,
                                   "Duplicate output destination '" + name + "'");
        destinations.push_back(index);
    }
    return destinations;
}

}  // namespace

std::vector<Value> ResolveInsertValues(InsertStatement insert, const std::vector<std::string>& tableColumns,
                                       const EvaluationContext& context) {
    std::vector<std::size_t> destinations = Destinations(insert, tableColumns);
    if (destinations.size() != insert.values.size())
        throw SqlError::At(SqlErrorKind::Syntax, insert.valuesPosition,
                           "Number of query values (" + std::to_string(insert.values.size()) +
                               ") and destination fields (" + std::to_string(destinations.size()) +
                               ") are not the same");
    Evaluator evaluator(context);
    EmptyRow noRow;
    std::vector<Value> row(tableColumns.size());
    for (std::size_t i = 0; i < destinations.size(); ++i) {
        Expr& value = *insert.values[i];
        // A literal is its own value; moving it spares copying every text of the row.
        row[destinations[i]] = value.kind == ExprKind::Literal ? std::move(value.literal) : evaluator.Evaluate(value, noRow);
    }
    return row;
}

}  // namespace tabvex::jet::sql
