// Feeds arbitrary bytes to the workbook reader and, when it accepts them, to the
// writer: neither may crash, hang or allocate without bound, and what the writer
// saves must open again with the same sheets, cells, formats and defined names.
// Depending on the input's length a defined name or the last sheet is removed before
// saving, so that name renumbering runs over whatever formulas the input holds, or
// cells and formats are changed.
// An input that is no compound file is taken as the Workbook stream itself and put
// into one, so that mutations land on BIFF records rather than on the container.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/xls/compound_file.h"
#include "platform/xls/number_format.h"
#include "platform/xls/workbook.h"

namespace {

using namespace tabvex::xls;

std::string FormatText(const Worksheet& sheet, uint32_t row, uint16_t column) {
    const CellFormat f = sheet.CellFormatAt(row, column);
    const std::string code = sheet.NumberFormatAt(row, column);
    return " [" + code + " " + std::to_string(static_cast<int>(ClassifyNumberFormat(code))) + " " +
           std::to_string(f.bold) + std::to_string(static_cast<int>(f.horizontal)) + " " +
           std::to_string(f.borders.left) + std::to_string(f.borders.right) + std::to_string(f.borders.top) +
           std::to_string(f.borders.bottom) + " " + (f.fillColour ? std::to_string(*f.fillColour) : "-") + " " +
           std::to_string(f.fontPoints) + "]";
}

// Everything a reader sees of a workbook, one line per sheet, cell and name: values
// of every cell, formats of the first few cells of each sheet, column widths, panes.
std::vector<std::string> Contents(const Workbook& book) {
    constexpr size_t kFormattedCells = 64;
    constexpr uint16_t kMeasuredColumns = 32;
    std::vector<std::string> lines{"1904 " + std::to_string(book.UsesDate1904())};
    for (size_t i = 0; i < book.SheetCount(); ++i) {
        const Worksheet& sheet = book.Sheet(i);
        lines.push_back("sheet " + sheet.Name());
        if (!sheet.HasCells()) continue;
        size_t formatted = 0;
        sheet.ForEachCell([&](uint32_t row, uint16_t column, const CellValue& v) {
            std::string line = std::to_string(row) + "," + std::to_string(column) + " " + v.Shown();
            if (formatted++ < kFormattedCells) line += FormatText(sheet, row, column);
            lines.push_back(std::move(line));
        });
        const FrozenPanes frozen = sheet.Frozen();
        lines.push_back("frozen " + std::to_string(frozen.rows) + "," + std::to_string(frozen.columns));
        for (uint16_t column = 0; column < kMeasuredColumns; ++column) {
            if (auto width = sheet.ColumnWidth(column)) lines.push_back("width " + std::to_string(*width));
        }
    }
    for (const DefinedNameInfo& name : book.Names()) {
        lines.push_back("name " + name.name + " " + (name.sheetScope ? std::to_string(*name.sheetScope) : "-") +
                        " " + name.formulaText);
    }
    return lines;
}

Workbook OpenInput(std::span<const uint8_t> bytes, const std::filesystem::path& scratch) {
    static constexpr uint8_t kCompoundSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (bytes.size() >= sizeof kCompoundSignature &&
        std::memcmp(bytes.data(), kCompoundSignature, sizeof kCompoundSignature) == 0) {
        return Workbook::OpenBytes(bytes, "fuzz.xls");
    }
    CompoundFile file;
    file.workbook.assign(bytes.begin(), bytes.end());
    WriteCompoundFile(scratch, file);
    return Workbook::Open(scratch);
}

// What the input's length chooses to change before saving: nothing, the first defined
// name, the last sheet, or a cell, a row's format, a column's width and the panes.
void Edit(Workbook& book, size_t selector) {
    try {
        if (selector == 1) {
            auto names = book.Names();
            if (!names.empty()) book.DeleteName(names.front().name);
        } else if (selector == 2 && book.SheetCount() > 1) {
            book.DeleteSheet(book.SheetCount() - 1);
        } else if (selector == 3 && book.Sheet(0).HasCells()) {
            Worksheet& sheet = book.Sheet(0);
            sheet.SetCellText(0, 0, "Grüße");
            CellFormat format;
            format.bold = true;
            format.borders.bottom = 2;
            format.fillColour = 22;
            sheet.SetRowFormat(1, format);
            sheet.SetColumnWidth(2, 17.5);
            sheet.FreezePanes(1, 0);
        }
    } catch (const XlsError&) {
    }
}

[[noreturn]] void Differs(const std::vector<std::string>& saved, const std::vector<std::string>& reread) {
    std::fprintf(stderr, "the saved workbook reads back differently (%zu lines saved, %zu read)\n", saved.size(),
                 reread.size());
    for (size_t i = 0; i < saved.size() || i < reread.size(); ++i) {
        const char* a = i < saved.size() ? saved[i].c_str() : "(none)";
        const char* b = i < reread.size() ? reread[i].c_str() : "(none)";
        if (i >= saved.size() || i >= reread.size() || saved[i] != reread[i]) {
            std::fprintf(stderr, "first difference at line %zu:\n  saved:  %s\n  reread: %s\n", i, a, b);
            break;
        }
    }
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // libFuzzer makes inputs of up to 1 MB; larger corpus workbooks are only read here
    // (the corpus test copies them), which keeps a replay of the corpus short.
    constexpr size_t kLargestSaved = size_t(1) << 20;
    static const std::filesystem::path saved =
        std::filesystem::temp_directory_path() / ("tabvex-xls-fuzz-" + std::to_string(getpid()) + ".xls");
    std::vector<std::string> contents;
    try {
        Workbook book = OpenInput({data, size}, saved);
        if (size > kLargestSaved) {
            (void)Contents(book);
            std::filesystem::remove(saved);
            return 0;
        }
        Edit(book, size % 4);
        contents = Contents(book);
        try {
            book.Save(saved);
        } catch (const XlsError& e) {
            std::fprintf(stderr, "a workbook that opened does not save: %s\n", e.what());
            std::abort();
        }
    } catch (const XlsError&) {
        std::filesystem::remove(saved);  // a stream put into a file and then refused
        return 0;
    }
    try {
        std::vector<std::string> reread = Contents(Workbook::Open(saved));
        if (reread != contents) Differs(contents, reread);
    } catch (const XlsError& e) {
        std::fprintf(stderr, "the saved workbook does not open: %s\n", e.what());
        std::abort();
    }
    std::filesystem::remove(saved);
    return 0;
}
