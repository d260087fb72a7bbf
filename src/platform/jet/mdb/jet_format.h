// Layout constants of the Jet page format shared by the file checks and the writer
// (offsets are those of the mdbtools format notes).
#pragma once

#include <array>
#include <cstdint>

namespace tabvex::mdb::format {

inline constexpr std::uint8_t kPageDatabase = 0x00;
inline constexpr std::uint8_t kPageData = 0x01;
inline constexpr std::uint8_t kPageTableDefinition = 0x02;

inline constexpr int kJet3PageSize = 2048;
inline constexpr int kJet4PageSize = 4096;
inline constexpr std::uint32_t kCatalogPage = 2;  // MSysObjects' table definition

// Header page: the version byte, and the region scrambled with a fixed RC4 key.
inline constexpr int kVersionOffset = 0x14;
inline constexpr int kScrambledOffset = 0x18;
inline constexpr int kJet3ScrambledLength = 126;
inline constexpr int kJet4ScrambledLength = 128;
inline constexpr std::array<std::uint8_t, 4> kHeaderKey{0xC7, 0xDA, 0x39, 0x6B};
inline constexpr int kCodePageOffset = 0x3C;
inline constexpr int kDatabaseKeyOffset = 0x3E;
inline constexpr int kPasswordOffset = 0x42;
inline constexpr int kJet4SortOrderOffset = 0x6E;
inline constexpr int kJet4CreationDateOffset = 0x72;

inline constexpr std::uint8_t kVersionJet3 = 0x00;
inline constexpr std::uint8_t kVersionJet4 = 0x01;
inline constexpr std::uint8_t kVersionLastAce = 0x06;

// Jet 4 table definition header.
inline constexpr int kTdefNextPage = 4;
inline constexpr int kTdefLength = 8;
inline constexpr int kTdefRowCount = 16;
inline constexpr int kTdefTableType = 40;
inline constexpr int kTdefMaxColumns = 41;
inline constexpr int kTdefVarColumns = 43;
inline constexpr int kTdefColumns = 45;
inline constexpr int kTdefIndexes = 47;
inline constexpr int kTdefRealIndexes = 51;
inline constexpr int kTdefUsageMap = 55;
inline constexpr int kTdefFreeMap = 59;
inline constexpr int kTdefColumnsStart = 63;
inline constexpr int kTdefColumnEntrySize = 25;
inline constexpr int kTdefRealIndexEntrySize = 12;

// Jet 4 data page header.
inline constexpr int kDataFreeSpace = 2;
inline constexpr int kDataOwner = 4;
inline constexpr int kDataRowCount = 12;
inline constexpr int kDataRowOffsets = 14;

// Row offset flags in a data page's offset table.
inline constexpr std::uint16_t kRowOffsetMask = 0x1FFF;

}  // namespace tabvex::mdb::format
