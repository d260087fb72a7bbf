// Feeds arbitrary bytes to the workbook reader and, when it accepts them, to the
// writer: neither may crash, hang or allocate without bound, and what the writer
// saves must open again with the same sheets, cells and defined names. Depending on
// the input's length a defined name or the last sheet is removed before saving, so
// that name renumbering runs over whatever formulas the input holds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/xls/workbook.h"

namespace {

using namespace tabvex::xls;

// Everything a reader sees of a workbook, one line per sheet, cell and name.
std::vector<std::string> Contents(const Workbook& book) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < book.SheetCount(); ++i) {
        const Worksheet& sheet = book.Sheet(i);
        lines.push_back("sheet " + sheet.Name());
        sheet.ForEachCell([&lines](uint32_t row, uint16_t column, const CellValue& v) {
            lines.push_back(std::to_string(row) + "," + std::to_string(column) + " " + v.Shown());
        });
    }
    for (const DefinedNameInfo& name : book.Names()) {
        lines.push_back("name " + name.name + " " + (name.sheetScope ? std::to_string(*name.sheetScope) : "-") +
                        " " + name.formulaText);
    }
    return lines;
}

void Edit(Workbook& book, size_t selector) {
    try {
        if (selector == 1) {
            auto names = book.Names();
            if (!names.empty()) book.DeleteName(names.front().name);
        } else if (selector == 2 && book.SheetCount() > 1) {
            book.DeleteSheet(book.SheetCount() - 1);
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
    static const std::filesystem::path saved =
        std::filesystem::temp_directory_path() / ("tabvex-xls-fuzz-" + std::to_string(getpid()) + ".xls");
    std::vector<std::string> contents;
    try {
        Workbook book = Workbook::OpenBytes({data, size}, "fuzz.xls");
        Edit(book, size % 3);
        contents = Contents(book);
        try {
            book.Save(saved);
        } catch (const XlsError& e) {
            std::fprintf(stderr, "a workbook that opened does not save: %s\n", e.what());
            std::abort();
        }
    } catch (const XlsError&) {
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
