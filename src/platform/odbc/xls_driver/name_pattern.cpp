#include "platform/odbc/xls_driver/name_pattern.h"

#include <cctype>
#include <cstddef>

namespace tabvex::odbc::xls {
namespace {

bool SameCharacter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

std::size_t Utf8CharLength(std::string_view text, std::size_t at) {
    std::size_t length = 1;
    while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) ++length;
    return length;
}

}  // namespace

bool MatchesNamePattern(std::string_view pattern, std::string_view name) {
    // Iterative matching with one remembered '%', so long patterns cannot recurse deeply.
    std::size_t p = 0, n = 0;
    std::size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '%') {
            starPattern = ++p;
            starName = n;
            continue;
        }
        if (p < pattern.size() && pattern[p] == '_') {
            ++p;
            n += Utf8CharLength(name, n);
            continue;
        }
        if (p < pattern.size()) {
            std::size_t literal = pattern[p] == '\\' && p + 1 < pattern.size() ? p + 1 : p;
            if (SameCharacter(pattern[literal], name[n])) {
                p = literal + 1;
                ++n;
                continue;
            }
        }
        if (starPattern == std::string_view::npos) return false;
        p = starPattern;
        n = ++starName;
    }
    while (p < pattern.size() && pattern[p] == '%') ++p;
    return p == pattern.size();
}

}  // namespace tabvex::odbc::xls
