// The parsed tokens (Rgce) of a BIFF8 formula, walked one token at a time so that
// references inside can be found and patched in place without understanding the
// whole formula.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace tabvex::xls {

// Operand tokens come in three classes (0x20 reference, 0x40 value, 0x60 array) over
// one base token, the low five bits; the fixed tokens below 0x20 have none (base 0).
constexpr uint8_t TokenBase(uint8_t token) { return token >= 0x20 ? uint8_t(token & 0x1F) : 0; }
constexpr uint8_t TokenClass(uint8_t token) { return uint8_t(token & 0x60); }

namespace ptg {
// Base tokens of the operands the engine looks at.
constexpr uint8_t kName = 0x03, kRef = 0x04, kArea = 0x05, kRefErr = 0x0A, kNameX = 0x19, kRef3d = 0x1A,
                  kArea3d = 0x1B, kRefErr3d = 0x1C, kAreaErr3d = 0x1D;
}  // namespace ptg

// Calls `visit` with the offset of each token in `tokens`, in order. Throws
// CorruptData for a token BIFF8 does not define or one cut off by the end.
void ForEachToken(std::span<const uint8_t> tokens, const std::function<void(size_t offset)>& visit);

// Size in bytes of the token at `offset`, its data included.
size_t TokenSize(std::span<const uint8_t> tokens, size_t offset);

}  // namespace tabvex::xls
