// NAME: a defined name, global or local to a sheet, with its formula as tokens.
#pragma once

#include <string>

#include "platform/xls/biff_record.h"

namespace tabvex::xls {

struct NameRecord {
    static constexpr uint16_t kHidden = 0x0001, kBuiltIn = 0x0020;

    uint16_t options = 0;
    uint8_t shortcut = 0;
    uint16_t reserved = 0;
    uint16_t sheetScope = 0;     // 0 global, else 1-based sheet index
    uint8_t lengths[4] = {};     // menu, description, help and status texts in the tail
    std::u16string name;         // a built-in name is one character, its code
    Bytes formula;               // parsed formula tokens
    Bytes tail;                  // extra formula data and the texts, as read

    bool Hidden() const { return options & kHidden; }
    bool BuiltIn() const { return options & kBuiltIn; }
    // The name as Excel shows it: built-in codes become "Print_Area" and the like.
    std::u16string DisplayName() const;

    static NameRecord Parse(const BiffRecord& record);
    BiffRecord ToRecord() const;
};

}  // namespace tabvex::xls
