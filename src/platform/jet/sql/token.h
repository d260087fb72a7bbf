// The tokens of a Jet SQL statement.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabvex::jet::sql {

enum class TokenKind {
    Word,              // a bare name or keyword: keywords are told apart by the parser
    QuotedIdentifier,  // [name] or `name`: always a name, never a keyword
    String,            // 'text' or "text", quotes undoubled
    Integer,           // digits only
    Number,            // digits with a decimal point or an exponent
    Date,              // #...#, text between the hashes
    Symbol,            // ( ) , ; * + - / \ & ^ = < > <= >= <>
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;  // the name, the literal's content, or the symbol
    std::string_view raw;  // the token as written (a view of the statement), for error messages
    std::size_t position = 0;  // 1-based character position in the statement
};

}  // namespace tabvex::jet::sql
