#include "adapters/excel/statement_text.h"

#include <algorithm>
#include <array>

namespace tabvex::adapters {

namespace {

bool IsWordStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsWordPart(char c) { return IsWordStart(c) || (c >= '0' && c <= '9') || c == '$'; }

// Jet SQL's reserved words, which name a table only when bracketed. The statements
// also reach other engines (an ODBC driver's parser), so the list is Jet's, not
// only the words our own parser knows.
constexpr std::array<std::string_view, 58> kReservedWords{
    "ADD",      "ALL",      "ALTER",   "AND",     "ANY",      "AS",       "ASC",       "BETWEEN", "BY",
    "COLUMN",   "CONSTRAINT", "CREATE", "DATABASE", "DELETE",  "DESC",    "DISALLOW",  "DISTINCT", "DROP",
    "EXISTS",   "FALSE",    "FOREIGN", "FROM",    "GROUP",    "HAVING",   "IN",        "INDEX",   "INNER",
    "INSERT",   "INTO",     "IS",      "JOIN",    "KEY",      "LEFT",     "LIKE",      "MOD",     "NOT",
    "NULL",     "ON",       "OR",      "ORDER",   "OUTER",    "PARAMETERS", "PIVOT",   "PRIMARY", "PROCEDURE",
    "REFERENCES", "RIGHT",  "SELECT",  "SET",     "TABLE",    "TOP",      "TRANSFORM", "TRUE",    "UNION",
    "UNIQUE",   "UPDATE",   "VALUES",  "WHERE"};

bool IsReservedWord(std::string_view name) {
    return std::any_of(kReservedWords.begin(), kReservedWords.end(), [&](std::string_view word) {
        return word.size() == name.size() &&
               std::equal(word.begin(), word.end(), name.begin(),
                          [](char a, char b) { return a == (b >= 'a' && b <= 'z' ? b - 32 : b); });
    });
}

}  // namespace

std::string StatementTableName(std::string_view name) {
    const bool plain = !name.empty() && IsWordStart(name.front()) &&
                       std::all_of(name.begin(), name.end(), IsWordPart) && !IsReservedWord(name);
    if (plain) return std::string(name);
    std::string bracketed;
    bracketed.reserve(name.size() + 2);
    bracketed += '[';
    bracketed += name;
    bracketed += ']';
    return bracketed;
}

void AppendTextLiteral(std::string& statement, std::string_view value) {
    statement += '\'';
    for (std::size_t quote; (quote = value.find('\'')) != std::string_view::npos; value.remove_prefix(quote + 1)) {
        statement.append(value.data(), quote + 1);
        statement += '\'';
    }
    statement += value;
    statement += '\'';
}

}  // namespace tabvex::adapters
