#include "platform/xls/text_encoding.h"

namespace tabvex::xls {

std::u16string FoldCase(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out) {
        bool upperLatin1 = (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        if ((c >= u'A' && c <= u'Z') || upperLatin1) c = char16_t(c + 0x20);
    }
    return out;
}

}  // namespace tabvex::xls
