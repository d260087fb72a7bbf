// UTF-8 text as Jet's text functions and comparisons see it: characters rather than
// bytes, and letters compared without regard to case (ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic letters fold; other characters compare as they are).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabvex::jet::sql {

std::string ToUpperText(std::string_view text);
std::string ToLowerText(std::string_view text);

// Compares two texts without regard to case: negative, zero or positive.
int CompareIgnoringCase(std::string_view a, std::string_view b);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Number of characters (code points) of UTF-8 text; a stray byte counts as one.
std::size_t CharacterCount(std::string_view text);
// The characters [first, first + count) of the text, cut at character boundaries.
std::string_view CharacterSlice(std::string_view text, std::size_t first, std::size_t count);

// Reads the code point starting at text[pos] and advances pos; invalid bytes come back
// as themselves so that no input is lost.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);
char32_t FoldCase(char32_t c);

}  // namespace tabvex::jet::sql
