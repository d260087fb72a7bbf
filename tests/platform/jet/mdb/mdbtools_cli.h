// Running mdbtools' own command-line tools from tests and reading what they print.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace tabvex::mdb::test {

// An mdb-export field: nullopt when it was empty and unquoted (how NULL prints).
using CsvField = std::optional<std::string>;
using CsvRow = std::vector<CsvField>;

// RFC 4180 records with doubled quotes; quoted fields may hold separators and newlines.
inline std::vector<CsvRow> ParseCsv(const std::string& text) {
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoted = false, wasQuoted = false;
    auto endField = [&] {
        row.push_back(wasQuoted || !field.empty() ? CsvField(field) : std::nullopt);
        field.clear();
        wasQuoted = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') field += text[++i];
            else if (c == '"') quoted = false;
            else field += c;
        } else if (c == '"') {
            quoted = wasQuoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            endField();
            rows.push_back(std::move(row));
            row.clear();
        } else if (c != '\r') {
            field += c;
        }
    }
    if (!field.empty() || !row.empty()) {
        endField();
        rows.push_back(std::move(row));
    }
    return rows;
}

// mdb-export prints NULL and the empty string alike (an empty field, sometimes
// quoted), so comparisons treat both as absent.
inline CsvField NullIfEmpty(const std::optional<std::string>& field) {
    return field && !field->empty() ? field : std::nullopt;
}

// mdb-export of a table with ISO dates and hexadecimal binary, header row dropped.
inline std::vector<CsvRow> MdbExport(const std::filesystem::path& file, const std::string& table) {
    auto result = tabvex::test::RunCommand({"mdb-export", "-D", "%Y-%m-%d %H:%M:%S", "-T", "%Y-%m-%d %H:%M:%S",
                                            "-b", "hex", file.string(), table});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    auto rows = ParseCsv(result.out);
    if (!rows.empty()) rows.erase(rows.begin());
    return rows;
}

// The lines mdb-tables -1 prints (user tables, one per line); nullopt when it fails.
inline std::optional<std::vector<std::string>> MdbTables(const std::filesystem::path& file) {
    auto result = tabvex::test::RunCommand({"mdb-tables", "-1", file.string()});
    if (result.exitCode != 0) return std::nullopt;
    std::vector<std::string> names;
    std::istringstream in(result.out);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) names.push_back(line);
    return names;
}

}  // namespace tabvex::mdb::test
