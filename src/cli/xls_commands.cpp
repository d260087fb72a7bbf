// xls-dump and xls-copy: the workbook engine from the command line.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/cli_command.h"
#include "cli/command_line.h"
#include "platform/xls/workbook.h"

namespace tabvex::cli {

namespace {

using nlohmann::json;
using namespace tabvex::xls;

const char* TypeName(CellType type) {
    switch (type) {
        case CellType::Text: return "text";
        case CellType::Number: return "number";
        case CellType::Boolean: return "boolean";
        case CellType::Error: return "error";
        case CellType::Empty: break;
    }
    return "empty";
}

const char* KindName(SheetKind kind) {
    switch (kind) {
        case SheetKind::MacroSheet: return "macrosheet";
        case SheetKind::Chart: return "chart";
        case SheetKind::VisualBasicModule: return "module";
        case SheetKind::Worksheet: break;
    }
    return "worksheet";
}

json FormatJson(const CellFormat& f) {
    return {{"bold", f.bold},
            {"centred", f.horizontal == HorizontalAlignment::Centre},
            {"borders", {{"left", f.borders.left}, {"right", f.borders.right}, {"top", f.borders.top},
                         {"bottom", f.borders.bottom}}},
            {"fill_colour", f.fillColour ? json(*f.fillColour) : json(nullptr)}};
}

json SheetJson(const Worksheet& sheet) {
    static const char* const kVisibility[] = {"visible", "hidden", "very hidden", "visible"};
    json out = {{"name", sheet.Name()},
                {"kind", KindName(sheet.Kind())},
                {"visibility", kVisibility[uint8_t(sheet.Visibility()) & 3]}};
    if (!sheet.HasCells()) return out;
    json cells = json::array();
    sheet.ForEachCell([&](uint32_t row, uint16_t column, const CellValue& value) {
        json cell = {{"row", row}, {"col", column}, {"type", TypeName(value.type)}, {"text", value.Shown()}};
        if (value.isFormula) cell["formula"] = true;
        cells.push_back(std::move(cell));
    });
    json widths = json::object();
    for (uint16_t c = 0; c < 256; ++c) {
        if (auto w = sheet.ColumnWidth(c)) widths[std::to_string(c)] = *w;
    }
    out["cells"] = std::move(cells);
    out["column_widths"] = std::move(widths);
    out["frozen_rows"] = sheet.Frozen().rows;
    out["frozen_columns"] = sheet.Frozen().columns;
    out["row1_format"] = FormatJson(sheet.RowFormat(0));
    return out;
}

int Dump(const std::vector<std::string>& args) {
    FileArguments(args, {"FILE"}, 1);
    try {
        Workbook book = Workbook::Open(args[0]);
        json sheets = json::array();
        for (size_t i = 0; i < book.SheetCount(); ++i) sheets.push_back(SheetJson(book.Sheet(i)));
        json names = json::array();
        for (const auto& n : book.Names()) {
            names.push_back({{"name", n.name},
                             {"scope", n.sheetScope ? json(*n.sheetScope) : json(nullptr)},
                             {"hidden", n.hidden},
                             {"formula", n.formulaText}});
        }
        std::cout << json{{"sheets", sheets}, {"names", names}}.dump(1, ' ', false, json::error_handler_t::replace)
                  << "\n";
        return 0;
    } catch (const XlsError& e) {
        std::cerr << "tabvex-cli: " << e.what() << "\n";
        return 1;
    }
}

int Copy(const std::vector<std::string>& args) {
    FileArguments(args, {"IN", "OUT"}, 2);
    try {
        Workbook book = Workbook::Open(args[0]);
        book.Save(args[1]);
        return 0;
    } catch (const XlsError& e) {
        std::cerr << "tabvex-cli: " << e.what() << "\n";
        return 1;
    }
}

const CliCommandRegistration kDump({"xls-dump", "FILE", "print a workbook as JSON",
                                    "                       (sheets, cells, widths, frozen panes, row 1 format, names)",
                                    Dump});
const CliCommandRegistration kCopy({"xls-copy", "IN OUT", "open a workbook and save it unchanged", "", Copy});

}  // namespace
}  // namespace tabvex::cli
