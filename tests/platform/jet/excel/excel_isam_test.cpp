#include <gtest/gtest.h>

#include "platform/jet/excel/excel_isam.h"
#include "platform/xls/workbook.h"
#include "excel_isam_test_support.h"
#include "support/test_support.h"

namespace tabvex::jet::excel {
namespace {

using nlohmann::json;
using test::ReadWithXlrd;
using test::ScratchDir;

std::vector<oledb::Value> Texts(std::initializer_list<const char*> texts) {
    std::vector<oledb::Value> values;
    for (const char* text : texts) values.emplace_back(std::string(text));
    return values;
}

// The cells of a sheet as xlrd read them: rows of values, "" for empty.
std::vector<std::vector<json>> Grid(const json& sheet) {
    std::vector<std::vector<json>> grid(sheet["nrows"].get<std::size_t>(),
                                        std::vector<json>(sheet["ncols"].get<std::size_t>(), ""));
    for (const auto& cell : sheet["cells"]) grid[cell["row"]][cell["col"]] = cell["value"];
    return grid;
}

const json& NamedArea(const json& book, const std::string& name) {
    for (const auto& entry : book["names"])
        if (entry["name"] == name) return entry["area"];
    throw std::runtime_error("no name " + name);
}

oledb::HRESULT FailureCode(const std::function<void()>& action, std::string* message = nullptr) {
    try {
        action();
    } catch (const IsamError& error) {
        if (message) *message = error.what();
        return error.code();
    }
    return oledb::S_OK;
}

TEST(ExcelIsam, CreateAndInsertAreReadBackByXlrd) {
    ScratchDir dir;
    auto path = dir / "target.xls";
    {
        ExcelIsam isam(path);
        isam.CreateTable("Orders", TextColumns({"Id", "Ship Name", "Note"}));
        isam.InsertRow("Orders", Texts({"1", "O'Brien", "Ærø"}));
        isam.InsertRow("orders", {std::string("2"), std::monostate{}, std::string("")});
        isam.InsertRow("Orders", {std::int64_t{3}, 2.5, oledb::DateTime{1996, 7, 4, 14, 30, 0}});
        isam.Flush();
    }
    json book = ReadWithXlrd(path);
    ASSERT_EQ(book["sheets"].size(), 1u);
    EXPECT_EQ(book["sheets"][0]["name"], "Orders");
    auto grid = Grid(book["sheets"][0]);
    ASSERT_EQ(grid.size(), 4u);
    EXPECT_EQ(grid[0], (std::vector<json>{"Id", "Ship Name", "Note"}));
    EXPECT_EQ(grid[1], (std::vector<json>{"1", "O'Brien", "Ærø"}));
    EXPECT_EQ(grid[2], (std::vector<json>{"2", "", ""}));
    // A text column takes every value as text, as the migration's text columns expect.
    EXPECT_EQ(grid[3], (std::vector<json>{"3", "2.5", "1996-07-04 14:30:00"}));
    const json& area = NamedArea(book, "Orders");
    EXPECT_EQ(area["sheet"], "Orders");
    EXPECT_EQ(area["rlo"], 0);
    EXPECT_EQ(area["rhi"], 4);  // xlrd's upper bounds are exclusive
    EXPECT_EQ(area["chi"], 3);
}

TEST(ExcelIsam, TablesAndColumnsAsTheBackupReadsThem) {
    ScratchDir dir;
    ExcelIsam isam(dir / "t.xls");
    std::vector<ColumnDefinition> columns{{"Name", "VARCHAR", 50}, {"Notes", "LONGTEXT", std::nullopt},
                                          {"Qty", "INTEGER", std::nullopt}, {"Price", "CURRENCY", std::nullopt},
                                          {"Born", "DATETIME", std::nullopt}, {"Active", "BIT", std::nullopt}};
    isam.CreateTable("People", columns);
    EXPECT_EQ(isam.Tables().size(), 2u);  // listed before the next table is made
    isam.CreateTable("Zoo", TextColumns({"A"}));
    std::vector<std::string> names;
    for (const auto& table : isam.Tables()) names.push_back(table.name);
    EXPECT_EQ(names, (std::vector<std::string>{"People", "People$", "Zoo", "Zoo$"}));

    auto described = isam.Columns("People$");
    ASSERT_EQ(described.size(), 6u);
    EXPECT_EQ(described[0].name, "Name");
    EXPECT_EQ(described[0].type, oledb::DBTYPE_WSTR);
    EXPECT_EQ(described[0].flags, 106u);  // the backup names it TEXT
    EXPECT_EQ(described[0].maxLength, 255u);
    EXPECT_EQ(described[1].flags, 234u);  // LONGTEXT
    EXPECT_EQ(described[2].type, oledb::DBTYPE_R8);
    EXPECT_EQ(described[2].flags, 122u);  // NUMERIC
    EXPECT_EQ(described[3].type, oledb::DBTYPE_CY);
    EXPECT_EQ(described[4].type, oledb::DBTYPE_DATE);
    EXPECT_EQ(described[5].type, oledb::DBTYPE_BOOL);
    EXPECT_EQ(described[5].flags, 24u);  // BIT
    EXPECT_TRUE(isam.Indexes("People").empty());

    // Declared types shape what is written and what is read back.
    isam.InsertRow("People", {std::string("Ann"), std::string("x"), std::string("42"), 3.14159,
                              std::string("1996-07-04"), true});
    auto rows = ReadAll(isam, "People");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][2], oledb::Value(42.0));
    EXPECT_EQ(rows[0][3], oledb::Value(oledb::Decimal{"3.1416"}));
    EXPECT_EQ(rows[0][4], oledb::Value(oledb::DateTime{1996, 7, 4, 0, 0, 0}));
    EXPECT_EQ(rows[0][5], oledb::Value(true));
}

// A workbook made without the ISAM, as a person would fill it in.
void WriteForeignWorkbook(const std::filesystem::path& path) {
    auto book = xls::Workbook::CreateNew({"Data", "Other"});
    xls::Worksheet& sheet = book.Sheet(0);
    const char* headers[] = {"Amount", "Code", "Mixed", "Story", "", "Unit.Price"};
    for (std::uint16_t c = 0; c < 6; ++c) sheet.SetCellText(1, static_cast<std::uint16_t>(c + 1), headers[c]);
    for (std::uint32_t r = 2; r <= 11; ++r) {
        sheet.SetCellNumber(r, 1, r * 1.5);
        sheet.SetCellText(r, 2, "C" + std::to_string(r));
        if (r % 2) sheet.SetCellNumber(r, 3, r);
        else sheet.SetCellText(r, 3, "t" + std::to_string(r));
        sheet.SetCellText(r, 4, std::string(r == 5 ? 300 : 3, 's'));
        sheet.SetCellNumber(r, 6, 0.25);
    }
    sheet.SetCellText(10, 1, "12");     // text that reads as a number, in the number column
    sheet.SetCellText(11, 1, "lots");   // beyond the eight guessed rows: read as NULL
    book.Sheet(1).SetCellText(0, 0, "x");
    book.AddName("Amounts", xls::SheetArea{0, xls::CellRange{1, 9, 1, 1}});
    book.Save(path);
}

TEST(ExcelIsam, GuessesTypesFromTheFirstEightRows) {
    ScratchDir dir;
    auto path = dir / "foreign.xls";
    WriteForeignWorkbook(path);
    ExcelIsam isam(path);
    std::vector<std::string> names;
    for (const auto& table : isam.Tables()) names.push_back(table.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Amounts", "Data$", "Other$"}));

    auto columns = isam.Columns("Data$");
    ASSERT_EQ(columns.size(), 6u);
    EXPECT_EQ(columns[0].type, oledb::DBTYPE_R8);
    EXPECT_EQ(columns[1].type, oledb::DBTYPE_WSTR);
    EXPECT_EQ(columns[2].flags, 106u);   // four numbers, four texts: text wins the tie
    EXPECT_EQ(columns[3].flags, 234u);   // a long text among the first rows
    EXPECT_EQ(columns[4].name, "F5");    // no header text
    EXPECT_EQ(columns[5].name, "Unit#Price");

    auto rows = ReadAll(isam, "Data$");
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0][0], oledb::Value(3.0));
    EXPECT_EQ(rows[8][0], oledb::Value(12.0));
    EXPECT_EQ(rows[9][0], oledb::Value(std::monostate{}));
    EXPECT_EQ(rows[1][2], oledb::Value(std::string("3")));  // a number in a text column reads as its text
    EXPECT_EQ(ReadAll(isam, "amounts").size(), 8u);
}

TEST(ExcelIsam, InsertIntoAnExistingWorkbookKeepsItsOtherContent) {
    ScratchDir dir;
    auto path = dir / "foreign.xls";
    WriteForeignWorkbook(path);
    {
        ExcelIsam isam(path);
        // The name cannot widen over the filled row under it; the worksheet table can grow.
        std::string message;
        EXPECT_EQ(FailureCode([&] { isam.InsertRow("Amounts", {1.0}); }, &message), oledb::E_FAIL);
        EXPECT_EQ(message, "Cannot expand the named range 'Amounts': row 11 under it is not empty.");
        isam.InsertRow("Data$", {99.0, std::string("C"), std::string("m"), std::string("s"), std::monostate{}, 0.5});
        isam.Flush();
    }
    ExcelIsam reopened(path);
    EXPECT_EQ(ReadAll(reopened, "Data$").size(), 11u);
    EXPECT_EQ(ReadAll(reopened, "Amounts").size(), 8u);

    json book = ReadWithXlrd(path);
    ASSERT_EQ(book["sheets"].size(), 2u);
    EXPECT_EQ(Grid(book["sheets"][1])[0][0], "x");
    auto data = Grid(book["sheets"][0]);
    ASSERT_EQ(data.size(), 13u);
    EXPECT_EQ(data[12][1], 99.0);
    EXPECT_EQ(data[12][2], "C");
    EXPECT_EQ(data[12][6], 0.5);
    EXPECT_EQ(NamedArea(book, "Amounts")["rhi"], 10);
}

TEST(ExcelIsam, RefusesWhatExcelCannotHold) {
    ScratchDir dir;
    auto path = dir / "t.xls";
    ExcelIsam isam(path);
    isam.CreateTable("Orders", TextColumns({"Id", "Name"}));
    std::string message;

    EXPECT_EQ(FailureCode([&] { isam.CreateTable("orders", TextColumns({"A"})); }, &message),
              oledb::DB_E_DUPLICATETABLEID);
    EXPECT_EQ(message, "Table 'orders' already exists.");
    EXPECT_EQ(FailureCode([&] { isam.CreateTable("AB12", TextColumns({"A"})); }), oledb::DB_E_BADTABLEID);
    EXPECT_EQ(FailureCode([&] { isam.CreateTable("R1C1", TextColumns({"A"})); }), oledb::DB_E_BADTABLEID);
    EXPECT_EQ(FailureCode([&] { isam.CreateTable(std::string(32, 'x'), TextColumns({"A"})); }, &message),
              oledb::DB_E_BADTABLEID);
    EXPECT_NE(message.find("at most 31 characters"), std::string::npos);
    EXPECT_EQ(FailureCode([&] { isam.CreateTable("T", TextColumns({"A", "a"})); }), oledb::DB_E_DUPLICATECOLUMNID);
    EXPECT_EQ(FailureCode([&] { isam.CreateTable("B", {{"Pic", "LONGBINARY", std::nullopt}}); }),
              oledb::DB_E_BADTYPENAME);
    EXPECT_EQ(FailureCode([&] { isam.Columns("Nowhere"); }, &message), oledb::DB_E_NOTABLE);
    EXPECT_NE(message.find("'Nowhere' does not exist"), std::string::npos);

    // A value too long for a cell, or one a number column cannot take, adds no part of its row.
    EXPECT_EQ(FailureCode([&] { isam.InsertRow("Orders", {std::string("1"), std::string(32768, 'x')}); }, &message),
              oledb::DB_E_DATAOVERFLOW);
    EXPECT_NE(message.find("column 'Name'"), std::string::npos);
    // Malformed UTF-8 counts as the workbook stores it, each stray byte one U+FFFD.
    std::string malformed;
    for (int i = 0; i < 16384; ++i) malformed += "\xC0\x80";
    EXPECT_EQ(FailureCode([&] { isam.InsertRow("Orders", {std::string("1"), malformed}); }), oledb::DB_E_DATAOVERFLOW);
    isam.CreateTable("Nums", {{"N", "DOUBLE", std::nullopt}, {"M", "DOUBLE", std::nullopt}});
    EXPECT_EQ(FailureCode([&] { isam.InsertRow("Nums", {1.0, std::string("abc")}); }), oledb::DB_E_CANTCONVERTVALUE);
    isam.InsertRow("Orders", Texts({"2", std::string(32767, 'y').c_str()}));
    EXPECT_EQ(ReadAll(isam, "Orders").size(), 1u);
    EXPECT_TRUE(ReadAll(isam, "Nums").empty());
    isam.Flush();
    json book = ReadWithXlrd(path);
    EXPECT_EQ(book["sheets"][0]["nrows"], 2);
    EXPECT_EQ(book["sheets"][1]["nrows"], 1);
}

TEST(ExcelIsam, NamesExcelCannotHoldBecomeUnderscored) {
    ScratchDir dir;
    ExcelIsam isam(dir / "t.xls");
    isam.CreateTable("Order Details", TextColumns({"A"}));
    isam.CreateTable("2004", TextColumns({"A"}));
    isam.InsertRow("Order Details", Texts({"x"}));  // found under the name CREATE TABLE made
    std::vector<std::string> names;
    for (const auto& table : isam.Tables()) names.push_back(table.name);
    EXPECT_EQ(names, (std::vector<std::string>{"_2004", "_2004$", "Order_Details", "Order_Details$"}));
    EXPECT_EQ(ReadAll(isam, "'Order_Details$'").size(), 1u);
}

TEST(ExcelIsam, TheRowAfterTheLastExcelRowIsAnError) {
    ScratchDir dir;
    auto path = dir / "t.xls";
    ExcelIsam isam(path);
    isam.CreateTable("Big", TextColumns({"N"}));
    for (int i = 1; i < 65536; ++i) isam.InsertRow("Big", {std::string("r")});
    std::string message;
    EXPECT_EQ(FailureCode([&] { isam.InsertRow("Big", {std::string("lost?")}); }, &message), oledb::E_FAIL);
    EXPECT_NE(message.find("the worksheet is full (Excel holds 65536 rows)"), std::string::npos);
    isam.Flush();
    // The full dump of 65,536 rows is large and slow; xlrd is asked only for the shape.
    auto shape = test::RunCommand({"/usr/bin/python3", "-c",
                                   "import sys, xlrd\n"
                                   "b = xlrd.open_workbook(sys.argv[1])\n"
                                   "s, rlo, rhi, clo, chi = b.name_map['big'][0].area2d()\n"
                                   "print(b.sheet_by_index(0).nrows, rhi, b.sheet_by_index(0).cell_value(65535, 0))",
                                   path.string()});
    EXPECT_EQ(shape.out, "65536 65536 r\n") << shape.err;
}

TEST(ExcelIsam, CompletedTablesAreOnDiskBeforeTheNextOneStarts) {
    ScratchDir dir;
    auto path = dir / "t.xls";
    ExcelIsam isam(path);
    isam.CreateTable("First", TextColumns({"A"}));
    isam.InsertRow("First", Texts({"done"}));
    EXPECT_FALSE(std::filesystem::exists(path));  // no save per row
    isam.CreateTable("Second", TextColumns({"B"}));
    isam.InsertRow("Second", Texts({"in progress"}));
    // As if the program died now: the file holds the first table whole.
    json book = ReadWithXlrd(path);
    ASSERT_EQ(book["sheets"].size(), 1u);
    EXPECT_EQ(Grid(book["sheets"][0])[1][0], "done");
    EXPECT_EQ(NamedArea(book, "First")["rhi"], 2);
}

TEST(ExcelIsam, ABrokenFileIsRefusedWithItsName) {
    ScratchDir dir;
    auto path = dir / "broken.xls";
    test::WriteFile(path, "this is no workbook");
    std::string message;
    EXPECT_EQ(FailureCode([&] { ExcelIsam isam(path); }, &message), oledb::E_FAIL);
    EXPECT_NE(message.find("broken.xls"), std::string::npos);
}

}  // namespace
}  // namespace tabvex::jet::excel
