// Splits a statement into tokens; fails with a SqlError naming the position of the
// first character that starts no token (e.g. the '@' of "select @@Version").
#pragma once

#include <string_view>
#include <vector>

#include "platform/jet/sql/token.h"

namespace tabvex::jet::sql {

// The tokens of the statement, always ending with one TokenKind::End token. Their
// `raw` views point into the statement, which must outlive them.
std::vector<Token> Tokenize(std::string_view statement);

}  // namespace tabvex::jet::sql
