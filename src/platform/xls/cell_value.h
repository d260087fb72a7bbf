// What a cell holds, as the engine's callers see it.
#pragma once

#include <cstdint>
#include <string>

namespace tabvex::xls {

enum class CellType : uint8_t { Empty, Text, Number, Boolean, Error };

struct CellValue {
    CellType type = CellType::Empty;
    bool isFormula = false;  // the value is a formula's cached result
    std::string text;        // Text
    double number = 0;       // Number; Boolean 0 or 1; Error the BIFF error code

    // The value as a person reads it in the cell: text as is, numbers in their
    // shortest exact notation, TRUE/FALSE, "#N/A" and its siblings, "" when empty.
    std::string Shown() const;
};

// "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"; "#ERR" otherwise.
std::string ErrorText(uint8_t code);

}  // namespace tabvex::xls
