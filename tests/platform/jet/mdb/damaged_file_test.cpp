// Damaged databases (cut short, or with bytes overwritten) are refused with an
// MdbError naming the file, or read as far as they are sound; never a crash.
#include <gtest/gtest.h>

#include <random>

#include "platform/jet/mdb/database.h"
#include "platform/jet/mdb/mdb_error.h"
#include "sample_database.h"
#include "support/test_support.h"

namespace tabvex::mdb {
namespace {

namespace fs = std::filesystem;
using tabvex::test::ReadFile;
using tabvex::test::ScratchDir;
using tabvex::test::WriteFile;

enum class Outcome { Read, Refused };

// Opens the file and reads every table through; MdbError is the one allowed failure.
Outcome ReadEverything(const fs::path& file) {
    try {
        Database db = Database::Open(file);
        for (const auto& entry : db.catalog()) {
            if (entry.kind != ObjectKind::UserTable && entry.kind != ObjectKind::SystemTable) continue;
            db.Schema(entry.name);
            RowCursor cursor = db.OpenCursor(entry.name);
            for (int rows = 0; cursor.Next() && rows < 1000000; ++rows) {
            }
        }
        return Outcome::Read;
    } catch (const MdbError& e) {
        EXPECT_EQ(e.file(), file);
        EXPECT_FALSE(e.problem().empty());
        return Outcome::Refused;
    }
}

std::vector<fs::path> Originals(const ScratchDir& dir) {
    std::vector<fs::path> files{dir / "sample.mdb"};
    test::WriteSampleDatabase(files.front());
    if (fs::path corpus = tabvex::test::CorpusDir(); !corpus.empty())
        for (const char* name : {"Northwind.mdb", "jackcess-testV2000.mdb", "mdbreader-V1997-test.mdb",
                                 "mdbreader-V2010-test.accdb"})
            if (fs::exists(corpus / "mdb" / name)) files.push_back(corpus / "mdb" / name);
    return files;
}

TEST(DamagedFile, CutShortIsRefusedOrReadWithoutCrash) {
    ScratchDir dir;
    for (const auto& original : Originals(dir)) {
        std::string bytes = ReadFile(original);
        fs::path cut = dir / "cut.mdb";
        for (size_t tenth = 0; tenth < 10; ++tenth) {
            size_t size = bytes.size() * tenth / 10;
            WriteFile(cut, bytes.substr(0, size + 100));  // not a whole number of pages
            EXPECT_EQ(ReadEverything(cut), Outcome::Refused) << original << " cut at " << size + 100;
            WriteFile(cut, bytes.substr(0, size - size % 4096));  // whole pages, the rest lost
            ReadEverything(cut);
        }
    }
}

TEST(DamagedFile, OverwrittenBytesAreRefusedOrReadWithoutCrash) {
    ScratchDir dir;
    std::mt19937 random(20261207);
    for (const auto& original : Originals(dir)) {
        std::string bytes = ReadFile(original);
        fs::path damaged = dir / "damaged.mdb";
        // The first pages (header, catalog definition, catalog rows) hold most of what
        // libmdb trusts, so damage there first, then anywhere.
        std::uniform_int_distribution<size_t> early(0, std::min<size_t>(bytes.size(), 5 * 4096) - 1);
        std::uniform_int_distribution<size_t> anywhere(0, bytes.size() - 1);
        std::uniform_int_distribution<int> value(0, 255);
        for (int round = 0; round < 40; ++round) {
            std::string copy = bytes;
            for (int flips = 0; flips < 1 + round % 4; ++flips)
                copy[(round % 2 ? anywhere : early)(random)] = static_cast<char>(value(random));
            WriteFile(damaged, copy);
            ReadEverything(damaged);
        }
    }
}

TEST(DamagedFile, HeaderDamageGetsItsOwnMessage) {
    ScratchDir dir;
    fs::path file = dir / "sample.mdb";
    test::WriteSampleDatabase(file);
    std::string bytes = ReadFile(file);
    auto problemAfter = [&](size_t at, char value) {
        std::string copy = bytes;
        copy[at] = value;
        WriteFile(file, copy);
        try {
            Database::Open(file);
        } catch (const MdbError& e) {
            return e.problem();
        }
        return std::string("opened");
    };
    EXPECT_EQ(problemAfter(0x14, 0x09), "unknown Access file version 9");
    EXPECT_EQ(problemAfter(4, 'X'), "not an Access database");
    // The scrambled header holds the encryption key at 0x3E and the password at 0x42.
    EXPECT_EQ(problemAfter(0x3E, static_cast<char>(bytes[0x3E] ^ 0x01)), "the database is encrypted");
    EXPECT_EQ(problemAfter(0x44, static_cast<char>(bytes[0x44] ^ 0x01)), "the database is protected by a password");
    EXPECT_EQ(problemAfter(2 * 4096, 0x01), "the database is damaged: page 2 is no table definition");
}

}  // namespace
}  // namespace tabvex::mdb
