#include "platform/jet/query_rows.h"

#include <strings.h>

#include <optional>
#include <string>

#include "platform/jet/value_conversion.h"

namespace tabvex::jet {

// The current row as the evaluator reads it: a column's value is converted the
// first time the condition asks for it, so unused columns cost nothing.
class QueryRows::RowView : public sql::Row {
public:
    explicit RowView(const std::vector<IsamColumn>& columns) {
        for (const auto& column : columns) names_.push_back(column.name);
        cache_.resize(columns.size());
    }

    void Show(const std::vector<oledb::Value>* row) {
        row_ = row;
        for (auto& entry : cache_) entry.reset();
    }

    const sql::Value* Find(std::string_view column) const override {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i].size() != column.size() || strncasecmp(names_[i].data(), column.data(), column.size()) != 0) {
                continue;
            }
            if (!cache_[i]) cache_[i] = ToSqlValue((*row_)[i]);
            return &*cache_[i];
        }
        return nullptr;
    }

private:
    std::vector<std::string> names_;
    mutable std::vector<std::optional<sql::Value>> cache_;
    const std::vector<oledb::Value>* row_ = nullptr;
};

std::vector<oledb::DBCOLUMNINFO> RowsetColumns(const std::vector<IsamColumn>& columns) {
    std::vector<oledb::DBCOLUMNINFO> info;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        oledb::DBCOLUMNINFO column;
        column.name = columns[i].name;
        column.ordinal = i + 1;
        column.flags = columns[i].flags;
        column.type = columns[i].type;
        column.columnSize = columns[i].maxLength;
        column.precision = columns[i].precision;
        column.scale = columns[i].scale;
        info.push_back(column);
    }
    return info;
}

QueryRows::QueryRows(std::vector<IsamColumn> columns, std::unique_ptr<IsamCursor> cursor, sql::ExprPtr where)
    : columnInfo_(RowsetColumns(columns)),
      cursor_(std::move(cursor)),
      where_(std::move(where)),
      view_(std::make_unique<RowView>(columns)) {}

QueryRows::~QueryRows() = default;

bool QueryRows::Next(std::vector<oledb::Value>& row) {
    while (cursor_->Next(row)) {
        if (!where_) return true;
        view_->Show(&row);
        if (evaluator_.Satisfies(*where_, *view_)) return true;
    }
    return false;
}

}  // namespace tabvex::jet
