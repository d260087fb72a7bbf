#include "platform/oledb/guid.h"

#include <stdexcept>

namespace tabvex::oledb {
namespace {

// Positions of the hex digit pairs inside "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
constexpr std::array<int, 16> kPairOffsets = {1, 3, 5, 7, 10, 12, 15, 17, 20, 22, 25, 27, 29, 31, 33, 35};
constexpr std::array<int, 4> kDashOffsets = {9, 14, 19, 24};
constexpr std::size_t kTextLength = 38;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<Guid> Guid::Parse(std::string_view text) {
    if (text.size() != kTextLength || text.front() != '{' || text.back() != '}') return std::nullopt;
    for (int dash : kDashOffsets) {
        if (text[dash] != '-') return std::nullopt;
    }
    Guid guid;
    for (std::size_t i = 0; i < kPairOffsets.size(); ++i) {
        int high = HexDigit(text[kPairOffsets[i]]);
        int low = HexDigit(text[kPairOffsets[i] + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        guid.bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return guid;
}

std::string Guid::ToString() const {
    std::string text(kTextLength, '-');
    text.front() = '{';
    text.back() = '}';
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < kPairOffsets.size(); ++i) {
        text[kPairOffsets[i]] = kDigits[bytes[i] >> 4];
        text[kPairOffsets[i] + 1] = kDigits[bytes[i] & 0xF];
    }
    return text;
}

Guid GuidLiteral(std::string_view text) {
    auto guid = Guid::Parse(text);
    if (!guid) throw std::invalid_argument("malformed GUID literal: " + std::string(text));
    return *guid;
}

}  // namespace tabvex::oledb
