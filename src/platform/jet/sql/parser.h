// Turns the text of one statement into its tree. A trailing ';' and blanks are
// accepted; anything else after the statement is a syntax error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/jet/sql/expression.h"
#include "platform/jet/sql/statement.h"

namespace tabvex::jet::sql {

// Throws SqlError (kind Syntax or UnknownFunction) naming the position and token.
Statement ParseStatement(std::string_view text);
// An INSERT whose text repeats, up to the '(' of its values, the last INSERT parsed
// on this thread and whose values are all text literals: a migration's rows. Puts the
// literals' contents into `literals` (reusing its strings) and answers what that
// parse said, without values (valid until the next parse on this thread); null when
// the text is anything else, which then goes to ParseStatement.
const InsertStatement* ReadRepeatedInsert(std::string_view text, std::vector<std::string>& literals);
// Parses a condition alone, as a person types it after WHERE.
ExprPtr ParseCondition(std::string_view text);

}  // namespace tabvex::jet::sql
