#include "platform/jet/mdb/utf16.h"

namespace tabvex::mdb {

namespace {

// Decodes one UTF-8 sequence at `at`; returns the code point or -1 when malformed.
long DecodeOne(std::string_view s, size_t& at) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char lead = byte(at);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || at + static_cast<size_t>(extra) >= s.size()) return -1;
    long cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        unsigned char c = byte(at + static_cast<size_t>(i));
        if ((c & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr long kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    at += static_cast<size_t>(extra) + 1;
    return cp;
}

}  // namespace

std::optional<Bytes> Utf8ToUtf16Le(std::string_view utf8) {
    Bytes out;
    out.reserve(utf8.size() * 2);
    for (size_t at = 0; at < utf8.size();) {
        long cp = DecodeOne(utf8, at);
        if (cp < 0) return std::nullopt;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            AppendU16(out, static_cast<std::uint32_t>(0xD800 + (cp >> 10)));
            AppendU16(out, static_cast<std::uint32_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            AppendU16(out, static_cast<std::uint32_t>(cp));
        }
    }
    return out;
}

size_t Utf16Length(const Bytes& utf16le) { return utf16le.size() / 2; }

}  // namespace tabvex::mdb
