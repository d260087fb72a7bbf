// One object of a database's catalog that the system can read from.
#pragma once

#include <string>

namespace tabvex::mdb {

enum class ObjectKind {
    UserTable,
    SystemTable,
    SelectQuery,  // a saved select query, shown as a view
    LinkedTable,
};

struct CatalogEntry {
    std::string name;
    ObjectKind kind = ObjectKind::UserTable;
};

}  // namespace tabvex::mdb
