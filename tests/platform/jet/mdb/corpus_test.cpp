// Every table of every corpus database that mdbtools opens reads the same through
// the engine as through mdb-export, value by value once both tools' notations for
// dates, yes/no and numbers are brought together.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <iostream>
#include <nlohmann/json.hpp>

#include "mdbtools_cli.h"
#include "platform/jet/mdb/row_cursor.h"
#include "platform/jet/mdb/value_text.h"
#include "support/test_support.h"

namespace tabvex::mdb {
namespace {

namespace fs = std::filesystem;
using test::CsvField;

std::optional<double> ParseNumber(const std::string& text) {
    double v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

// "12.3400" and "12.34" are one number; so are "-0" and "0".
std::string CanonicalDecimal(std::string text) {
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

bool SameNumber(const std::string& ours, const std::string& theirs, double relative) {
    auto a = ParseNumber(ours), b = ParseNumber(theirs);
    if (!a || !b) return ours == theirs;
    return std::fabs(*a - *b) <= relative * std::max(std::fabs(*a), std::fabs(*b));
}

// Where mdbtools cannot give a value the engine reads: dates before 1899-12-30
// (it prints day zero of 1900) and Large Number columns (it prints nothing).
bool MdbtoolsCannotRead(JetType type, const std::string& ours, const CsvField& theirs) {
    if (type == JetType::DateTime) return theirs == "1900-01-00 00:00:00" && ours < "1899-12-30";
    return type == JetType::BigInt && !theirs;
}

bool SameValue(JetType type, const Value& ours, const CsvField& theirs) {
    Value a = test::NullIfEmpty(ours);
    CsvField b = test::NullIfEmpty(theirs);
    if (type == JetType::Boolean) return (ours == "True" ? "1" : "0") == theirs.value_or("0");
    if (a && MdbtoolsCannotRead(type, *a, b)) return true;
    if (!a || !b) return !a && !b;
    switch (type) {
        case JetType::DateTime: return (a->size() == 10 ? *a + " 00:00:00" : *a) == *b;
        case JetType::Single: return SameNumber(*a, *b, 1e-6);
        case JetType::Double: return SameNumber(*a, *b, 1e-15);
        case JetType::Currency:
        case JetType::Numeric: return CanonicalDecimal(*a) == CanonicalDecimal(*b);
        case JetType::Guid: {
            // With -b hex, mdb-export prints the GUID's text in hexadecimal, and groups
            // the last 16 digits as one where Jet writes 4 and 12.
            std::string text = *a;
            text.erase(24, 1);
            std::string hex;
            AppendHex({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, hex);
            return hex == *b;
        }
        default: return *a == *b;
    }
}

struct Counts {
    int files = 0, skipped = 0, tables = 0;
    long rows = 0;
};

Value JsonValue(const nlohmann::json& v) { return v.is_null() ? Value() : Value(v.get<std::string>()); }

void CompareTable(const nlohmann::json& dumped, const fs::path& file, Counts& counts) {
    std::string table = dumped.at("name");
    auto theirs = test::MdbExport(file, table);
    const auto& columns = dumped.at("columns");
    const auto& rows = dumped.at("rows");
    ASSERT_EQ(rows.size(), theirs.size()) << file << " " << table;
    for (size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(theirs[r].size(), columns.size()) << file << " " << table << " row " << r;
        for (size_t c = 0; c < columns.size(); ++c) {
            auto type = static_cast<JetType>(columns[c].at("jetType").get<int>());
            Value ours = JsonValue(rows[r][c]);
            EXPECT_TRUE(SameValue(type, ours, theirs[r][c]))
                << file.filename() << " [" << table << "] row " << r << " column " << columns[c].at("name")
                << ": ours '" << ours.value_or("NULL").substr(0, 80) << "', mdb-export '"
                << theirs[r][c].value_or("NULL").substr(0, 80) << "'";
        }
    }
    counts.rows += static_cast<long>(rows.size());
    ++counts.tables;
}

// mdb-dump of every user table, as tabvex-cli prints it.
nlohmann::json MdbDump(const fs::path& file) {
    auto result = tabvex::test::RunCommand({tabvex::test::CliPath().string(), "mdb-dump", file.string()});
    EXPECT_EQ(result.exitCode, 0) << file << ": " << result.err;
    return result.exitCode == 0 ? nlohmann::json::parse(result.out) : nlohmann::json();
}

TEST(MdbCorpus, MdbDumpGivesEveryTableAsMdbExportDoes) {
    fs::path corpus = tabvex::test::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "corpus absent";
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(corpus / "mdb")) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    Counts counts;
    for (const auto& file : files) {
        auto tables = test::MdbTables(file);
        if (!tables) {
            ++counts.skipped;
            continue;
        }
        ++counts.files;
        nlohmann::json dump = MdbDump(file);
        if (dump.is_null()) continue;
        std::vector<std::string> dumpedNames;
        for (const auto& t : dump.at("tables")) {
            dumpedNames.push_back(t.at("name"));
            CompareTable(t, file, counts);
        }
        EXPECT_EQ(dumpedNames, *tables) << file;
    }
    std::cout << "corpus: " << counts.files << " files compared (" << counts.skipped << " that mdbtools refuses), "
              << counts.tables << " tables, " << counts.rows << " rows\n";
    EXPECT_GT(counts.files, 0);
}

}  // namespace
}  // namespace tabvex::mdb
