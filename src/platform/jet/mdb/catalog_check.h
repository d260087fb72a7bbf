// Reads the catalog's long values (the objects' property blocks) before libmdb
// does: libmdb follows a damaged one into pages that are not there, or walks a
// block with a zero length, and then loops for ever; so a damaged one is refused
// here instead.
#pragma once

#include <filesystem>

#include "platform/jet/mdb/libmdb_handle.h"

namespace tabvex::mdb {

void CheckCatalogLongValues(MdbHandle* mdb, const std::filesystem::path& path);

}  // namespace tabvex::mdb
