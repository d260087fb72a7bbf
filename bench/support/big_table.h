// The database the speed figures are measured on: one table "Big" of 65,000 rows of
// 12 text columns, written by the project's own Access writer.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/jet/mdb/database_writer.h"

namespace tabvex::bench {

inline constexpr int kBigTableRows = 65000;
inline constexpr int kBigTableColumns = 12;
inline constexpr const char* kBigTable = "Big";

inline void WriteBigTableDatabase(const std::filesystem::path& file) {
    std::vector<mdb::ColumnSpec> columns;
    for (int c = 0; c < kBigTableColumns; ++c) columns.push_back({"Column" + std::to_string(c + 1), mdb::JetType::Text, 40});
    mdb::DatabaseWriter writer(file);
    writer.AddTable(kBigTable, columns);
    for (int r = 0; r < kBigTableRows; ++r) {
        std::vector<mdb::Value> row;
        for (int c = 0; c < kBigTableColumns; ++c) row.push_back("Value " + std::to_string(r) + "/" + std::to_string(c));
        writer.AddRow(kBigTable, row);
    }
    writer.Write();
}

}  // namespace tabvex::bench
