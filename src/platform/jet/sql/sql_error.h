// The failure of a statement: what kind it is (so the provider can choose its result
// code) and a message a person can act on, naming the position and the token.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tabvex::jet::sql {

enum class SqlErrorKind {
    Syntax,            // the text is not a statement of the subset
    UnknownColumn,     // a name that is no column of the table (Jet: a missing parameter)
    UnknownFunction,
    TypeMismatch,      // e.g. a number compared with text that is no number
    InvalidArgument,   // a function given an argument it cannot take
    DivisionByZero,
    Overflow,
};

class SqlError : public std::runtime_error {
public:
    SqlError(SqlErrorKind kind, std::string message) : std::runtime_error(std::move(message)), kind_(kind) {}

    // "Syntax error at position 17 near 'FORM'." — positions count characters of the
    // statement from 1; an empty token means the end of the statement.
    static SqlError Syntax(std::size_t position, std::string_view token, std::string_view expected = {});
    // "<what> (at position 12)."
    static SqlError At(SqlErrorKind kind, std::size_t position, std::string_view what);

    SqlErrorKind kind() const { return kind_; }

private:
    SqlErrorKind kind_;
};

}  // namespace tabvex::jet::sql
