// Reading back what the backup wrote: the table a Create Table script makes, and the
// statements of a data script. A data script holds one INSERT per line, but a text
// value may itself hold line breaks; only a line break outside a quoted literal ends
// a statement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabvex::tasks {

// The statements of a data script, in order, without their line breaks; blank lines
// are skipped.
std::vector<std::string> DataScriptStatements(std::string_view script);

// The table a "CREATE TABLE name(" script makes, its brackets removed; empty when
// the text is no such script.
std::string CreatedTableName(std::string_view script);

}  // namespace tabvex::tasks
