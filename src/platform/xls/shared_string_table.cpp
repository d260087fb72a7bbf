#include "platform/xls/shared_string_table.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>
#include <utility>

#include "platform/xls/xls_error.h"

namespace tabvex::xls {

namespace {

constexpr size_t kFirstIndexSlots = 1024;

uint64_t Mix(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

// The last `n` (< 8) bytes of a text of `size` bytes as one word, by fixed-size loads
// rather than a copy of variable length; a long text's last word overlaps bytes hashed
// already, a short one's loads overlap each other.
uint64_t TailWord(const char* p, size_t n, size_t size) {
    if (n == 0) return 0;
    if (size >= 8) {
        uint64_t word;
        std::memcpy(&word, p + n - 8, 8);
        return word;
    }
    if (n >= 4) {
        uint32_t first, last;
        std::memcpy(&first, p, 4);
        std::memcpy(&last, p + n - 4, 4);
        return first | uint64_t(last) << 32;
    }
    return uint64_t(uint8_t(p[0])) | uint64_t(uint8_t(p[n / 2])) << 8 | uint64_t(uint8_t(p[n - 1])) << 16;
}

// Eight bytes per step with a multiply and fold; the final mix spreads every input
// bit over the top bits that pick the slot.
uint32_t HashOf(StoredText text) {
    const char* p = text.bytes.data();
    const size_t size = text.bytes.size();
    size_t n = size;
    uint64_t h = 0x9E3779B97F4A7C15ull ^ (uint64_t(n) << 1 | (text.wide ? 1 : 0));
    for (; n >= 8; p += 8, n -= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ word) * 0x100000001B3ull;
        h ^= h >> 29;
    }
    return uint32_t(Mix(h ^ TailWord(p, n, size)) >> 32);
}

}  // namespace

void SharedStringTable::Reserve(size_t strings, size_t bytes) {
    starts_.reserve(strings + 1);
    wide_.reserve(strings);
    bytes_.reserve(bytes);
}

uint32_t SharedStringTable::Store(StoredText text) {
    if (text.bytes.size() > UINT32_MAX - bytes_.size()) throw XlsError("the workbook's strings exceed 4 GB");
    bytes_.append(text.bytes);
    starts_.push_back(uint32_t(bytes_.size()));
    wide_.push_back(text.wide);
    return uint32_t(size() - 1);
}

uint32_t SharedStringTable::Append(StoredText text, std::span<const uint8_t> runs, std::span<const uint8_t> phonetic) {
    uint32_t index = Store(text);
    if (!runs.empty() || !phonetic.empty()) {
        extras_.emplace(index, StringExtras{Bytes(runs.begin(), runs.end()), Bytes(phonetic.begin(), phonetic.end())});
    }
    return index;
}

size_t SharedStringTable::SlotOf(StoredText text, uint32_t hash) const {
    const size_t mask = slots_.size() - 1;
    size_t slot = hash >> shift_;
    while (slots_[slot].index != 0 && (slots_[slot].hash != hash || Text(slots_[slot].index - 1) != text)) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

void SharedStringTable::PrepareIndex(size_t more) {
    // An index kept at most half full keeps probe runs short; it grows from the hashes
    // it keeps, without reading a single string.
    size_t count = std::max(kFirstIndexSlots, slots_.size());
    while (count < (size() + more) * 2) count *= 2;
    if (count != slots_.size()) {
        std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(count));
        shift_ = 32 - std::countr_zero(count);
        for (const Slot& s : old) {
            if (s.index == 0) continue;
            size_t slot = s.hash >> shift_;
            while (slots_[slot].index != 0) slot = (slot + 1) & (count - 1);
            slots_[slot] = s;
        }
    }
    // Strings appended from a file join the index on first use.
    for (; indexed_ < size(); ++indexed_) {
        if (!extras_.count(uint32_t(indexed_))) Index(uint32_t(indexed_), HashOf(Text(uint32_t(indexed_))));
    }
}

void SharedStringTable::Index(uint32_t string, uint32_t hash) {
    size_t slot = SlotOf(Text(string), hash);
    if (slots_[slot].index != 0) return;  // an equal string came first
    slots_[slot] = Slot{string + 1, hash};
}

uint32_t SharedStringTable::Intern(StoredText text, uint32_t hash) {
    size_t slot = SlotOf(text, hash);
    if (slots_[slot].index != 0) return slots_[slot].index - 1;
    uint32_t index = Store(text);
    slots_[slot] = Slot{index + 1, hash};
    indexed_ = size();
    return index;
}

uint32_t SharedStringTable::Add(StoredText text) {
    PrepareIndex(1);
    return Intern(text, HashOf(text));
}

void SharedStringTable::AddAll(std::span<const StoredText> texts, std::span<uint32_t> indices) {
    PrepareIndex(texts.size());
    uint32_t hashes[64];
    for (size_t first = 0; first < texts.size(); first += std::size(hashes)) {
        size_t count = std::min(texts.size() - first, std::size(hashes));
        for (size_t i = 0; i < count; ++i) {
            hashes[i] = HashOf(texts[first + i]);
            __builtin_prefetch(&slots_[hashes[i] >> shift_]);
        }
        for (size_t i = 0; i < count; ++i) indices[first + i] = Intern(texts[first + i], hashes[i]);
    }
}

}  // namespace tabvex::xls
