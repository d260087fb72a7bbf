#include "platform/xls/name_index.h"

#include "platform/xls/text_encoding.h"

namespace tabvex::xls {

void NameIndex::Build(const std::vector<NameRecord>& names) const {
    entries_.clear();
    entries_.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        Entry& entry = entries_[FoldCase(names[i].DisplayName())];
        auto& slot = names[i].sheetScope == 0 ? entry.global : entry.firstLocal;
        if (!slot) slot = i;
    }
    built_ = true;
}

std::optional<size_t> NameIndex::Find(const std::vector<NameRecord>& names, std::u16string_view folded) const {
    if (!built_) Build(names);
    auto it = entries_.find(std::u16string(folded));
    if (it == entries_.end()) return std::nullopt;
    return it->second.global ? it->second.global : it->second.firstLocal;
}

}  // namespace tabvex::xls
