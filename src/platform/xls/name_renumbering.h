// Formulas refer to a defined name by its 1-based position among the NAME records
// (PtgName, and PtgNameX through this workbook's own SUPBOOK). When names are removed,
// references to later names move down with them and references to a removed name
// become #REF!, a reference error token of the same size and class, so no offset
// inside the formula shifts.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/xls/biff_record.h"

namespace tabvex::xls {

class NameRenumbering {
public:
    // `kept[i]` tells whether the name at position i (0-based) stays.
    NameRenumbering(const std::vector<bool>& kept, std::function<bool(uint16_t xti)> isInternalXti);

    // Rewrites name references in one token list. A list the engine cannot walk (a
    // damaged formula) is left as it was.
    void ApplyToTokens(std::span<uint8_t> tokens) const;
    // Rewrites the token lists inside a record body (cell, shared and array formulas,
    // conditional formats, validations, chart links); other records are untouched.
    void ApplyToRecord(uint16_t sid, Bytes& body, std::span<const uint32_t> continueOffsets) const;

private:
    // The new 1-based index of `index`, 0 when that name went; unknown indexes stay.
    uint32_t NewIndex(uint32_t index) const;

    std::vector<uint32_t> newIndex_;  // by old 0-based position
    std::function<bool(uint16_t)> isInternalXti_;
};

}  // namespace tabvex::xls
