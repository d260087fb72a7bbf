#include "platform/jet/mdb/file_check.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/jet/mdb/jet_format.h"
#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/mdb/rc4.h"

namespace tabvex::mdb {

namespace fs = std::filesystem;
using Page = std::vector<std::uint8_t>;

namespace {

// Offsets of a table definition's header fields, which differ between Jet 3 and Jet 4.
struct TdefLayout {
    int rowCount, columns, indexes, realIndexes, usageMap, freeMap, columnsStart, realIndexEntry, columnEntry;
};
constexpr TdefLayout kJet3Tdef{12, 25, 27, 31, 35, 39, 43, 8, 18};
constexpr TdefLayout kJet4Tdef{format::kTdefRowCount, format::kTdefColumns, format::kTdefIndexes,
                               format::kTdefRealIndexes, format::kTdefUsageMap, format::kTdefFreeMap,
                               format::kTdefColumnsStart, format::kTdefRealIndexEntrySize,
                               format::kTdefColumnEntrySize};
constexpr std::uint32_t kMaxColumns = 256;
constexpr std::uint32_t kMaxIndexes = 1000;
constexpr int kJet3RowCountOffset = 8;

std::uint16_t U16(const Page& p, size_t at) { return static_cast<std::uint16_t>(p[at] | p[at + 1] << 8); }
std::uint32_t U32(const Page& p, size_t at) { return static_cast<std::uint32_t>(U16(p, at) | U16(p, at + 2) << 16); }

class PageFile {
public:
    PageFile(const fs::path& path, const FileFacts& facts) : path_(path), facts_(facts), in_(path, std::ios::binary) {
        if (!in_) throw MdbError(path, "the file cannot be read");
    }

    Page Read(std::uint32_t page, const char* what) {
        if (page == 0 || page >= facts_.pageCount)
            throw MdbError(path_, std::string("the database is damaged: ") + what + " points to page " +
                                      std::to_string(page) + ", outside the file");
        Page bytes(static_cast<size_t>(facts_.pageSize));
        in_.seekg(static_cast<std::streamoff>(page) * facts_.pageSize);
        if (!in_.read(reinterpret_cast<char*>(bytes.data()), facts_.pageSize))
            throw MdbError(path_, "the file cannot be read at page " + std::to_string(page));
        return bytes;
    }

private:
    const fs::path& path_;
    const FileFacts& facts_;
    std::ifstream in_;
};

JetVersion VersionFromByte(const fs::path& path, std::uint8_t version) {
    if (version == format::kVersionJet3) return JetVersion::Jet3;
    if (version == format::kVersionJet4) return JetVersion::Jet4;
    if (version <= format::kVersionLastAce) return JetVersion::Ace;
    throw MdbError(path, "unknown Access file version " + std::to_string(version));
}

bool HasPassword(const Page& header, JetVersion version) {
    if (version == JetVersion::Jet3) {
        for (int i = 0; i < 20; ++i)
            if (header[format::kPasswordOffset + i] != 0) return true;
        return false;
    }
    // Jet 4 masks the password with the whole days of the creation date.
    double created;
    std::memcpy(&created, &header[format::kJet4CreationDateOffset], sizeof created);
    auto days = std::isfinite(created) && std::fabs(created) < 1e9 ? static_cast<std::int32_t>(created) : 0;
    std::uint8_t mask[4];
    for (int i = 0; i < 4; ++i) mask[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(days) >> (8 * i));
    for (int i = 0; i < 40; ++i)
        if ((header[format::kPasswordOffset + i] ^ mask[i % 4]) != 0) return true;
    return false;
}

// The bytes of the row `pointer` (page << 8 | row) names, which must exist on a data
// page of the file.
Page FindRow(PageFile& file, const fs::path& path, const FileFacts& facts, std::uint32_t pointer, const char* what) {
    Page page = file.Read(pointer >> 8, what);
    unsigned row = pointer & 0xFF;
    auto countOffset = static_cast<size_t>(facts.version == JetVersion::Jet3 ? kJet3RowCountOffset : format::kDataRowCount);
    auto damaged = [&] { return MdbError(path, std::string("the database is damaged: ") + what + " is missing"); };
    if (page[0] != format::kPageData || row >= U16(page, countOffset) || countOffset + 2 + 2 * row + 2 > page.size())
        throw damaged();
    size_t start = U16(page, countOffset + 2 + 2 * row) & format::kRowOffsetMask;
    size_t end = row == 0 ? page.size() : U16(page, countOffset + 2 * row) & format::kRowOffsetMask;
    if (start >= end || end > page.size()) throw damaged();
    return Page(page.begin() + static_cast<std::ptrdiff_t>(start), page.begin() + static_cast<std::ptrdiff_t>(end));
}

// No page a usage map marks may lie beyond the end of the file: libmdb would read
// on past it (a cut-short file makes it loop for ever).
void CheckUsageMap(PageFile& file, const fs::path& path, const FileFacts& facts, const Page& map) {
    auto beyond = [&] { return MdbError(path, "the database is damaged: a table's page map reaches beyond the file"); };
    constexpr std::uint8_t kInlineMap = 0, kPagedMap = 1;
    constexpr size_t kInlineHeader = 5;
    if (map[0] == kInlineMap) {
        if (map.size() < kInlineHeader) throw beyond();
        std::uint64_t first = U32(map, 1);
        for (size_t bit = 0; bit < (map.size() - kInlineHeader) * 8; ++bit)
            if ((map[kInlineHeader + bit / 8] >> (bit % 8) & 1) && first + bit >= facts.pageCount) throw beyond();
    } else if (map[0] == kPagedMap) {
        const std::uint64_t pagesPerMapPage = (static_cast<std::uint64_t>(facts.pageSize) - 4) * 8;
        for (size_t slot = 0; 1 + 4 * slot + 4 <= map.size(); ++slot) {
            std::uint32_t mapPage = U32(map, 1 + 4 * slot);
            if (mapPage == 0) continue;
            Page bits = file.Read(mapPage, "a table's page map");
            for (std::uint64_t bit = 0; bit < pagesPerMapPage; ++bit)
                if ((bits[4 + bit / 8] >> (bit % 8) & 1) && slot * pagesPerMapPage + bit >= facts.pageCount) throw beyond();
        }
    }
}

}  // namespace

FileFacts CheckDatabaseFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) throw MdbError(path, "the file does not exist");
    if (!fs::is_regular_file(path, ec)) throw MdbError(path, "not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw MdbError(path, "the file cannot be read");
    Page header(format::kJet4PageSize, 0);
    in.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
    auto got = static_cast<size_t>(in.gcount());
    static constexpr char kJetMagic[] = "Standard Jet DB", kAceMagic[] = "Standard ACE DB";
    if (got < 0x100 || header[0] != format::kPageDatabase ||
        (std::memcmp(&header[4], kJetMagic, 15) != 0 && std::memcmp(&header[4], kAceMagic, 15) != 0))
        throw MdbError(path, "not an Access database");

    FileFacts facts;
    facts.version = VersionFromByte(path, header[format::kVersionOffset]);
    facts.pageSize = facts.version == JetVersion::Jet3 ? format::kJet3PageSize : format::kJet4PageSize;
    auto size = fs::file_size(path, ec);
    if (ec || size % static_cast<std::uintmax_t>(facts.pageSize) != 0 ||
        size < static_cast<std::uintmax_t>(facts.pageSize) * (format::kCatalogPage + 1))
        throw MdbError(path, "the database is truncated (its size is not a whole number of pages)");
    facts.pageCount = size / static_cast<std::uintmax_t>(facts.pageSize);

    int scrambled = facts.version == JetVersion::Jet3 ? format::kJet3ScrambledLength : format::kJet4ScrambledLength;
    Rc4Apply(format::kHeaderKey, std::span(header).subspan(format::kScrambledOffset, static_cast<size_t>(scrambled)));
    if (U32(header, format::kDatabaseKeyOffset) != 0) throw MdbError(path, "the database is encrypted");
    if (HasPassword(header, facts.version)) throw MdbError(path, "the database is protected by a password");

    CheckTableDefinition(path, facts, format::kCatalogPage);
    return facts;
}

void CheckTableDefinition(const fs::path& path, const FileFacts& facts, std::uint32_t firstPage) {
    const TdefLayout& layout = facts.version == JetVersion::Jet3 ? kJet3Tdef : kJet4Tdef;
    PageFile file(path, facts);
    Page first = file.Read(firstPage, "a table definition");
    if (first[0] != format::kPageTableDefinition)
        throw MdbError(path, "the database is damaged: page " + std::to_string(firstPage) + " is no table definition");

    std::uint64_t chainBytes = static_cast<std::uint64_t>(facts.pageSize);
    std::uint64_t hops = 0;
    for (std::uint32_t next = U32(first, format::kTdefNextPage); next != 0; ++hops) {
        if (hops >= facts.pageCount) throw MdbError(path, "the database is damaged: a table definition loops");
        Page page = file.Read(next, "a table definition's continuation");
        if (page[0] != format::kPageTableDefinition)
            throw MdbError(path, "the database is damaged: page " + std::to_string(next) + " is no table definition");
        chainBytes += static_cast<std::uint64_t>(facts.pageSize) - 8;
        next = U32(page, format::kTdefNextPage);
    }

    std::uint32_t columns = U16(first, static_cast<size_t>(layout.columns));
    std::uint32_t indexes = U32(first, static_cast<size_t>(layout.indexes));
    std::uint32_t realIndexes = U32(first, static_cast<size_t>(layout.realIndexes));
    std::uint64_t fixedPart = static_cast<std::uint64_t>(layout.columnsStart) +
                              static_cast<std::uint64_t>(realIndexes) * static_cast<std::uint64_t>(layout.realIndexEntry) +
                              static_cast<std::uint64_t>(columns) * static_cast<std::uint64_t>(layout.columnEntry);
    if (columns == 0 || columns > kMaxColumns || indexes > kMaxIndexes || realIndexes > kMaxIndexes ||
        fixedPart > chainBytes)
        throw MdbError(path, "the database is damaged: a table definition at page " + std::to_string(firstPage) +
                                 " has impossible counts");
    Page usageMap = FindRow(file, path, facts, U32(first, static_cast<size_t>(layout.usageMap)), "a table's page map");
    CheckUsageMap(file, path, facts, usageMap);
    FindRow(file, path, facts, U32(first, static_cast<size_t>(layout.freeMap)), "a table's free-space map");
}

}  // namespace tabvex::mdb
