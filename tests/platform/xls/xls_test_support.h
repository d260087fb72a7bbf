// Helpers of the workbook engine's tests: xlrd's view of one sheet and its cells.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace tabvex::xls::test {

// The cell of xlrd's dump at (row, col), or null.
inline nlohmann::json XlrdCell(const nlohmann::json& sheet, int row, int col) {
    for (const auto& cell : sheet["cells"]) {
        if (cell["row"] == row && cell["col"] == col) return cell;
    }
    return nullptr;
}

inline nlohmann::json XlrdName(const nlohmann::json& book, const std::string& name) {
    for (const auto& n : book["names"]) {
        if (n["name"] == name) return n;
    }
    return nullptr;
}

}  // namespace tabvex::xls::test
