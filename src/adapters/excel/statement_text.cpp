#include "adapters/excel/statement_text.h"

#include <algorithm>

namespace tabvex::adapters {

namespace {

bool IsWordStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsWordPart(char c) { return IsWordStart(c) || (c >= '0' && c <= '9') || c == '$'; }

}  // namespace

std::string StatementTableName(std::string_view name) {
    const bool plain = !name.empty() && IsWordStart(name.front()) && std::all_of(name.begin(), name.end(), IsWordPart);
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
