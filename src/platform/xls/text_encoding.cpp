#include "platform/xls/text_encoding.h"

namespace tabvex::xls {

namespace {
constexpr char32_t kReplacement = 0xFFFD;
}

char32_t DecodeUtf8(std::string_view text, size_t& i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || lead >= 0xF5) return kReplacement;
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return kReplacement;
        cp = cp << 6 | (byte(i++) & 0x3F);
    }
    bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
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

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t cp = DecodeUtf8(text, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10)), out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

size_t Utf16Length(std::string_view text) {
    size_t units = 0;
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i, ++units;
        } else {
            units += DecodeUtf8(text, i) >= 0x10000 ? 2 : 1;
        }
    }
    return units;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendUtf16AsUtf8(text.size(), [&](size_t i) { return text[i]; }, out);
    return out;
}

std::u16string FoldCase(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out) {
        bool upperLatin1 = (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        if ((c >= u'A' && c <= u'Z') || upperLatin1) c = char16_t(c + 0x20);
    }
    return out;
}

}  // namespace tabvex::xls
