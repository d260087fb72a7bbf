// Formulas of defined names: turning their tokens into the text Excel shows
// ("=Orders!$A$1:$B$10") and building the tokens of a reference to a sheet area.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "platform/xls/byte_io.h"
#include "platform/xls/cell_range.h"

namespace tabvex::xls {

// What a 3-D reference's XTI names: a sheet's display text ("Orders", "'My Sheet'"),
// or nothing when the sheet was deleted (the reference shows as #REF!).
using XtiResolver = std::function<std::optional<std::string>(uint16_t xti)>;

// The formula as text with its leading "=", or nothing for tokens it cannot show.
std::optional<std::string> FormulaText(std::span<const uint8_t> tokens, const XtiResolver& resolve);

struct AreaReference {
    uint16_t xti;
    CellRange range;
};

// The area a formula of exactly one 3-D reference (cell or area) names.
std::optional<AreaReference> SingleAreaOf(std::span<const uint8_t> tokens);
// Tokens of an absolute 3-D reference: a cell reference for one cell, else an area.
Bytes AreaTokens(uint16_t xti, const CellRange& range);

}  // namespace tabvex::xls
