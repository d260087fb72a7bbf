// The text of the three backup scripts: a table's Create Table statement (T.tbl), one
// INSERT statement per row (T.data) and a view's definition (V.vw). Every script can
// be run again as it is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/oledb/db_types.h"

namespace tabvex::tasks {

// One column of a table script, as the COLUMNS schema rowset describes it.
struct ScriptColumn {
    std::string name;
    std::string typeName;
    std::optional<std::string> defaultText;  // when the column has a default
};

// A worksheet reached as "Name$" rather than through its defined name: its first '$'
// is its last character.
bool IsWorksheetTableName(std::string_view table);
inline constexpr const char* kUserDefinedNameScript = "User Defined Name!";

std::string TableScript(std::string_view table, const std::vector<ScriptColumn>& columns);

// Values whose text is written between apostrophes.
bool IsCharacterType(oledb::DBTYPE type);

// One value of an INSERT: character types quoted (NULL as ''), dates as #date#
// literals, everything else as its text (NULL as NULL).
void AppendScriptValue(std::string& line, oledb::DBTYPE type, std::optional<std::string_view> value);

// "insert into T values (" with its bracketed name where it needs one.
std::string DataLineStart(std::string_view table);

// "create ... view ..." from the lower-cased definition, or empty when it has no view.
std::string ViewScript(std::string_view lowerCaseDefinition);

}  // namespace tabvex::tasks
