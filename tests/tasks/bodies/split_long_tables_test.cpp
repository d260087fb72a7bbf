// "Continue long tables on new sheets": a table longer than a worksheet arrives whole
// on its sheet and continuation sheets, each under the same formatted header row,
// and each continuation sheet is a table of the workbook like any other.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/excel/continuation_sheets.h"
#include "tasks/bodies/migration_fixture.h"

namespace tabvex::test {
namespace {

using ::testing::HasSubstr;

constexpr int kLongTableRows = 70000;

SourceTable LongTable(const std::string& name) {
    SourceTable table{name, {{"ID", mdb::JetType::Long, 0}, {"Label", mdb::JetType::Text, 20}}, {}};
    for (int r = 1; r <= kLongTableRows; ++r) table.rows.push_back({std::to_string(r), "row " + std::to_string(r)});
    return table;
}

// The header row with each cell's value and format, as xlrd reads them.
nlohmann::json HeaderCells(const nlohmann::json& sheet) {
    nlohmann::json header = nlohmann::json::array();
    for (const auto& cell : sheet["cells"])
        if (cell["row"] == 0) header.push_back({cell["value"], cell["format"]});
    return header;
}

class SplitLongTablesTest : public MigrationFixture {
protected:
    CommandResult MigrateSplit(const fs::path& source, const fs::path& workbook) {
        return RunCommand(MigrateCommandLine({"--split-long-tables", source.string(), workbook.string()}));
    }
};

TEST(ContinuationSheetNameTest, IsTheSheetWithItsNumberFittedToASheetName) {
    EXPECT_EQ(adapters::ContinuationSheetName("Big", 2), "Big__2_");
    EXPECT_EQ(adapters::ContinuationSheetName("Order_Details", 12), "Order_Details__12_");
    const std::string longest(31, 'x');
    EXPECT_EQ(adapters::ContinuationSheetName(longest, 3), std::string(27, 'x') + "__3_");
    // Cut at a character boundary: "😀" takes two of the 31 units.
    const std::string emoji = std::string(26, 'a') + "😀bc";
    EXPECT_EQ(adapters::ContinuationSheetName(emoji, 2), std::string(26, 'a') + "__2_");
    EXPECT_EQ(adapters::ContinuationSheetName(std::string(25, 'a') + "😀", 2), std::string(25, 'a') + "😀__2_");
}

// One run, since reading 70,000 rows back takes xlrd long: the long table's two
// sheets, and a continuation that keeps clear of the sheet another table becomes.
TEST_F(SplitLongTablesTest, SeventyThousandRowsArriveOnTwoSheetsUnderTheSameHeader) {
    const SourceTable big = LongTable("Big");
    const SourceTable other{"Big (2)", {{"N", mdb::JetType::Long, 0}}, {{"1"}}};
    const fs::path source = WriteDatabase(scratch / "long.mdb", {big, other});
    const fs::path workbook = scratch / "long.xls";
    const auto result = MigrateSplit(source, workbook);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("TABLE: [Big] continues on worksheet [Big__3_]"));
    EXPECT_THAT(result.out, HasSubstr("[Big] 70000 records converted, convertion completed SUCCESSFULLY!"));
    EXPECT_THAT(result.out, HasSubstr("Summary: 2 tables arrived, none failed or left out"));

    const auto read = ReadWithXlrd(workbook);
    EXPECT_EQ(read["sheets"].size(), 3u);
    const auto* first = FindSheet(read, "Big");
    const auto* second = FindSheet(read, "Big__3_");
    ASSERT_TRUE(first && second && FindSheet(read, "Big__2_"));
    EXPECT_EQ(SheetRows(*FindSheet(read, "Big__2_")), (Rows{{"N"}, {"1"}}));
    const Rows firstRows = SheetRows(*first), secondRows = SheetRows(*second);
    ASSERT_EQ(firstRows.size(), 65536u);
    ASSERT_EQ(secondRows.size(), 4466u);
    EXPECT_EQ(firstRows[0], (std::vector<std::string>{"ID", "Label"}));
    EXPECT_EQ(HeaderCells(*first), HeaderCells(*second));
    EXPECT_EQ(HeaderCells(*first)[0][1]["bold"], true);
    EXPECT_EQ((*second)["frozen_rows"], 1);

    // The rows of both sheets, in order, are the source's rows.
    Rows arrived(firstRows.begin() + 1, firstRows.end());
    arrived.insert(arrived.end(), secondRows.begin() + 1, secondRows.end());
    ASSERT_EQ(arrived.size(), big.rows.size());
    for (std::size_t r = 0; r < arrived.size(); ++r)
        ASSERT_EQ(arrived[r], (std::vector<std::string>{*big.rows[r][0], *big.rows[r][1]})) << "row " << r;
}

TEST_F(SplitLongTablesTest, EachContinuationSheetIsATableOfTheWorkbook) {
    const fs::path source = WriteDatabase(scratch / "long.mdb", {LongTable("Big")});
    const fs::path workbook = scratch / "long.xls";
    ASSERT_EQ(MigrateSplit(source, workbook).exitCode, 0);

    const auto tree = RunCommand({CliPath().string(), "tree", workbook.string()});
    EXPECT_THAT(tree.out, HasSubstr("      2 Big__2_\n"));
    const fs::path backups = scratch / "backups";
    const auto backup = RunCommand({CliPath().string(), "backup", "--program-dir", programFolder().string(),
                                    workbook.string(), backups.string(), "--table", "Big__2_"});
    EXPECT_EQ(backup.exitCode, 0) << backup.out << backup.err;
    EXPECT_THAT(backup.out, HasSubstr("[Big__2_]    4465 records backuped!"));
    EXPECT_TRUE(fs::exists(backups / "long" / "TABLES" / "Big__2_.tbl"));
    EXPECT_EQ(xls::Workbook::Open(workbook).SheetCount(), 2u) << "a backup changes nothing";
}

}  // namespace
}  // namespace tabvex::test
