#include "platform/automation/column_width.h"

#include <algorithm>
#include <cmath>

namespace tabvex::automation {
namespace {

constexpr double kDigitPixels = 7;
constexpr double kMarginPixels = 5;
constexpr double kUnitsPerCharacter = 256;

}  // namespace

int ColumnWidthUnits(double characters) {
    if (characters <= 0) return 0;  // a hidden column
    return static_cast<int>((characters * kDigitPixels + kMarginPixels) / kDigitPixels * kUnitsPerCharacter);
}

double ColumnWidthCharacters(int units) {
    if (units <= 0) return 0;
    const double pixels = units / kUnitsPerCharacter * kDigitPixels - kMarginPixels;
    return std::max(0.0, std::round(pixels / kDigitPixels * 100) / 100);
}

}  // namespace tabvex::automation
