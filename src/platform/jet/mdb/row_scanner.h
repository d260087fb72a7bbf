// Walks a table's data pages in file order and takes each live row apart with
// libmdb, leaving one MdbField per column. Deleted rows and pointers to moved rows
// are passed over, as mdb-export does.
#pragma once

#include <vector>

#include "platform/jet/mdb/libmdb_handle.h"

namespace tabvex::mdb {

class RowScanner {
public:
    // `table` (whose columns libmdb has read) must outlive the scanner.
    explicit RowScanner(MdbTableDef* table);

    // Fills `fields` (one per column) with the next row; false at the end.
    bool Next(std::vector<MdbField>& fields);

private:
    bool NextRowBounds(int& start, size_t& size);

    MdbTableDef* table_;
    bool onPage_ = false;
    unsigned nextRow_ = 0;
};

}  // namespace tabvex::mdb
