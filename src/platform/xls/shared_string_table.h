// The workbook's shared strings: every text cell refers to one by index. Strings are
// kept end to end in one UTF-16 buffer, so hundreds of thousands of them stay small;
// strings added by the program are interned, so repeated texts share one entry.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/xls/biff_string.h"

namespace tabvex::xls {

class SharedStringTable {
public:
    // Interns a text: an equal plain string already present is reused.
    uint32_t Add(std::u16string_view text);
    // Appends a string read from a file as it is (rich-text runs and phonetic data kept).
    uint32_t Append(const BiffString& string);

    size_t size() const { return starts_.size() - 1; }
    std::u16string_view Text(uint32_t index) const;
    // The rich-text runs and phonetic block of a string read from a file, if any.
    const BiffString* Extras(uint32_t index) const;
    void Reserve(size_t strings, size_t characters);

private:
    uint32_t Store(std::u16string_view text);
    void Rehash(size_t slots);
    size_t SlotOf(std::u16string_view text) const;

    std::vector<char16_t> chars_;
    std::vector<uint32_t> starts_{0};
    std::unordered_map<uint32_t, BiffString> extras_;  // only strings with runs or phonetic data
    struct Slot {
        uint32_t index = 0;  // index + 1 of a plain string, 0 when empty
        uint32_t check = 0;  // high half of the string's hash
    };
    std::vector<Slot> slots_;  // open addressing with linear probing
    size_t indexed_ = 0;           // strings [0, indexed_) are in slots_
};

}  // namespace tabvex::xls
