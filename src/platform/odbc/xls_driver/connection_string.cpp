#include "platform/odbc/xls_driver/connection_string.h"

#include <strings.h>

namespace tabvex::odbc::xls {
namespace {

bool SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

[[noreturn]] void Fail(std::size_t position, const std::string& problem) {
    throw ConnectionStringError("Invalid connection string at character " + std::to_string(position + 1) + ": " +
                                problem + ".");
}

// Reads "{...}" from `pos` (at the opening brace) to after the closing one.
std::string BracedValue(std::string_view text, std::size_t& pos) {
    const std::size_t opening = pos++;
    std::string value;
    while (pos < text.size()) {
        char c = text[pos++];
        if (c != '}') {
            value += c;
        } else if (pos < text.size() && text[pos] == '}') {
            value += '}';
            ++pos;
        } else {
            return value;
        }
    }
    Fail(opening, "the brace is never closed");
}

std::string Value(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos < text.size() && text[pos] == '{') {
        std::string value = BracedValue(text, pos);
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
        if (pos < text.size() && text[pos] != ';') Fail(pos, "text follows a value in braces");
        return value;
    }
    std::size_t end = text.find(';', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view value = Trimmed(text.substr(pos, end - pos));
    if (value.find_first_of("{}") != std::string_view::npos) Fail(pos, "a brace inside a value not in braces");
    pos = end;
    return std::string(value);
}

bool NeedsBraces(const std::string& value) {
    return value.find_first_of(";{}") != std::string::npos ||
           (!value.empty() && (value.front() == ' ' || value.back() == ' '));
}

}  // namespace

ConnectionString ConnectionString::Parse(std::string_view text) {
    if (auto nul = text.find('\0'); nul != std::string_view::npos) Fail(nul, "a NUL character");
    ConnectionString result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ';' || text[pos] == ' ' || text[pos] == '\t') {
            ++pos;
            continue;
        }
        std::size_t equals = text.find_first_of("=;", pos);
        if (equals == std::string_view::npos || text[equals] != '=') Fail(pos, "a keyword without '='");
        std::string_view key = Trimmed(text.substr(pos, equals - pos));
        if (key.empty()) Fail(pos, "an empty keyword");
        if (key.find_first_of("{}[]()?*!@,") != std::string_view::npos) Fail(pos, "a keyword with punctuation");
        pos = equals + 1;
        std::string value = Value(text, pos);
        // The first of repeated keywords counts, as the driver manager reads them.
        if (!result.Find(key)) result.entries_.emplace_back(std::string(key), std::move(value));
    }
    return result;
}

std::optional<std::string> ConnectionString::Find(std::string_view key) const {
    for (const auto& [name, value] : entries_) {
        if (SameKey(name, key)) return value;
    }
    return std::nullopt;
}

void ConnectionString::Set(std::string_view key, std::string value) {
    for (auto& [name, old] : entries_) {
        if (SameKey(name, key)) {
            old = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(key), std::move(value));
}

std::string ConnectionString::Text() const {
    std::string text;
    for (const auto& [name, value] : entries_) {
        text += name + '=';
        if (NeedsBraces(value)) {
            text += '{';
            for (char c : value) text += c == '}' ? std::string("}}") : std::string(1, c);
            text += '}';
        } else {
            text += value;
        }
        text += ';';
    }
    return text;
}

}  // namespace tabvex::odbc::xls
