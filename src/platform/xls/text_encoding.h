// UTF-8 (the program's text) to and from UTF-16 (the workbook's text).
#pragma once

#include <string>
#include <string_view>

namespace tabvex::xls {

// Invalid UTF-8 becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// Simple case folding over ASCII and Latin-1, for names compared without regard to case.
std::u16string FoldCase(std::u16string_view text);

}  // namespace tabvex::xls
