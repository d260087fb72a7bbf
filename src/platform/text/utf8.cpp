#include "platform/text/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tabvex::text {

std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(pos);
    if (lead < 0x80) return ++pos, char32_t(lead);
    // The continuation bytes a lead byte announces; C0, C1 and F5..FF lead nothing valid.
    std::size_t extra = lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xF0 && lead < 0xF5 ? 3 : 0;
    bool valid = extra > 0 && pos + extra < text.size();
    char32_t cp = lead & (0x3F >> extra);
    for (std::size_t k = 1; valid && k <= extra; ++k) {
        valid = (byte(pos + k) & 0xC0) == 0x80;
        cp = cp << 6 | (byte(pos + k) & 0x3F);
    }
    bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    if (!valid || overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += extra + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | cp >> 6), out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | cp >> 12), out += char(0x80 | (cp >> 6 & 0x3F)), out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | cp >> 18), out += char(0x80 | (cp >> 12 & 0x3F));
        out += char(0x80 | (cp >> 6 & 0x3F)), out += char(0x80 | (cp & 0x3F));
    }
}

std::size_t Utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t ascii = AsciiPrefixLength(text.substr(pos));
        pos += ascii, units += ascii;
        if (pos < text.size()) units += DecodeUtf8(text, pos).value_or(0) >= 0x10000 ? 2 : 1;
    }
    return units;
}

std::string_view Utf16Prefix(std::string_view text, std::size_t units) {
    std::size_t used = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t ascii = std::min(AsciiPrefixLength(text.substr(pos)), units - used);
        pos += ascii, used += ascii;
        if (pos == text.size()) break;
        const std::size_t start = pos;
        const std::size_t width = DecodeUtf8(text, pos).value_or(0) >= 0x10000 ? 2 : 1;
        if (used + width > units) return text.substr(0, start);
        used += width;
    }
    return text;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        EmitUtf16(DecodeUtf8(text, pos).value_or(kReplacementCharacter), [&](char16_t unit) { out += unit; });
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendUtf16AsUtf8(text.size(), [&](std::size_t i) { return text[i]; }, out);
    return out;
}

}  // namespace tabvex::text
