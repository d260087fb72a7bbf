#include "automation_test_support.h"

#include <gtest/gtest.h>

#include "platform/automation/automation_error.h"
#include "platform/automation/cell_range.h"
#include "platform/automation/excel_constants.h"

namespace tabvex::automation::test {
namespace {

const nlohmann::json* FindByName(const nlohmann::json& list, const std::string& name) {
    for (const auto& entry : list) {
        if (entry["name"] == name) return &entry;
    }
    return nullptr;
}

void FormatHeaderRow(Application& excel, Worksheet sheet) {
    sheet.Activate();
    Window window = excel.ActiveWindow();
    window.SetSplitRow(1);
    window.SetFreezePanes(true);

    Range header = sheet.Range("A1:B1").EntireRow();
    header.SetHorizontalAlignment(xlHAlignCenter);
    header.Font().SetFontStyle("Bold");
    for (int edge : {xlEdgeTop, xlEdgeBottom, xlEdgeLeft, xlInsideVertical}) {
        header.Borders(edge).SetLineStyle(xlContinuous);
    }
    header.Interior().SetColorIndex(8);

    for (int column = 0; column < kSheetColumns; ++column) {
        const std::string letters = ColumnLetters(column);
        Range cell = sheet.Range(letters + "1:" + letters + "1");
        const std::string text = cell.Value().ToText();
        if (text.empty()) break;
        const float size = header.Font().Size();
        const int width = static_cast<int>(size * static_cast<float>(text.size()) * 1.3333334f);
        cell.SetColumnWidth(width / 12 + 1);
    }
}

// Save, then the application-level save with its file name missing, then close
// without saving and quit, as the adapter ends every automation session.
void SaveAndQuit(Application& excel, Workbook& book) {
    book.Save();
    excel.Save();
    book.Close(std::int16_t{0});
    excel.Workbooks().Close();
    excel.Quit();
}

}  // namespace

void MakeWorkbook(const std::filesystem::path& file, const std::vector<SheetContent>& sheets) {
    Application excel;
    Workbook book = excel.Workbooks().Add();
    for (size_t i = 0; i < sheets.size(); ++i) {
        Worksheet sheet = book.Sheets().Item(static_cast<int>(i) + 1);
        sheet.SetName(sheets[i].name);
        for (size_t r = 0; r < sheets[i].rows.size(); ++r) {
            for (size_t c = 0; c < sheets[i].rows[r].size(); ++c) {
                if (sheets[i].rows[r][c].empty()) continue;
                const std::string address = ColumnLetters(static_cast<int>(c)) + std::to_string(r + 1);
                sheet.Range(address).SetValue(sheets[i].rows[r][c]);
            }
        }
    }
    while (book.Sheets().Count() > static_cast<int>(sheets.size())) {
        book.Sheets().Item(book.Sheets().Count()).Delete();
    }
    SaveAsArguments arguments;
    arguments.fileName = file.string();
    arguments.fileFormat = xlWorkbookNormal;
    book.SaveAs(arguments);
    excel.Quit();
}

void FormatHeaderRows(const std::filesystem::path& file) {
    Application excel;
    excel.SetVisible(false);
    excel.SetDisplayAlerts(false);
    Workbook book = excel.Workbooks().Open(file.string());
    for (int i = 1; i <= book.Sheets().Count(); ++i) FormatHeaderRow(excel, book.Sheets().Item(i));
    SaveAndQuit(excel, book);
}

void WithOpenWorkbook(const std::filesystem::path& file, const std::function<void(Workbook&)>& work) {
    Application excel;
    excel.SetVisible(false);
    excel.SetDisplayAlerts(false);
    Workbook book = excel.Workbooks().Open(file.string());
    if (book.MultiUserEditing()) book.ExclusiveAccess();
    work(book);
    SaveAndQuit(excel, book);
}

HRESULT CodeOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& error) {
        EXPECT_FALSE(error.description().empty());
        return error.code();
    }
    return oledb::S_OK;
}

const nlohmann::json* CellAt(const nlohmann::json& sheet, int row, int column) {
    for (const auto& cell : sheet["cells"]) {
        if (cell["row"] == row && cell["col"] == column) return &cell;
    }
    return nullptr;
}

const nlohmann::json* SheetNamed(const nlohmann::json& book, const std::string& name) {
    return FindByName(book["sheets"], name);
}

const nlohmann::json* NameNamed(const nlohmann::json& book, const std::string& name) {
    return FindByName(book["names"], name);
}

}  // namespace tabvex::automation::test
