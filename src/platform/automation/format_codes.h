// Translation between the object model's alignment and line-style numbers and
// the codes the workbook engine stores in its cell formats.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/xls/cell_format.h"

namespace tabvex::automation {

// -4108 (centre) <-> Centre, and the other alignments; nullopt for an unknown number.
std::optional<xls::HorizontalAlignment> StoredAlignment(int horizontalAlignment);
int ModelAlignment(xls::HorizontalAlignment alignment);

// Line style at thin weight: 1 (continuous) <-> 1 (thin), -4142 <-> 0 (none), ...
std::optional<std::uint8_t> StoredLineStyle(int lineStyle);
int ModelLineStyle(std::uint8_t stored);

}  // namespace tabvex::automation
