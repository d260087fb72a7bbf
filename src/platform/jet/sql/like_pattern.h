// LIKE patterns with both wildcard families Jet knows: '*' or '%' for any run of
// characters, '?' or '_' for one character, and [abc], [a-z], [!abc] for one
// character of (or not of) a set. Matching ignores case and works on characters.
#pragma once

#include <string_view>
#include <vector>

namespace tabvex::jet::sql {

class LikePattern {
public:
    // An unclosed '[' is taken as a literal '['.
    explicit LikePattern(std::string_view pattern);
    bool Matches(std::string_view text) const;

private:
    struct Element {
        enum class Kind { AnyRun, AnyOne, Literal, Set } kind;
        char32_t literal = 0;                               // Literal, case-folded
        std::vector<std::pair<char32_t, char32_t>> ranges;  // Set, case-folded
        bool negated = false;                               // Set
    };
    bool MatchesOne(const Element& element, char32_t c) const;
    std::size_t ParseSet(std::string_view pattern, std::size_t pos);

    std::vector<Element> elements_;
};

}  // namespace tabvex::jet::sql
