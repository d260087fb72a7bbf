#include "platform/xls/formula_tokens.h"

#include <string>

#include "platform/xls/xls_error.h"

namespace tabvex::xls {

namespace {

constexpr uint8_t kString = 0x17, kExtended = 0x18, kAttribute = 0x19, kAttrChoose = 0x04;

std::string Hex(uint8_t value) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[value >> 4] + digits[value & 0xF];
}

// Sizes of the classed operands by base token; 0 where BIFF8 defines none.
constexpr uint8_t kOperandSizes[32] = {
    8,  // array constant (its values follow the tokens)
    3, 4, 5, 5, 9,  // function, variable function, name, reference, area
    7, 7, 7, 3,     // memory area, memory error, memory no-memory, memory function
    5, 9, 5, 9,     // reference error, area error, relative reference, relative area
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    7, 7, 11, 7, 11,  // external name, 3-D reference, 3-D area, and their errors
    0, 0};
static_assert(kOperandSizes[ptg::kNameX] == 7 && kOperandSizes[ptg::kAreaErr3d] == 11);

size_t FixedTokenSize(std::span<const uint8_t> tokens, size_t offset) {
    const uint8_t token = tokens[offset];
    auto byteAt = [&](size_t at) -> size_t {
        if (offset + at >= tokens.size()) throw CorruptData("formula token " + Hex(token) + " cut off");
        return tokens[offset + at];
    };
    switch (token) {
        case 0x01: case 0x02: return 5;  // shared formula or table anchor
        case kString: return 3 + byteAt(1) * ((byteAt(2) & 0x01) ? 2 : 1);
        case kExtended: return 6;
        case kAttribute:
            if (byteAt(1) & kAttrChoose) return 4 + 2 * ((byteAt(2) | byteAt(3) << 8) + 1);
            return 4;
        case 0x1C: case 0x1D: return 2;  // error, boolean
        case 0x1E: return 3;             // integer
        case 0x1F: return 9;             // number
        default:
            if (token >= 0x03 && token <= 0x16) return 1;  // operators, parentheses, missing argument
            return 0;
    }
}

}  // namespace

size_t TokenSize(std::span<const uint8_t> tokens, size_t offset) {
    const uint8_t token = tokens[offset];
    size_t size = token >= 0x20 ? kOperandSizes[TokenBase(token)] : FixedTokenSize(tokens, offset);
    if (size == 0 || token >= 0x80) throw CorruptData("unknown formula token " + Hex(token));
    if (size > tokens.size() - offset) throw CorruptData("formula token " + Hex(token) + " cut off");
    return size;
}

void ForEachToken(std::span<const uint8_t> tokens, const std::function<void(size_t offset)>& visit) {
    for (size_t offset = 0; offset < tokens.size(); offset += TokenSize(tokens, offset)) visit(offset);
}

}  // namespace tabvex::xls
