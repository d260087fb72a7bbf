// Writing chosen bytes of a name as "%" and two upper-case hexadecimal digits, for
// names that must stand where some characters cannot (file names, INI keys). Each
// caller chooses its bytes and always includes '%', so the encoding is one to one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabvex::com {

// `text` with every byte for which `encode(byte, position)` holds written as %XX.
template <typename Choose>
std::string PercentEncoded(std::string_view text, Choose encode) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (encode(c, i)) {
            encoded += '%';
            encoded += kDigits[c >> 4];
            encoded += kDigits[c & 0xF];
        } else {
            encoded += static_cast<char>(c);
        }
    }
    return encoded;
}

}  // namespace tabvex::com
