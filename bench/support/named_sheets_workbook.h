// A workbook of many filled worksheets, each covered by a defined name, so that the
// target tree lists one table per worksheet: "Area0", "Area1", ... with the columns
// "Column0", "Column1", ... over `rows` rows of values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/xls/workbook.h"

namespace tabvex::bench {

inline void WriteNamedSheetsWorkbook(const std::filesystem::path& path, int sheetCount, int columns, int rows) {
    const auto numbered = [](const char* stem, int i) { return stem + std::to_string(i); };
    std::vector<std::string> sheets;
    for (int i = 0; i < sheetCount; ++i) sheets.push_back(numbered("Sheet", i));
    auto workbook = xls::Workbook::CreateNew(sheets);
    for (int i = 0; i < sheetCount; ++i) {
        auto& sheet = workbook.Sheet(static_cast<std::size_t>(i));
        for (int row = 0; row <= rows; ++row)
            for (int column = 0; column < columns; ++column)
                sheet.SetCellText(static_cast<std::uint32_t>(row), static_cast<std::uint16_t>(column),
                                  row == 0 ? numbered("Column", column) : numbered("value ", row * column));
        workbook.AddName(numbered("Area", i),
                         {static_cast<std::size_t>(i), {0, static_cast<std::uint32_t>(rows), 0,
                                                        static_cast<std::uint16_t>(columns - 1)}});
    }
    workbook.Save(path);
}

}  // namespace tabvex::bench
