// Internal: how a Database starts a RowCursor on its own clone of the libmdb handle.
#pragma once

#include "platform/jet/mdb/libmdb_handle.h"

#include <filesystem>
#include <string_view>

#include "platform/jet/mdb/row_cursor.h"

namespace tabvex::mdb {

struct CursorSource {
    const std::filesystem::path& file;
    MdbHandle* parent;           // the database's handle; the cursor reads through a clone of it
    std::string_view entryName;  // the table's name in the catalog
};

// A cursor over the table the source names. Throws MdbError when libmdb cannot
// read the table's definition.
RowCursor OpenRowCursor(const CursorSource& source);

}  // namespace tabvex::mdb
