// Defined names by their case-folded text, so a lookup among thousands of names does
// not compare against each. Excel compares names without regard to case; a global
// name wins over a sheet-local one of the same text, else the first in order does.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/xls/name_record.h"

namespace tabvex::xls {

class NameIndex {
public:
    // Position in `names` of the name `folded` (already case-folded) stands for.
    std::optional<size_t> Find(const std::vector<NameRecord>& names, std::u16string_view folded) const;
    // Forgets the index; the next lookup rebuilds it from the names.
    void Invalidate() { built_ = false; }

private:
    struct Entry {
        std::optional<size_t> global;
        std::optional<size_t> firstLocal;
    };
    void Build(const std::vector<NameRecord>& names) const;

    mutable std::unordered_map<std::u16string, Entry> entries_;
    mutable bool built_ = false;
};

}  // namespace tabvex::xls
