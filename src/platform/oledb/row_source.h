// Where a rowset's rows come from: the column descriptions (ordinals from 1) and
// a forward walk over typed values.
#pragma once

#include <memory>
#include <vector>

#include "platform/oledb/db_types.h"
#include "platform/oledb/value.h"

namespace tabvex::oledb {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual const std::vector<DBCOLUMNINFO>& Columns() const = 0;
    // The next row into `row`; false after the last. Failures are thrown as
    // std::exception whose text names the problem (the rowset records it).
    virtual bool Next(std::vector<Value>& row) = 0;
};

// Rows held in memory: schema rowsets and small results.
class MemoryRowSource : public RowSource {
public:
    MemoryRowSource(std::vector<DBCOLUMNINFO> columns, std::vector<std::vector<Value>> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}

    const std::vector<DBCOLUMNINFO>& Columns() const override { return columns_; }
    bool Next(std::vector<Value>& row) override {
        if (next_ >= rows_.size()) return false;
        row = std::move(rows_[next_++]);
        return true;
    }

private:
    std::vector<DBCOLUMNINFO> columns_;
    std::vector<std::vector<Value>> rows_;
    std::size_t next_ = 0;
};

}  // namespace tabvex::oledb
