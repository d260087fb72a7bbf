// UTF-8, the program's own text, and UTF-16, the text of workbooks and Access files and
// the measure of Excel's and Jet's length limits. One decoder serves every engine.
// Malformed UTF-8 (a stray or cut sequence, an overlong form, a surrogate, a code point
// past U+10FFFF) is reported one byte at a time and each caller keeps its own rule for
// it: the workbook shows U+FFFD, Jet's text functions keep the byte, the Access writer
// refuses the text. Counted either way, a malformed byte is one UTF-16 unit.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace tabvex::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at text[pos] and moves pos past it. For malformed input pos
// moves one byte on and nothing is returned.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t codePoint);

// The length of the text's leading run of ASCII bytes (below 0x80), which most text
// is whole; the measuring and converting loops pass such runs at once. Inline and
// eight bytes a step: every cell's text goes through here.
inline std::size_t AsciiPrefixLength(std::string_view text) {
    static_assert(std::endian::native == std::endian::little, "bytes are read as little-endian words");
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    const char* bytes = text.data();
    const std::size_t size = text.size();
    std::uint64_t word;
    std::size_t length = 0;
    for (; length + sizeof word <= size; length += sizeof word) {
        std::memcpy(&word, bytes + length, sizeof word);
        if (word & kHighBits) return length + std::size_t(std::countr_zero(word & kHighBits)) / 8;
    }
    if (length == size) return size;
    if (size >= sizeof word) {
        // The last eight bytes, overlapping those already passed, which are all ASCII.
        std::memcpy(&word, bytes + size - sizeof word, sizeof word);
        word &= kHighBits;
        return word ? size - sizeof word + std::size_t(std::countr_zero(word)) / 8 : size;
    }
    while (length < size && static_cast<unsigned char>(bytes[length]) < 0x80) ++length;
    return length;
}

// The number of UTF-16 code units of the text, without building them.
std::size_t Utf16Length(std::string_view text);
// The longest start of the text that is at most `units` UTF-16 code units, never cut
// inside a character (a malformed byte counts as one unit, as in Utf16Length).
std::string_view Utf16Prefix(std::string_view text, std::size_t units);
// Malformed UTF-8 becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Appends `count` UTF-16 code units, unit(i) giving the i-th, to `out` as UTF-8; for
// UTF-16 that is not a char16_t array (little-endian bytes, say). Unpaired surrogates
// become U+FFFD.
template <typename UnitAt>
void AppendUtf16AsUtf8(std::size_t count, UnitAt unit, std::string& out) {
    for (std::size_t i = 0; i < count; ++i) {
        char32_t c = unit(i);
        if (c < 0x80) {
            out += char(c);
        } else if (c >= 0xD800 && c < 0xDC00 && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
            AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, c >= 0xD800 && c < 0xE000 ? kReplacementCharacter : c);
        }
    }
}

// Calls emit(unit) for each UTF-16 code unit of a code point.
template <typename Emit>
void EmitUtf16(char32_t codePoint, Emit emit) {
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        emit(char16_t(0xD800 + (codePoint >> 10)));
        emit(char16_t(0xDC00 + (codePoint & 0x3FF)));
    } else {
        emit(char16_t(codePoint));
    }
}

}  // namespace tabvex::text
