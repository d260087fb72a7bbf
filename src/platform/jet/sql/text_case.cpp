#include "platform/jet/sql/text_case.h"

#include "platform/text/utf8.h"

namespace tabvex::jet::sql {
namespace {

// Upper-case letter -> lower-case letter for the scripts named in the header.
char32_t ToLowerLetter(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x178) {
        bool evenIsUpper = (c < 0x139) || (c > 0x148 && c < 0x179);
        if ((c % 2 == 0) == evenIsUpper) return c + 1;
    }
    return c;
}

char32_t ToUpperLetter(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 32;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
        return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    if (c > 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        char32_t upper = c - 1;
        if (ToLowerLetter(upper) == c) return upper;
    }
    return c;
}

template <typename Map>
std::string MapCharacters(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t start = pos;
        char32_t c = NextCodePoint(text, pos);
        char32_t mapped = map(c);
        if (mapped == c)
            out.append(text.substr(start, pos - start));  // keeps invalid bytes as they were
        else
            text::AppendUtf8(out, mapped);
    }
    return out;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    std::size_t start = pos;
    return text::DecodeUtf8(text, pos).value_or(static_cast<unsigned char>(text[start]));
}

char32_t FoldCase(char32_t c) { return c < 0x80 ? (c >= U'A' && c <= U'Z' ? c + 32 : c) : ToLowerLetter(c); }

std::string ToUpperText(std::string_view text) { return MapCharacters(text, ToUpperLetter); }
std::string ToLowerText(std::string_view text) { return MapCharacters(text, ToLowerLetter); }

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        auto byteA = static_cast<unsigned char>(a[i]), byteB = static_cast<unsigned char>(b[j]);
        char32_t ca, cb;
        if (byteA < 0x80 && byteB < 0x80) {  // plain ASCII needs no decoding
            ca = FoldCase(byteA);
            cb = FoldCase(byteB);
            ++i;
            ++j;
        } else {
            ca = FoldCase(NextCodePoint(a, i));
            cb = FoldCase(NextCodePoint(b, j));
        }
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) { return CompareIgnoringCase(a, b) == 0; }

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) NextCodePoint(text, pos);
    return count;
}

std::string_view CharacterSlice(std::string_view text, std::size_t first, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t skipped = 0; skipped < first && pos < text.size(); ++skipped) NextCodePoint(text, pos);
    std::size_t start = pos;
    for (std::size_t taken = 0; taken < count && pos < text.size(); ++taken) NextCodePoint(text, pos);
    return text.substr(start, pos - start);
}

}  // namespace tabvex::jet::sql
