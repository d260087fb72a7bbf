// Turns the text of one statement into its tree. A trailing ';' and blanks are
// accepted; anything else after the statement is a syntax error.
#pragma once

#include <string_view>

#include "platform/jet/sql/expression.h"
#include "platform/jet/sql/statement.h"

namespace tabvex::jet::sql {

// Throws SqlError (kind Syntax or UnknownFunction) naming the position and token.
Statement ParseStatement(std::string_view text);
// Parses a condition alone, as a person types it after WHERE.
ExprPtr ParseCondition(std::string_view text);

}  // namespace tabvex::jet::sql
