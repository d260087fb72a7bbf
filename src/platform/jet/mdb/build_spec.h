// A database described in JSON, for tabvex-cli mdb-build and for fixtures:
//   {"tables": [{"name": "Customers",
//                "columns": [{"name": "Id", "type": "Long Integer"},
//                            {"name": "Name", "type": "Text", "length": 40}],
//                "rows": [[1, "Ann"], [2, null]]}],
//    "documents": [{"name": "Customers", "kind": "form", "id": -2147483647}]}
// Types by Access name or short name (see JetTypeFromName); a row value is null,
// a string in the reader's notation, a number, or true/false. Documents (kind form,
// report, macro or module; "id" optional) are catalog rows only, listed before the
// tables, so that they may come first under a table's name as in real files.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>

#include "platform/jet/mdb/database_writer.h"

namespace tabvex::mdb {

// A writer holding the described tables and rows; MdbError (naming `target`) when
// the description is malformed.
DatabaseWriter WriterFromJson(const nlohmann::json& spec, const std::filesystem::path& target);

}  // namespace tabvex::mdb
