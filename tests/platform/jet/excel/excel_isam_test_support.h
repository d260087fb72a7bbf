// Helpers the Excel ISAM's tests share: text column definitions and every row of a table.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/jet/excel/excel_isam.h"

namespace tabvex::jet::excel {

inline std::vector<ColumnDefinition> TextColumns(std::initializer_list<const char*> names) {
    std::vector<ColumnDefinition> columns;
    for (const char* name : names) columns.push_back(ColumnDefinition{name, "TEXT", std::nullopt});
    return columns;
}

inline std::vector<std::vector<oledb::Value>> ReadAll(Isam& isam, const std::string& table) {
    auto cursor = isam.OpenCursor(table);
    std::vector<std::vector<oledb::Value>> rows;
    std::vector<oledb::Value> row;
    while (cursor->Next(row)) rows.push_back(row);
    return rows;
}

}  // namespace tabvex::jet::excel
