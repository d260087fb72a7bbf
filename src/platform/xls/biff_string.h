// BIFF8 Unicode strings: a character count, an option byte (compressed Latin-1 or
// UTF-16, rich-text runs, phonetic data) and the characters. Character data that
// crosses a CONTINUE boundary starts again with its own option byte there.
#pragma once

#include <span>
#include <string>

#include "platform/xls/byte_io.h"

namespace tabvex::xls {

// A string with the formatting runs and phonetic block it carried, kept as bytes.
struct BiffString {
    std::u16string text;
    Bytes runs;      // 4 bytes per run
    Bytes phonetic;  // the ExtRst block
};

// Reads strings from a record body whose CONTINUE offsets are `boundaries`.
class BiffStringReader {
public:
    BiffStringReader(ByteReader& reader, std::span<const uint32_t> boundaries)
        : reader_(reader), boundaries_(boundaries) {}

    // XLUnicodeString: 16-bit count, option byte, runs and phonetic data when flagged.
    BiffString ReadUnicodeString();
    // ShortXLUnicodeString: 8-bit count, option byte, characters.
    std::u16string ReadShortString();
    // XLUnicodeStringNoCch: option byte and `count` characters.
    std::u16string ReadCharacters(size_t count);

private:
    std::u16string ReadCharacterData(size_t count, bool highByte);
    size_t NextBoundary() const;

    ByteReader& reader_;
    std::span<const uint32_t> boundaries_;
};

// True when every character fits the compressed (one byte per character) form.
bool FitsCompressed(std::u16string_view text);
// Size in bytes of the option byte and the characters.
size_t CharacterDataSize(std::u16string_view text);

void WriteCharacters(ByteWriter& out, std::u16string_view text);  // option byte + characters
void WriteShortString(ByteWriter& out, std::u16string_view text);
void WriteUnicodeString(ByteWriter& out, std::u16string_view text);

}  // namespace tabvex::xls
