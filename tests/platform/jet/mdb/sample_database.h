// A small database with a column of every type the writer writes, made by the
// project's own writer, for the tests of this folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/jet/mdb/database_writer.h"

namespace tabvex::mdb::test {

inline std::vector<ColumnSpec> SampleColumns() {
    return {{"Id", JetType::Long},        {"Name", JetType::Text, 40},    {"Notes", JetType::Memo},
            {"Small", JetType::Byte},     {"Medium", JetType::Integer},   {"Price", JetType::Currency},
            {"Ratio", JetType::Single},   {"Measure", JetType::Double},   {"When", JetType::DateTime},
            {"Done", JetType::Boolean},   {"Picture", JetType::OleObject}, {"Tag", JetType::Guid}};
}

// Rows as the reader gives them back: every value in canonical text.
inline std::vector<std::vector<Value>> SampleRows() {
    std::string longMemo;
    for (int i = 0; i < 3000; ++i) longMemo += "Zeile " + std::to_string(i) + " – naïve café ✓\n";
    std::string bigPicture;
    for (int i = 0; i < 9000; ++i) bigPicture += "0123456789ABCDEF";  // 72,000 bytes
    return {
        {"1", "Ann", "short", "255", "-32768", "12.3456", "1.5", "0.1", "1996-07-04 14:30:00", "True", "00FF10",
         "{12345678-1234-5678-9ABC-DEF001020304}"},
        {"2", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
         std::nullopt, "False", std::nullopt, std::nullopt},
        {"-3", "Ωmega «quoted» \"x\", y", longMemo, "0", "0", "-922337203685477.5808", "-0.25", "-1234567.890625",
         "1899-12-30", "True", bigPicture, std::nullopt},
        {"4", "", "", "7", "32767", "0", "0", "100000000000000000000", "2024-02-29", "False", "", std::nullopt},
    };
}

inline void WriteSampleDatabase(const std::filesystem::path& path) {
    DatabaseWriter writer(path);
    writer.AddTable("Sample Table", SampleColumns());
    for (const auto& row : SampleRows()) writer.AddRow("Sample Table", row);
    writer.AddTable("Empty", {{"Only", JetType::Text}});
    writer.Write();
}

}  // namespace tabvex::mdb::test
