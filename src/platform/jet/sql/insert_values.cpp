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

}  // namespace

void CheckValueCount(const InsertStatement& insert, std::size_t valueCount, std::size_t destinationCount) {
    if (destinationCount != valueCount)
        throw SqlError::At(SqlErrorKind::Syntax, insert.valuesPosition,
                           "Number of query values (" + std::to_string(valueCount) + ") and destination fields (" +
                               std::to_string(destinationCount) + ") are not the same");
}

std::vector<std::size_t> InsertDestinations(const InsertStatement& insert, std::size_t valueCount,
                                            const std::vector<std::string>& tableColumns) {
    std::vector<std::size_t> destinations;
    destinations.reserve(insert.columns.empty() ? tableColumns.size() : insert.columns.size());
    if (insert.columns.empty()) {
        for (std::size_t i = 0; i < tableColumns.size(); ++i) destinations.push_back(i);
    }
    for (const auto& name : insert.columns) {
        std::size_t index = ColumnIndex(tableColumns, name, insert);
        for (std::size_t taken : destinations)
            if (taken == index)
                throw SqlError::At(SqlErrorKind::Syntax, insert.table.position,
                                   "Duplicate output destination '" + name + "'");
        destinations.push_back(index);
    }
    CheckValueCount(insert, valueCount, destinations.size());
    return destinations;
}

std::vector<Value> ResolveInsertValues(InsertStatement insert, const std::vector<std::string>& tableColumns,
                                       const EvaluationContext& context) {
    const std::vector<std::size_t> destinations = InsertDestinations(insert, insert.values.size(), tableColumns);
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
