// Where records keep formula tokens: cell formulas and the shared and array formulas
// behind them, conditional formats, data validations and chart series links. Used to
// patch references (to defined names, say) inside records kept as read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tabvex::xls {

struct TokenSpan {
    size_t offset;  // within the record body
    size_t size;
};

// The token lists in the body of a record with identifier `sid`, empty for records
// that hold none. Throws CorruptData when the body is too short for what it declares.
std::vector<TokenSpan> FormulaTokensIn(uint16_t sid, std::span<const uint8_t> body,
                                       std::span<const uint32_t> continueOffsets);

}  // namespace tabvex::xls
