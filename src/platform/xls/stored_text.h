// Text in the form BIFF8 stores it: one byte per character (Latin-1, "compressed")
// when every character is below U+0100, else two bytes per UTF-16 code unit,
// little-endian. The shared string table keeps its texts this way, so Western text
// takes half the memory of UTF-16 and goes to and from the file by plain copies.
// Every text has exactly one stored form (wide only when some character needs it),
// so two texts are equal exactly when their forms and bytes are.
#pragma once

#include <string>
#include <string_view>

namespace tabvex::xls {

struct StoredText {
    std::string_view bytes;
    bool wide = false;

    // The length in UTF-16 code units, as BIFF counts characters.
    size_t size() const { return wide ? bytes.size() / 2 : bytes.size(); }
    char16_t operator[](size_t i) const {
        if (!wide) return static_cast<unsigned char>(bytes[i]);
        return char16_t(static_cast<unsigned char>(bytes[2 * i]) | static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    bool operator==(const StoredText&) const = default;
};

// The stored form of UTF-8 text (invalid UTF-8 becomes U+FFFD). ASCII text is viewed
// where it is; any other is built in `scratch`, which must outlive the result.
StoredText EncodeStoredText(std::string_view utf8, std::string& scratch);
StoredText EncodeStoredText(std::u16string_view text, std::string& scratch);
// Wide bytes as a file may hold them, compressed into `scratch` when every character
// fits one byte, so that the result is the text's one stored form.
StoredText CanonicalStoredText(std::string_view wideBytes, std::string& scratch);

void AppendUtf8(StoredText text, std::string& out);

}  // namespace tabvex::xls
