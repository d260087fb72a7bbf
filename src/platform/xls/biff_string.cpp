#include "platform/xls/biff_string.h"

#include <algorithm>

namespace tabvex::xls {

namespace {
constexpr uint8_t kHighByte = 0x01, kPhonetic = 0x04, kRichText = 0x08;
}

size_t BiffStringReader::NextBoundary() const {
    auto it = std::lower_bound(boundaries_.begin(), boundaries_.end(), uint32_t(reader_.position()));
    return it == boundaries_.end() ? SIZE_MAX : *it;
}

std::u16string BiffStringReader::ReadCharacterData(size_t count, bool highByte) {
    std::u16string text;
    text.reserve(std::min(count, reader_.remaining()));
    while (text.size() < count) {
        size_t limit = NextBoundary() - reader_.position();
        size_t available = highByte ? limit / 2 : limit;
        size_t take = std::min(count - text.size(), available);
        if (take == 0 && limit != SIZE_MAX) {
            // The characters go on in the next CONTINUE, behind a fresh option byte.
            reader_.skip(limit);
            highByte = (reader_.u8() & kHighByte) != 0;
            continue;
        }
        auto raw = reader_.bytes(highByte ? take * 2 : take);
        for (size_t i = 0; i < take; ++i) {
            text += highByte ? char16_t(raw[2 * i] | raw[2 * i + 1] << 8) : char16_t(raw[i]);
        }
    }
    return text;
}

std::u16string BiffStringReader::ReadCharacters(size_t count) {
    uint8_t options = reader_.u8();
    return ReadCharacterData(count, (options & kHighByte) != 0);
}

std::u16string BiffStringReader::ReadShortString() {
    size_t count = reader_.u8();
    return ReadCharacters(count);
}

StoredText BiffStringReader::ReadStoredCharacters(size_t count, bool highByte) {
    const size_t size = highByte ? 2 * count : count;
    if (size > NextBoundary() - reader_.position()) return EncodeStoredText(ReadCharacterData(count, highByte), scratch_);
    auto raw = reader_.bytes(size);
    std::string_view bytes(reinterpret_cast<const char*>(raw.data()), raw.size());
    return highByte ? CanonicalStoredText(bytes, scratch_) : StoredText{bytes, false};
}

BiffString BiffStringReader::ReadUnicodeString() {
    size_t count = reader_.u16();
    uint8_t options = reader_.u8();
    size_t runCount = (options & kRichText) ? reader_.u16() : 0;
    size_t phoneticSize = (options & kPhonetic) ? reader_.u32() : 0;
    BiffString s;
    s.text = ReadStoredCharacters(count, (options & kHighByte) != 0);
    s.runs = reader_.bytes(runCount * 4);
    s.phonetic = reader_.bytes(phoneticSize);
    return s;
}

bool FitsCompressed(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; });
}

size_t CharacterDataSize(std::u16string_view text) {
    return 1 + text.size() * (FitsCompressed(text) ? 1 : 2);
}

void WriteCharacters(ByteWriter& out, std::u16string_view text) {
    bool compressed = FitsCompressed(text);
    out.u8(compressed ? 0 : kHighByte);
    for (char16_t c : text) {
        if (compressed) {
            out.u8(uint8_t(c));
        } else {
            out.u16(c);
        }
    }
}

void WriteShortString(ByteWriter& out, std::u16string_view text) {
    out.u8(uint8_t(text.size()));
    WriteCharacters(out, text);
}

void WriteUnicodeString(ByteWriter& out, std::u16string_view text) {
    out.u16(uint16_t(text.size()));
    WriteCharacters(out, text);
}

}  // namespace tabvex::xls
