// BIFF8 Unicode strings: a character count, an option byte (compressed Latin-1 or
// UTF-16, rich-text runs, phonetic data) and the characters. Character data that
// crosses a CONTINUE boundary starts again with its own option byte there.
#pragma once

#include <span>
#include <string>

#include "platform/xls/byte_io.h"
#include "platform/xls/stored_text.h"

namespace tabvex::xls {

// A string as read, with the formatting runs and phonetic block it carried; it views
// the record being read (or the reader's scratch buffer) and lives no longer.
struct BiffString {
    StoredText text;
    std::span<const uint8_t> runs;      // 4 bytes per run
    std::span<const uint8_t> phonetic;  // the ExtRst block
};

// Reads strings from a record body whose CONTINUE offsets are `boundaries`.
class BiffStringReader {
public:
    BiffStringReader(ByteReader& reader, std::span<const uint32_t> boundaries)
        : reader_(reader), boundaries_(boundaries) {}

    // XLUnicodeString: 16-bit count, option byte, runs and phonetic data when flagged.
    // Characters that do not cross a CONTINUE boundary are viewed, not copied.
    BiffString ReadUnicodeString();
    // ShortXLUnicodeString: 8-bit count, option byte, characters.
    std::u16string ReadShortString();
    // XLUnicodeStringNoCch: option byte and `count` characters.
    std::u16string ReadCharacters(size_t count);

private:
    std::u16string ReadCharacterData(size_t count, bool highByte);
    StoredText ReadStoredCharacters(size_t count, bool highByte);
    size_t NextBoundary() const;

    ByteReader& reader_;
    std::span<const uint32_t> boundaries_;
    std::string scratch_;
};

// True when every character fits the compressed (one byte per character) form.
bool FitsCompressed(std::u16string_view text);
// Size in bytes of the option byte and the characters.
size_t CharacterDataSize(std::u16string_view text);

void WriteCharacters(ByteWriter& out, std::u16string_view text);  // option byte + characters
void WriteShortString(ByteWriter& out, std::u16string_view text);
void WriteUnicodeString(ByteWriter& out, std::u16string_view text);

}  // namespace tabvex::xls
