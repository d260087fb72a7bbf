#include "platform/jet/mdb/utf16.h"

#include "platform/text/utf8.h"

namespace tabvex::mdb {

std::optional<Bytes> Utf8ToUtf16Le(std::string_view utf8) {
    Bytes out;
    out.reserve(utf8.size() * 2);
    for (size_t at = 0; at < utf8.size();) {
        std::optional<char32_t> cp = text::DecodeUtf8(utf8, at);
        if (!cp) return std::nullopt;
        text::EmitUtf16(*cp, [&](char16_t unit) { AppendU16(out, unit); });
    }
    return out;
}

size_t Utf16Length(const Bytes& utf16le) { return utf16le.size() / 2; }

}  // namespace tabvex::mdb
