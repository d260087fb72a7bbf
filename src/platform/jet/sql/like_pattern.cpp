#include "platform/jet/sql/like_pattern.h"

#include "platform/jet/sql/text_case.h"

namespace tabvex::jet::sql {

LikePattern::LikePattern(std::string_view pattern) {
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        char c = pattern[pos];
        if (c == '*' || c == '%') {
            if (elements_.empty() || elements_.back().kind != Element::Kind::AnyRun)
                elements_.push_back(Element{Element::Kind::AnyRun, 0, {}, false});
            ++pos;
        } else if (c == '?' || c == '_') {
            elements_.push_back(Element{Element::Kind::AnyOne, 0, {}, false});
            ++pos;
        } else if (c == '[' && pattern.find(']', pos + 1) != std::string_view::npos) {
            pos = ParseSet(pattern, pos + 1);
        } else {
            elements_.push_back(Element{Element::Kind::Literal, FoldCase(NextCodePoint(pattern, pos)), {}, false});
        }
    }
}

// Reads the inside of [...] from pos (after the '['); returns the position after ']'.
std::size_t LikePattern::ParseSet(std::string_view pattern, std::size_t pos) {
    Element set{Element::Kind::Set, 0, {}, false};
    if (pattern[pos] == '!') {
        set.negated = true;
        ++pos;
    }
    while (pos < pattern.size() && pattern[pos] != ']') {
        char32_t low = FoldCase(NextCodePoint(pattern, pos));
        char32_t high = low;
        if (pos + 1 < pattern.size() && pattern[pos] == '-' && pattern[pos + 1] != ']') {
            ++pos;
            high = FoldCase(NextCodePoint(pattern, pos));
        }
        set.ranges.emplace_back(std::min(low, high), std::max(low, high));
    }
    elements_.push_back(std::move(set));
    return pos + 1;
}

bool LikePattern::MatchesOne(const Element& element, char32_t c) const {
    switch (element.kind) {
    case Element::Kind::AnyOne: return true;
    case Element::Kind::Literal: return element.literal == c;
    case Element::Kind::Set: {
        bool inSet = false;
        for (auto [low, high] : element.ranges) inSet = inSet || (c >= low && c <= high);
        return inSet != element.negated;
    }
    case Element::Kind::AnyRun: break;
    }
    return false;
}

// Classic wildcard matching: on a mismatch, go back to the last '*' and let it take
// one more character. Every element but '*' matches exactly one character, so this
// finds a match whenever one exists, in time proportional to text × pattern.
bool LikePattern::Matches(std::string_view text) const {
    std::vector<char32_t> chars;
    chars.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) chars.push_back(FoldCase(NextCodePoint(text, pos)));

    std::size_t t = 0, p = 0;
    std::size_t starElement = elements_.size(), starText = 0;
    while (t < chars.size()) {
        if (p < elements_.size() && elements_[p].kind == Element::Kind::AnyRun) {
            starElement = p++;
            starText = t;
        } else if (p < elements_.size() && MatchesOne(elements_[p], chars[t])) {
            ++p;
            ++t;
        } else if (starElement < elements_.size()) {
            p = starElement + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < elements_.size() && elements_[p].kind == Element::Kind::AnyRun) ++p;
    return p == elements_.size();
}

}  // namespace tabvex::jet::sql
