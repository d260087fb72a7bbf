// UTF-8 (the program's text) to and from UTF-16 (the workbook's text).
#pragma once

#include <string>
#include <string_view>

namespace tabvex::xls {

// Invalid UTF-8 becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// The number of UTF-16 code units Utf8ToUtf16 gives, without building them: how the
// workbook counts a text's characters against its limits.
size_t Utf16Length(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Decodes the code point at text[i] and moves i past it; malformed input yields U+FFFD.
char32_t DecodeUtf8(std::string_view text, size_t& i);
void AppendUtf8(std::string& out, char32_t codePoint);
// Appends `count` UTF-16 code units, unit(i) giving the i-th, to `out` as UTF-8; for
// callers whose UTF-16 is not a char16_t array (little-endian bytes, say).
template <typename UnitAt>
void AppendUtf16AsUtf8(size_t count, UnitAt unit, std::string& out) {
    constexpr char32_t kReplacement = 0xFFFD;
    for (size_t i = 0; i < count; ++i) {
        char32_t c = unit(i);
        if (c < 0x80) {
            out += char(c);
        } else if (c >= 0xD800 && c < 0xDC00 && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
            AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, c >= 0xD800 && c < 0xE000 ? kReplacement : c);
        }
    }
}
// Simple case folding over ASCII and Latin-1, for names compared without regard to case.
std::u16string FoldCase(std::u16string_view text);

}  // namespace tabvex::xls
