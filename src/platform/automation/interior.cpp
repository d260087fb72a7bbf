#include "platform/automation/interior.h"

#include "platform/automation/automation_failure.h"
#include "platform/automation/excel_constants.h"

namespace tabvex::automation {
namespace {

// Palette entry n is stored as colour n + 7: the file's colours 0 to 7 are fixed
// ones ahead of the palette.
constexpr int kPaletteOffset = 7;
constexpr int kPaletteSize = 56;

}  // namespace

int Interior::ColorIndex() const {
    const auto fill = target_.TopLeftStyle().fillColour;
    if (!fill) return xlColorIndexNone;
    const int entry = *fill - kPaletteOffset;
    return entry >= 1 && entry <= kPaletteSize ? entry : xlColorIndexAutomatic;
}

void Interior::SetColorIndex(int colorIndex) {
    if (colorIndex != xlColorIndexNone && (colorIndex < 1 || colorIndex > kPaletteSize)) {
        RaisePropertyNotSet("ColorIndex", "Interior", "a colour index is from 1 to 56, or -4142 for none");
    }
    const std::optional<std::uint8_t> fill =
        colorIndex == xlColorIndexNone ? std::nullopt
                                       : std::optional<std::uint8_t>(static_cast<std::uint8_t>(colorIndex + kPaletteOffset));
    target_.Edit([fill](xls::CellFormat& format, const RangePosition&) { format.fillColour = fill; });
}

}  // namespace tabvex::automation
