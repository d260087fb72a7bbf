// Owners for libmdb's objects, so that every path out of a function frees them.
#pragma once

// glib must come first: mdbtools.h includes it inside extern "C", where its C++
// parts do not compile.
#include <glib.h>
#include <mdbtools.h>

#include <memory>

namespace tabvex::mdb {

struct MdbHandleCloser {
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
using MdbHandlePtr = std::unique_ptr<MdbHandle, MdbHandleCloser>;

struct MdbTableCloser {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using MdbTablePtr = std::unique_ptr<MdbTableDef, MdbTableCloser>;

}  // namespace tabvex::mdb
