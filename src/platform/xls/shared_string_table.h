// The workbook's shared strings: every text cell refers to one by index. Strings are
// kept end to end in one buffer in their stored form (one byte per character for
// Latin-1 text, UTF-16 otherwise), so hundreds of thousands of them stay small;
// strings added by the program are interned, so repeated texts share one entry.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/xls/byte_io.h"
#include "platform/xls/growing_bytes.h"
#include "platform/xls/stored_text.h"

namespace tabvex::xls {

// The formatting runs (4 bytes each) and phonetic block of a string read from a file.
struct StringExtras {
    Bytes runs;
    Bytes phonetic;
};

class SharedStringTable {
public:
    // Interns a text: an equal plain string already present is reused. The text must
    // not view this table's own bytes.
    uint32_t Add(StoredText text);
    // Interns several texts, indices[i] receiving texts[i]'s string. Their index slots
    // are fetched from memory together rather than one cache miss after another.
    void AddAll(std::span<const StoredText> texts, std::span<uint32_t> indices);
    // Appends a string read from a file as it is, with its runs and phonetic data.
    uint32_t Append(StoredText text, std::span<const uint8_t> runs = {}, std::span<const uint8_t> phonetic = {});

    size_t size() const { return starts_.size() - 1; }
    // The text of a string; it stays valid until the next string is added.
    StoredText Text(uint32_t index) const {
        if (index + 1 >= starts_.size()) return {};
        return StoredText{std::string_view(bytes_.data() + starts_[index], starts_[index + 1] - starts_[index]),
                          wide_[index] != 0};
    }
    const StringExtras* Extras(uint32_t index) const {
        if (extras_.empty()) return nullptr;  // strings added by the program have none
        auto it = extras_.find(index);
        return it == extras_.end() ? nullptr : &it->second;
    }
    void Reserve(size_t strings, size_t bytes);

private:
    uint32_t Store(StoredText text);
    void Index(uint32_t string, uint32_t hash);
    // Makes room for `more` strings in the index and indexes those appended from a file.
    void PrepareIndex(size_t more);
    uint32_t Intern(StoredText text, uint32_t hash);
    size_t SlotOf(StoredText text, uint32_t hash) const;

    GrowingBytes bytes_;
    std::vector<uint32_t> starts_{0};  // string i is bytes_[starts_[i], starts_[i + 1])
    std::vector<uint8_t> wide_;  // a byte, not a bit, per string: cheaper to append
    std::unordered_map<uint32_t, StringExtras> extras_;  // only strings with runs or phonetic data

    // Open addressing with linear probing, at most half full. A slot keeps the string's
    // hash, which picks its home slot (top bits) and spares most visits to bytes_, so
    // the index grows without reading a single string.
    struct Slot {
        uint32_t index = 0;  // index + 1 of a plain string, 0 when empty
        uint32_t hash = 0;
    };
    std::vector<Slot> slots_;
    int shift_ = 32;      // home slot = hash >> shift_
    size_t indexed_ = 0;  // strings [0, indexed_) are in slots_ (or have extras)
};

}  // namespace tabvex::xls
