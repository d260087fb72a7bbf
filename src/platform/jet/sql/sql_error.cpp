#include "platform/jet/sql/sql_error.h"

namespace tabvex::jet::sql {

SqlError SqlError::Syntax(std::size_t position, std::string_view token, std::string_view expected) {
    std::string message = "Syntax error at position " + std::to_string(position);
    message += token.empty() ? std::string(" at the end of the statement") : " near '" + std::string(token) + "'";
    if (!expected.empty()) message += "; expected " + std::string(expected);
    message += '.';
    return SqlError(SqlErrorKind::Syntax, std::move(message));
}

SqlError SqlError::At(SqlErrorKind kind, std::size_t position, std::string_view what) {
    return SqlError(kind, std::string(what) + " (at position " + std::to_string(position) + ").");
}

}  // namespace tabvex::jet::sql
