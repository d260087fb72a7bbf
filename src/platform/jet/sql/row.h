// What the evaluator reads a row through: a column's value by name, without regard
// to case. Each ISAM implements it over its own storage.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/jet/sql/value.h"

namespace tabvex::jet::sql {

class Row {
public:
    virtual ~Row() = default;
    // The value of the named column, or nullptr when the table has no such column.
    virtual const Value* Find(std::string_view column) const = 0;
};

// A row of named values, for tables whose rows are already values in memory.
class ValueRow : public Row {
public:
    ValueRow() = default;
    ValueRow(std::vector<std::string> names, std::vector<Value> values)
        : names_(std::move(names)), values_(std::move(values)) {}

    const Value* Find(std::string_view column) const override;

    const std::vector<std::string>& names() const { return names_; }
    std::vector<Value>& values() { return values_; }

private:
    std::vector<std::string> names_;
    std::vector<Value> values_;
};

// A row without columns, for expressions that stand alone (INSERT values).
class EmptyRow : public Row {
public:
    const Value* Find(std::string_view) const override { return nullptr; }
};

}  // namespace tabvex::jet::sql
