// A forward cursor over the rows of one table. Each value arrives as text as a
// person reading a sheet expects it (plain numbers, exact currency, ISO 8601 dates,
// True/False, binary as hexadecimal) or as std::nullopt for NULL; memo and OLE
// values come whole. Memory stays flat whatever the number of rows.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/jet/mdb/table_schema.h"

namespace tabvex::mdb {

using Value = std::optional<std::string>;

struct CursorSource;  // internal: where a cursor reads from

class RowCursor {
public:
    RowCursor(RowCursor&&) noexcept;
    RowCursor& operator=(RowCursor&&) noexcept;
    ~RowCursor();

    const std::vector<ColumnInfo>& columns() const;

    // Moves to the next row; false once the rows are exhausted.
    bool Next();

    // The current row's values, one per column in column order.
    const std::vector<Value>& values() const;

    struct State;

private:
    friend RowCursor OpenRowCursor(const CursorSource& source);
    explicit RowCursor(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace tabvex::mdb
