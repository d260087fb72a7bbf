// The statements of the Jet SQL subset, as the parser returns them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/jet/sql/column_type.h"
#include "platform/jet/sql/expression.h"

namespace tabvex::jet::sql {

// A table name as written (brackets and backquotes removed) and where it stood.
struct TableName {
    std::string name;
    std::size_t position = 0;
};

// SELECT * | COUNT(*) FROM t [WHERE condition]
struct SelectStatement {
    bool countOnly = false;
    TableName table;
    ExprPtr where;  // null without a WHERE clause
};

struct ColumnDefinition {
    std::string name;
    std::string typeName;  // as written, upper case, e.g. "VARCHAR"
    ColumnType type;
    bool notNull = false;
    std::size_t position = 0;
};

// CREATE TABLE t (col type[(n)] [NOT NULL], ...)
struct CreateTableStatement {
    TableName table;
    std::vector<ColumnDefinition> columns;
};

// INSERT INTO t [(cols)] VALUES (expr, ...)
struct InsertStatement {
    TableName table;
    std::vector<std::string> columns;  // empty: the table's columns in order
    std::vector<ExprPtr> values;
    std::size_t valuesPosition = 0;
};

using Statement = std::variant<SelectStatement, CreateTableStatement, InsertStatement>;

}  // namespace tabvex::jet::sql
