#include "platform/odbc/xls_driver/parameter_markers.h"

#include <cassert>

namespace tabvex::odbc::xls {
namespace {

// The character that closes a quote opened by `c`, or 0 when `c` opens none. A
// doubled quote inside text closes and reopens it, which keeps the same state.
char ClosingQuote(char c) {
    switch (c) {
        case '\'':
        case '"':
        case '#':
        case '`': return c;
        case '[': return ']';
        default: return 0;
    }
}

}  // namespace

std::vector<std::size_t> FindParameterMarkers(std::string_view statement) {
    std::vector<std::size_t> markers;
    if (statement.find('?') == std::string_view::npos) return markers;  // most statements: one quick look
    char open = 0;  // the closing quote awaited, 0 outside quotes
    for (std::size_t i = 0; i < statement.size(); ++i) {
        const char c = statement[i];
        if (open) {
            if (c == open) open = 0;
        } else if (c == '?') {
            markers.push_back(i);
        } else {
            open = ClosingQuote(c);
        }
    }
    return markers;
}

std::string SubstituteParameters(std::string_view statement, const std::vector<std::size_t>& markers,
                                 const std::vector<std::string>& literals) {
    assert(markers.size() == literals.size());
    std::size_t size = statement.size();
    for (const std::string& literal : literals) size += literal.size();
    std::string text;
    text.reserve(size);
    std::size_t from = 0;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        text.append(statement, from, markers[i] - from);
        text += literals[i];
        from = markers[i] + 1;
    }
    text.append(statement, from);
    return text;
}

}  // namespace tabvex::odbc::xls
