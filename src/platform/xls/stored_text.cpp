#include "platform/xls/stored_text.h"

#include "platform/text/utf8.h"

namespace tabvex::xls {

namespace {

void AppendUnit(std::string& out, char16_t unit) {
    out += char(unit & 0xFF);
    out += char(unit >> 8);
}

// UTF-16LE bytes whose characters all fit one byte, squeezed in place.
void Compress(std::string& wideBytes) {
    for (size_t i = 0; i < wideBytes.size() / 2; ++i) wideBytes[i] = wideBytes[2 * i];
    wideBytes.resize(wideBytes.size() / 2);
}

}  // namespace

StoredText EncodeStoredText(std::string_view utf8, std::string& scratch) {
    if (text::AsciiPrefixLength(utf8) == utf8.size()) return StoredText{utf8, false};
    scratch.clear();
    scratch.reserve(2 * utf8.size());
    bool wide = false;
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = text::DecodeUtf8(utf8, i).value_or(text::kReplacementCharacter);
        wide = wide || cp > 0xFF;
        text::EmitUtf16(cp, [&](char16_t unit) { AppendUnit(scratch, unit); });
    }
    if (!wide) Compress(scratch);
    return StoredText{scratch, wide};
}

StoredText EncodeStoredText(std::u16string_view text, std::string& scratch) {
    scratch.clear();
    bool wide = false;
    for (char16_t c : text) wide = wide || c > 0xFF;
    scratch.reserve(wide ? 2 * text.size() : text.size());
    for (char16_t c : text) wide ? AppendUnit(scratch, c) : scratch.push_back(char(c));
    return StoredText{scratch, wide};
}

StoredText CanonicalStoredText(std::string_view wideBytes, std::string& scratch) {
    for (size_t i = 1; i < wideBytes.size(); i += 2) {
        if (wideBytes[i] != 0) return StoredText{wideBytes, true};
    }
    scratch.assign(wideBytes);
    Compress(scratch);
    return StoredText{scratch, false};
}

void AppendUtf8(StoredText text, std::string& out) {
    if (text.wide) return text::AppendUtf16AsUtf8(text.size(), [&](size_t i) { return text[i]; }, out);
    size_t ascii = text::AsciiPrefixLength(text.bytes);
    out.append(text.bytes.substr(0, ascii));
    for (size_t i = ascii; i < text.bytes.size(); ++i) text::AppendUtf8(out, static_cast<unsigned char>(text.bytes[i]));
}

}  // namespace tabvex::xls
