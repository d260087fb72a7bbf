#include "platform/xls/shared_string_table.h"

namespace tabvex::xls {

namespace {
// FNV-1a with a final mix, so that the low bits used as the slot are well spread.
uint64_t Hash(std::u16string_view text) {
    uint64_t h = 1469598103934665603ull;
    for (char16_t c : text) h = (h ^ c) * 1099511628211ull;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 33);
}
}  // namespace

std::u16string_view SharedStringTable::Text(uint32_t index) const {
    if (index + 1 >= starts_.size()) return {};
    return std::u16string_view(chars_.data() + starts_[index], starts_[index + 1] - starts_[index]);
}

const BiffString* SharedStringTable::Extras(uint32_t index) const {
    auto it = extras_.find(index);
    return it == extras_.end() ? nullptr : &it->second;
}

void SharedStringTable::Reserve(size_t strings, size_t characters) {
    starts_.reserve(strings + 1);
    chars_.reserve(characters);
}

uint32_t SharedStringTable::Store(std::u16string_view text) {
    chars_.insert(chars_.end(), text.begin(), text.end());
    starts_.push_back(uint32_t(chars_.size()));
    return uint32_t(size() - 1);
}

uint32_t SharedStringTable::Append(const BiffString& string) {
    uint32_t index = Store(string.text);
    if (!string.runs.empty() || !string.phonetic.empty()) extras_.emplace(index, string);
    return index;
}

size_t SharedStringTable::SlotOf(std::u16string_view text) const {
    const uint64_t hash = Hash(text);
    const uint32_t check = uint32_t(hash >> 32);
    size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    // The stored high half of the hash spares most visits to the string buffer.
    while (slots_[slot].index != 0 && (slots_[slot].check != check || Text(slots_[slot].index - 1) != text)) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

void SharedStringTable::Rehash(size_t slotCount) {
    slots_.assign(slotCount, Slot{});
    indexed_ = 0;
    for (; indexed_ < size(); ++indexed_) {
        if (extras_.count(uint32_t(indexed_))) continue;
        std::u16string_view text = Text(uint32_t(indexed_));
        size_t slot = SlotOf(text);
        if (slots_[slot].index == 0) slots_[slot] = Slot{uint32_t(indexed_ + 1), uint32_t(Hash(text) >> 32)};
    }
}

uint32_t SharedStringTable::Add(std::u16string_view text) {
    // The index is built on first use and kept under half full.
    if (indexed_ != size() || (size() + 1) * 2 > slots_.size()) {
        size_t slotCount = 1024;
        while (slotCount < (size() + 1) * 4) slotCount *= 2;
        if (slotCount != slots_.size() || indexed_ != size()) Rehash(slotCount);
    }
    size_t slot = SlotOf(text);
    if (slots_[slot].index != 0) return slots_[slot].index - 1;
    uint32_t index = Store(text);
    slots_[slot] = Slot{index + 1, uint32_t(Hash(text) >> 32)};
    indexed_ = size();
    return index;
}

}  // namespace tabvex::xls
