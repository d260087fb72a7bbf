// How the statements the program builds for a workbook write table names and text
// values: a name the SQL lexer would not read as one word is bracketed, and a text
// value's apostrophes are doubled so that any value makes a valid statement.
#pragma once

#include <string>
#include <string_view>

namespace tabvex::adapters {

// The name as it stands in a statement: unchanged when it is one plain word
// (a letter, '_' or non-ASCII first, then also digits and '$') and no reserved word,
// else in brackets.
std::string StatementTableName(std::string_view name);

// Appends the value between apostrophes, every apostrophe inside it doubled.
void AppendTextLiteral(std::string& statement, std::string_view value);

}  // namespace tabvex::adapters
