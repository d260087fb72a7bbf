// Finding a table's entry in libmdb's catalog. Names are unique only within a kind
// of object: a database made with Access often has a form, report or macro under a
// table's name, and libmdb's lookup by name gives whichever the catalog lists first.
#pragma once

#include <string>

#include "platform/jet/mdb/libmdb_handle.h"

namespace tabvex::mdb {

// Only these entries have a table definition where their Id points; for every other
// kind (forms, reports, macros, modules, queries...) the Id is just a number.
inline bool IsTableEntry(const MdbCatalogEntry& entry) { return entry.object_type == MDB_TABLE; }

// The table of that name (compared without case), or nullptr.
inline MdbCatalogEntry* FindTableEntry(MdbHandle* mdb, const std::string& name) {
    if (!mdb->catalog) return nullptr;
    for (guint i = 0; i < mdb->catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (IsTableEntry(*entry) && g_ascii_strcasecmp(entry->object_name, name.c_str()) == 0) return entry;
    }
    return nullptr;
}

}  // namespace tabvex::mdb
