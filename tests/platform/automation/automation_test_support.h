// Call sequences the target adapter runs against the spreadsheet server, and
// helpers to build workbooks and read them back, for the automation tests.
#pragma once

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/automation/application.h"
#include "platform/automation/dispatch_result.h"

namespace tabvex::automation::test {

struct SheetContent {
    std::string name;
    std::vector<std::vector<std::string>> rows;  // first row: the header texts
};

// Builds a workbook of up to three sheets through the object model and saves it.
void MakeWorkbook(const std::filesystem::path& file, const std::vector<SheetContent>& sheets);

// Formats the header row of every sheet of the workbook and saves it: the row
// centred, bold, bordered and filled, panes frozen below it, and each column as
// wide as its header text at the header font's size.
void FormatHeaderRows(const std::filesystem::path& file);

// Opens the workbook as the table drop and rename do, runs the work on it, then
// saves, closes and quits.
void WithOpenWorkbook(const std::filesystem::path& file, const std::function<void(Workbook&)>& work);

// The result code the call raises, S_OK when it raises nothing.
HRESULT CodeOf(const std::function<void()>& call);

// A cell of what xlrd read of a sheet, null when the cell is empty.
const nlohmann::json* CellAt(const nlohmann::json& sheet, int row, int column);
const nlohmann::json* SheetNamed(const nlohmann::json& book, const std::string& name);
const nlohmann::json* NameNamed(const nlohmann::json& book, const std::string& name);

}  // namespace tabvex::automation::test
