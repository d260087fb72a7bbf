// Changing the sheets of a saved workbook: references and sheet-local names follow
// the sheet order; the result is checked through xlrd and the engine itself.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <tuple>

#include "platform/xls/record_ids.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"
#include "xls_test_support.h"

namespace tabvex::xls {
namespace {

namespace fs = std::filesystem;
using tabvex::test::ReadWithXlrd;
using tabvex::test::ScratchDir;
using test::Record;
using test::XlrdCell;
using test::XlrdName;

// Three sheets, a global name on each and a name local to the second.
Workbook ThreeSheetBook(const std::filesystem::path& path) {
    Workbook book = Workbook::CreateNew({"First", "Second", "Third"});
    for (size_t i = 0; i < 3; ++i) {
        book.Sheet(i).AppendRow({"sheet " + std::to_string(i + 1)});
        book.AddName("Name" + std::to_string(i + 1), SheetArea{i, {0, 0, 0, 3}});
    }
    book.Save(path);
    return Workbook::Open(path);
}

TEST(SheetChanges, DeletingASheetMovesReferencesAndDropsItsLocalNames) {
    ScratchDir dir;
    Workbook book = ThreeSheetBook(dir / "three.xls");
    book.DeleteSheet(1);
    ASSERT_EQ(book.SheetCount(), 2u);
    EXPECT_EQ(book.Sheet(1).Name(), "Third");
    EXPECT_EQ(book.FindName("Name3")->formulaText, "=Third!$A$1:$D$1");
    EXPECT_EQ(book.NameArea("Name3"), (SheetArea{1, {0, 0, 0, 3}}));
    EXPECT_EQ(book.FindName("Name2")->formulaText, "=#REF!");
    EXPECT_EQ(book.NameArea("Name2"), std::nullopt);
    book.Save(dir / "two.xls");

    auto x = ReadWithXlrd(dir / "two.xls");
    ASSERT_EQ(x["sheets"].size(), 2u);
    EXPECT_EQ(XlrdCell(x["sheets"][1], 0, 0)["value"], "sheet 3");
    EXPECT_EQ(XlrdName(x, "Name3")["area"]["sheet"], "Third");
    EXPECT_EQ(XlrdName(x, "Name1")["area"]["sheet"], "First");
    EXPECT_THROW(book.DeleteSheet(2), XlsError);
}

TEST(SheetChanges, AddRenameAndAppendSurviveSaving) {
    ScratchDir dir;
    Workbook book = ThreeSheetBook(dir / "three.xls");
    book.RenameSheet(0, "It's First");
    auto& added = book.AddSheet("Added");
    added.AppendRow({"a", "b"});
    book.AddName("AddedArea", SheetArea{3, {0, 0, 0, 1}});
    book.Sheet(2).AppendRow({"more"});
    book.Save();  // back to where it was opened from

    Workbook again = Workbook::Open(dir / "three.xls");
    ASSERT_EQ(again.SheetCount(), 4u);
    EXPECT_EQ(again.FindSheet("it's first"), 0u);
    EXPECT_EQ(again.FindName("Name1")->formulaText, "='It''s First'!$A$1:$D$1");
    EXPECT_EQ(again.FindName("AddedArea")->formulaText, "=Added!$A$1:$B$1");
    EXPECT_EQ(again.Sheet(2).CellText(1, 0), "more");

    auto x = ReadWithXlrd(dir / "three.xls");
    EXPECT_EQ(x["sheets"][0]["name"], "It's First");
    EXPECT_EQ(XlrdName(x, "AddedArea")["area"]["sheet"], "Added");
    EXPECT_EQ(XlrdCell(x["sheets"][3], 0, 1)["value"], "b");
}

TEST(SheetChanges, OverwritingCellsKeepsFormatsAndDropsUnusedStrings) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"S"});
    auto& sheet = book.Sheet(0);
    sheet.AppendRow({"gone", "kept"});
    CellFormat bold;
    bold.bold = true;
    sheet.SetRowFormat(0, bold);
    sheet.SetCellText(0, 0, "replacement");
    book.Save(dir / "s.xls");

    auto x = ReadWithXlrd(dir / "s.xls");
    EXPECT_EQ(XlrdCell(x["sheets"][0], 0, 0)["value"], "replacement");
    EXPECT_TRUE(XlrdCell(x["sheets"][0], 0, 0)["format"]["bold"]);
    EXPECT_EQ(tabvex::test::ReadFile(dir / "s.xls").find("gone"), std::string::npos);
}

TEST(SheetChanges, AppendRowGoesAfterTheLastRowWithCells) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"S"});
    auto& sheet = book.Sheet(0);
    sheet.SetCellText(7, 4, "sparse");
    CellFormat bold;
    bold.bold = true;
    sheet.SetRowFormat(20, bold);  // a formatted row without cells does not count
    EXPECT_EQ(sheet.AppendRow({"next"}), 8u);
    EXPECT_EQ(sheet.AppendRow({}), 9u);  // an empty row takes no row
    EXPECT_EQ(sheet.AppendRow({"", "after"}), 9u);
    EXPECT_EQ(sheet.UsedRange(), (CellRange{7, 9, 0, 4}));
    book.Save(dir / "sparse.xls");

    auto x = ReadWithXlrd(dir / "sparse.xls");
    const auto& s = x["sheets"][0];
    EXPECT_EQ(XlrdCell(s, 7, 4)["value"], "sparse");
    EXPECT_EQ(XlrdCell(s, 8, 0)["value"], "next");
    EXPECT_EQ(XlrdCell(s, 9, 1)["value"], "after");
    EXPECT_EQ(s["nrows"], 10);
    Workbook again = Workbook::Open(dir / "sparse.xls");
    EXPECT_EQ(again.Sheet(0).AppendRow({"appended after reopening"}), 10u);
}

// Sheet names that Excel quotes in a reference, and names it leaves bare.
TEST(SheetChanges, NameFormulasQuoteSheetNamesAsExcelDoes) {
    ScratchDir dir;
    const std::vector<std::pair<std::string, std::string>> sheets = {
        {"Plain_1.x", "Plain_1.x"},   {"My Sheet", "'My Sheet'"}, {"O'Brien's", "'O''Brien''s'"},
        {"2019", "'2019'"},           {"AB12", "'AB12'"},         {"R1C1", "'R1C1'"},
        {"Ünïcode", "Ünïcode"},       {"a-b", "'a-b'"},           {"Sales(2)", "'Sales(2)'"}};
    std::vector<std::string> names;
    for (const auto& [sheet, quoted] : sheets) names.push_back(sheet);
    Workbook book = Workbook::CreateNew(names);
    for (size_t i = 0; i < sheets.size(); ++i) {
        book.AddName("Area" + std::to_string(i), SheetArea{i, {0, 4, 0, 1}});
        EXPECT_EQ(book.FindName("Area" + std::to_string(i))->formulaText, "=" + sheets[i].second + "!$A$1:$B$5");
    }
    book.SetNameArea("Area2", SheetArea{2, {0, 9, 0, 2}});  // widened
    book.RenameSheet(0, "Now Quoted");
    EXPECT_EQ(book.FindName("AREA0")->formulaText, "='Now Quoted'!$A$1:$B$5");
    EXPECT_EQ(book.FindName("Area2")->formulaText, "='O''Brien''s'!$A$1:$C$10");
    book.Save(dir / "quoted.xls");

    auto x = ReadWithXlrd(dir / "quoted.xls");
    EXPECT_EQ(XlrdName(x, "Area0")["area"]["sheet"], "Now Quoted");
    EXPECT_EQ(XlrdName(x, "Area2")["area"], (nlohmann::json{{"sheet", "O'Brien's"}, {"rlo", 0}, {"rhi", 10}, {"clo", 0}, {"chi", 3}}));
    EXPECT_EQ(XlrdName(x, "Area2")["text"], "'O''Brien''s'!$A$1:$C$10");
}

TEST(SheetChanges, DefinedNamesFollowExcelsRules) {
    Workbook book = Workbook::CreateNew({"S"});
    const SheetArea cell{0, {0, 0, 0, 0}};
    for (std::string bad : {"", "1abc", ".abc", "a b", "a-b", "a'b", "a!b", "a:b"}) {
        EXPECT_THROW(book.AddName(bad, cell), XlsError) << bad;
    }
    EXPECT_THROW(book.AddName(std::string(256, 'n'), cell), XlsError);
    EXPECT_NO_THROW(book.AddName(std::string(255, 'n'), cell));
    EXPECT_NO_THROW(book.AddName("_under.dot\\slash9", cell));
    EXPECT_NO_THROW(book.AddName("Größe", cell));
    EXPECT_THROW(book.AddName("größe", cell), XlsError);
    EXPECT_THROW(book.AddName("Elsewhere", SheetArea{1, {0, 0, 0, 0}}), XlsError);
    EXPECT_THROW(book.AddName("TooLow", SheetArea{0, {0, 65536, 0, 0}}), XlsError);
    EXPECT_THROW(book.AddName("Reversed", SheetArea{0, {5, 1, 0, 0}}), XlsError);
    EXPECT_THROW(book.SetNameArea("Missing", cell), XlsError);
}

TEST(SheetChanges, SheetLocalNamesAreUniquePerSheetCanBeHiddenAndGoWithTheirSheet) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"First", "Second"});
    const NameOptions hiddenLocal{.localToSheet = true, .hidden = true};
    book.AddName("Mark", SheetArea{1, {0, 0, 0, 0}}, hiddenLocal);
    EXPECT_THROW(book.AddName("MARK", SheetArea{1, {2, 2, 0, 0}}, hiddenLocal), XlsError);
    EXPECT_NO_THROW(book.AddName("Mark", SheetArea{0, {0, 0, 0, 0}}, {.localToSheet = true}));
    EXPECT_NO_THROW(book.AddName("Mark", SheetArea{0, {0, 0, 1, 1}}));  // a global one beside them
    EXPECT_THROW(book.AddName("mark", SheetArea{1, {0, 0, 0, 0}}), XlsError);
    book.Save(dir / "marked.xls");

    const auto x = ReadWithXlrd(dir / "marked.xls");
    std::vector<std::tuple<int, bool, std::string>> names;
    for (const auto& n : x["names"]) names.emplace_back(n["scope"], n["hidden"], n["area"]["sheet"]);
    std::sort(names.begin(), names.end());
    using Name = std::tuple<int, bool, std::string>;
    EXPECT_EQ(names, (std::vector<Name>{{-1, false, "First"}, {0, false, "First"}, {1, true, "Second"}}));

    Workbook reread = Workbook::Open(dir / "marked.xls");
    reread.DeleteSheet(1);
    const auto left = reread.Names();
    EXPECT_EQ(left.size(), 2u);
    EXPECT_TRUE(std::none_of(left.begin(), left.end(), [](const DefinedNameInfo& n) { return n.hidden; }));
}

TEST(SheetChanges, ACellIsEmptyExactlyWhenItsValueIsEmpty) {
    auto book = Workbook::CreateNew({"Sheet1"});
    Worksheet& sheet = book.Sheet(0);
    sheet.SetCellText(0, 0, "text");
    sheet.SetCellText(0, 1, "");
    sheet.SetCellNumber(0, 2, 0);
    CellFormat bold;
    bold.bold = true;
    sheet.SetCellFormat(0, 3, bold);  // a formatted blank cell
    for (uint16_t column = 0; column < 6; ++column) {
        for (uint32_t row : {0u, 1u, 60000u}) {
            EXPECT_EQ(sheet.IsCellEmpty(row, column), sheet.Cell(row, column).type == CellType::Empty)
                << row << "," << column;
        }
    }
    EXPECT_TRUE(sheet.IsCellEmpty(0, 3));
    EXPECT_FALSE(sheet.IsCellEmpty(0, 2));
}

// Formula cells and whatever else real workbooks hold: the corpus's cells near the top.
TEST(SheetChanges, CorpusCellsAreEmptyExactlyWhenTheirValuesAre) {
    const std::filesystem::path corpus = tabvex::test::CorpusDir();
    if (corpus.empty() || !std::filesystem::exists(corpus / "xls")) GTEST_SKIP() << "no corpus";
    size_t formulas = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "xls")) {
        std::optional<Workbook> book;
        try {
            book.emplace(Workbook::OpenOnDisk(entry.path()));
        } catch (const XlsError&) {
            continue;
        }
        for (size_t s = 0; s < book->SheetCount(); ++s) {
            const Worksheet& sheet = book->Sheet(s);
            for (uint32_t row = 0; row < 60; ++row)
                for (uint16_t column = 0; column < 20; ++column) {
                    const CellValue value = sheet.Cell(row, column);
                    formulas += value.isFormula;
                    ASSERT_EQ(sheet.IsCellEmpty(row, column), value.type == CellType::Empty)
                        << entry.path() << " " << sheet.Name() << " " << row << "," << column;
                }
        }
    }
    EXPECT_GT(formulas, 0u);
}

TEST(SheetChanges, ASheetIsBlankUntilACellOrSomethingPlacedOnItArrives) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"Empty", "Typed", "Formatted"});
    book.Sheet(1).SetCellText(7, 3, "x");
    CellFormat bold;
    bold.bold = true;
    book.Sheet(2).SetCellFormat(0, 0, bold);
    book.Save(dir / "three.xls");
    const Workbook reread = Workbook::Open(dir / "three.xls");
    EXPECT_TRUE(reread.Sheet(0).IsBlank());
    EXPECT_FALSE(reread.Sheet(1).IsBlank());
    EXPECT_FALSE(reread.Sheet(2).IsBlank()) << "a formatted blank cell";

    // No cell, but a merged area, a comment or a hyperlink placed on the sheet.
    for (uint16_t placed : {rid::kMergedCells, rid::kNote, rid::kHyperlink, rid::kMsoDrawing}) {
        Bytes records;
        Record(records, rid::kDimensions, Bytes(14, 0));
        Record(records, placed, Bytes(10, 0));
        const auto file = test::Container(dir / "placed.xls", test::OneSheetStream({}, records));
        const Workbook crafted = Workbook::Open(file);
        EXPECT_FALSE(crafted.Sheet(0).UsedRange());
        EXPECT_FALSE(crafted.Sheet(0).IsBlank()) << placed;
    }
}

TEST(SheetChanges, FailedSavesLeaveTheOldFileByteForByte) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"S"});
    book.Sheet(0).SetCellText(0, 0, "old");
    fs::create_directory(dir / "locked");
    book.Save(dir / "locked" / "book.xls");
    const std::string before = tabvex::test::ReadFile(dir / "locked" / "book.xls");
    book.Sheet(0).SetCellText(0, 0, "new");

    tabvex::test::WriteFile(dir / "file", "x");
    EXPECT_THROW(book.Save(dir / "file" / "book.xls"), XlsError);  // a file where a folder should be
    if (geteuid() != 0) {  // permissions do not bind the superuser
        fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_THROW(book.Save(), XlsError);
        fs::permissions(dir / "locked", fs::perms::owner_all);
    }
    EXPECT_EQ(tabvex::test::ReadFile(dir / "locked" / "book.xls"), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "locked"), fs::directory_iterator()), 1);
    book.Save();  // the workbook is still whole and saves where it was
    EXPECT_EQ(Workbook::Open(dir / "locked" / "book.xls").Sheet(0).CellText(0, 0), "new");
}

}  // namespace
}  // namespace tabvex::xls
