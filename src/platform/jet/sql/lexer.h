// Splits a statement into tokens; fails with a SqlError naming the position of the
// first character that starts no token (e.g. the '@' of "select @@Version").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/jet/sql/token.h"

namespace tabvex::jet::sql {

// The tokens of the statement, always ending with one TokenKind::End token. Their
// `raw` views point into the statement, which must outlive them.
std::vector<Token> Tokenize(std::string_view statement);

// How far token positions move over the text: one for every byte that is no UTF-8
// continuation byte.
std::size_t PositionsIn(std::string_view text);

// The blanks that separate tokens.
inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Reads the token that opens at `open` and ends at the next `close` into `content`;
// with `doubledEscapes` (strings) a doubled closing quote stands for one quote. The
// position just after the closing character, or npos when there is none.
std::size_t ReadDelimited(std::string_view text, std::size_t open, char close, bool doubledEscapes,
                          std::string& content);

}  // namespace tabvex::jet::sql
