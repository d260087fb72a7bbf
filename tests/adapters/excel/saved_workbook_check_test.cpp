// Reading a table back from the saved workbook: every data cell compared with what was
// sent, the first difference named by row and column, and rows, columns or a sheet
// that should not be there (or should) found too.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "adapters/excel/saved_workbook_check.h"
#include "shell/program.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"

namespace tabvex::test {
namespace {

using namespace tabvex::adapters;
using Rows = std::vector<std::vector<std::string>>;

const Rows kRows = {{"1", "Alfreds", ""}, {"2", "O'Brien", "Ünïcödé 東京"}};

SentCells Sent(const Rows& rows, const std::string& sheet = "Customers") {
    SentCells sent("Customers table", sheet);
    for (const auto& row : rows) {
        for (const auto& cell : row) sent.AddCell(cell);
        sent.KeepRow();
    }
    return sent;
}

// A workbook whose sheet "Customers" holds a header row and `rows` under it.
xls::Workbook Book(const Rows& rows) {
    auto book = xls::Workbook::CreateNew({"Customers"});
    xls::Worksheet& sheet = book.Sheet(0);
    const std::vector<std::string> header = {"ID", "Name", "Note"};
    for (std::uint16_t column = 0; column < header.size(); ++column) sheet.SetCellText(0, column, header[column]);
    for (std::uint32_t row = 0; row < rows.size(); ++row)
        for (std::uint16_t column = 0; column < rows[row].size(); ++column)
            if (!rows[row][column].empty()) sheet.SetCellText(row + 1, column, rows[row][column]);
    return book;
}

TEST(SavedWorkbookCheckTest, RowsReadBackEqualHaveNoDifference) {
    const SentCells sent = Sent(kRows);
    EXPECT_EQ(sent.rows(), 2);
    EXPECT_EQ(sent.columns(), 3u);
    EXPECT_EQ(FirstDifference(Book(kRows), sent), std::nullopt);
}

TEST(SavedWorkbookCheckTest, TheFirstDifferentCellIsNamedByRowAndColumnHeader) {
    Rows changed = kRows;
    changed[1][2] = "Unicode";
    changed[1][1] = "Mallory";
    EXPECT_EQ(FirstDifference(Book(changed), Sent(kRows)),
              "row 2, column [Name] reads back \"Mallory\", not what was sent");

    Rows emptied = kRows;
    emptied[0][0] = "";
    EXPECT_EQ(FirstDifference(Book(emptied), Sent(kRows)), "row 1, column [ID] reads back \"\", not what was sent");
}

TEST(SavedWorkbookCheckTest, ALongTextReadBackIsShownCutAtACharacterBoundary) {
    Rows changed = kRows;
    changed[0][2] = std::string(39, 'x') + "é and more";
    const auto difference = FirstDifference(Book(changed), Sent(kRows));
    ASSERT_TRUE(difference);
    EXPECT_EQ(*difference, "row 1, column [Note] reads back \"" + std::string(39, 'x') + "...\", not what was sent");
}

TEST(SavedWorkbookCheckTest, MissingExtraRowsExtraColumnsAndAMissingSheetAreDifferences) {
    EXPECT_EQ(FirstDifference(Book({kRows[0]}), Sent(kRows)),
              "row 2, column [ID] reads back \"\", not what was sent");
    EXPECT_EQ(FirstDifference(Book({kRows[0], kRows[1], {"3"}}), Sent(kRows)),
              "row 3 reads back, but 2 rows were sent");
    EXPECT_EQ(FirstDifference(Book({kRows[0], {"2", "O'Brien", "Ünïcödé 東京", "surplus"}}), Sent(kRows)),
              "column D reads back, but 3 columns were sent");
    EXPECT_EQ(FirstDifference(Book(kRows), Sent(kRows, "Kunden")), "the saved workbook has no worksheet [Kunden]");
}

TEST(SavedWorkbookCheckTest, ARowThatDidNotArriveIsNotExpectedBack) {
    SentCells sent("Customers table", "Customers");
    for (const auto& cell : kRows[0]) sent.AddCell(cell);
    sent.KeepRow();
    sent.AddCell("refused");
    sent.DropRow();
    for (const auto& cell : kRows[1]) sent.AddCell(cell);
    sent.KeepRow();
    EXPECT_EQ(FirstDifference(Book(kRows), sent), std::nullopt);
}

// A long table continued on a new sheet: each sheet holds its run of the table's rows
// under a header row, and a difference names the table's row and the sheet.
TEST(SavedWorkbookCheckTest, RowsContinuedOnAnotherSheetAreReadBackThere) {
    SentCells sent("Customers table", "Customers");
    for (std::size_t row = 0; row < kRows.size(); ++row) {
        if (row == 1) sent.ContinueOnSheet("Customers__2_");
        for (const auto& cell : kRows[row]) sent.AddCell(cell);
        sent.KeepRow();
    }
    auto book = Book({kRows[0]});
    auto second = Book({kRows[1]});
    book.AddSheet("Customers__2_");
    for (std::uint16_t column = 0; column < 3; ++column) {
        book.Sheet(1).SetCellText(0, column, second.Sheet(0).CellText(0, column));
        book.Sheet(1).SetCellText(1, column, kRows[1][column]);
    }
    EXPECT_EQ(FirstDifference(book, sent), std::nullopt);
    book.Sheet(1).SetCellText(1, 1, "Mallory");
    EXPECT_EQ(FirstDifference(book, sent),
              "row 2, column [Name] reads back \"Mallory\", not what was sent (worksheet [Customers__2_])");
}

class SavedWorkbookLogTest : public ::testing::Test {
protected:
    ~SavedWorkbookLogTest() override { SetBeforeReadBackForTests({}); }

    ScratchDir scratch;
    ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};
};

TEST_F(SavedWorkbookLogTest, EachTableGetsOneLineAndTheFailedOnesAreReturned) {
    const auto file = scratch / "book.xls";
    Book(kRows).Save(file);
    const SentCells equal = Sent(kRows);
    Rows other = kRows;
    other[0][1] = "Alfred";
    SentCells different("Other", "Customers");
    for (const auto& row : other) {
        for (const auto& cell : row) different.AddCell(cell);
        different.KeepRow();
    }
    EXPECT_EQ(VerifySavedWorkbook(program.output(), file, {&equal, &different}), std::vector<std::string>{"Other"});
    const auto messages = ui.messages();
    EXPECT_NE(std::find(messages.begin(), messages.end(), "[Customers table] verified: 2 rows read back equal"),
              messages.end());
    EXPECT_NE(std::find(messages.begin(), messages.end(),
                        "[Other] not verified: row 1, column [Name] reads back \"Alfreds\", not what was sent"),
              messages.end());
}

TEST_F(SavedWorkbookLogTest, AWorkbookThatCannotBeReadFailsEveryTable) {
    const auto file = scratch / "book.xls";
    Book(kRows).Save(file);
    SetBeforeReadBackForTests([](const std::filesystem::path& path) { WriteFile(path, "not a workbook"); });
    const SentCells sent = Sent(kRows);
    EXPECT_EQ(VerifySavedWorkbook(program.output(), file, {&sent}), std::vector<std::string>{"Customers table"});
    const auto messages = ui.messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().starts_with("[Customers table] not verified: the saved workbook cannot be read: "))
        << messages.back();
}

}  // namespace
}  // namespace tabvex::test
