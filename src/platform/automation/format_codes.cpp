#include "platform/automation/format_codes.h"

#include <array>
#include <utility>

#include "platform/automation/excel_constants.h"

namespace tabvex::automation {
namespace {

// {object-model value, stored code}; a model value listed twice is stored as its first code.
constexpr std::array<std::pair<int, int>, 7> kAlignments{{
    {xlHAlignGeneral, 0},
    {xlHAlignLeft, 1},
    {xlHAlignCenter, 2},
    {xlHAlignRight, 3},
    {xlHAlignFill, 4},
    {xlHAlignJustify, 5},
    {xlHAlignCenterAcrossSelection, 6},
}};

// Stored codes 2 and 5 (medium, thick) and 7 (hair) are continuous lines of other weights;
// 8, 10 and 12 medium variants of the dashed ones.
constexpr std::array<std::pair<int, int>, 14> kLineStyles{{
    {xlLineStyleNone, 0},
    {xlContinuous, 1},
    {xlDash, 3},
    {xlDot, 4},
    {xlDouble, 6},
    {xlDashDot, 9},
    {xlDashDotDot, 11},
    {xlSlantDashDot, 13},
    {xlContinuous, 2},
    {xlContinuous, 5},
    {xlContinuous, 7},
    {xlDash, 8},
    {xlDashDot, 10},
    {xlDashDotDot, 12},
}};

template <size_t N>
std::optional<int> CodeFor(const std::array<std::pair<int, int>, N>& table, int value) {
    for (const auto& [modelValue, code] : table) {
        if (modelValue == value) return code;
    }
    return std::nullopt;
}

template <size_t N>
int ValueFor(const std::array<std::pair<int, int>, N>& table, int code, int fallback) {
    for (const auto& [modelValue, storedCode] : table) {
        if (storedCode == code) return modelValue;
    }
    return fallback;
}

}  // namespace

std::optional<xls::HorizontalAlignment> StoredAlignment(int horizontalAlignment) {
    const auto code = CodeFor(kAlignments, horizontalAlignment);
    if (!code) return std::nullopt;
    return static_cast<xls::HorizontalAlignment>(*code);
}

int ModelAlignment(xls::HorizontalAlignment alignment) {
    return ValueFor(kAlignments, static_cast<int>(alignment), xlHAlignGeneral);
}

std::optional<std::uint8_t> StoredLineStyle(int lineStyle) {
    const auto code = CodeFor(kLineStyles, lineStyle);
    if (!code) return std::nullopt;
    return static_cast<std::uint8_t>(*code);
}

int ModelLineStyle(std::uint8_t stored) { return ValueFor(kLineStyles, stored, xlLineStyleNone); }

}  // namespace tabvex::automation
