// tabvex-cli check as a process, on databases written by the project's own writer:
// a line per table naming what would not arrive whole, the summary line, the exit
// status, and the files left exactly as they were.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "browser/condition_file.h"
#include "tasks/bodies/migration_fixture.h"

namespace tabvex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

constexpr int kLongTableRows = 70000;

SourceTable LongTable() {
    SourceTable table{"Big", {{"ID", mdb::JetType::Long, 0}, {"Label", mdb::JetType::Text, 20}}, {}};
    for (int r = 1; r <= kLongTableRows; ++r) table.rows.push_back({std::to_string(r), "row " + std::to_string(r)});
    return table;
}

// One memo of 40,000 characters beside short ones; "é" counts one character.
SourceTable LongMemoTable() {
    return {"Notes",
            {{"ID", mdb::JetType::Long, 0}, {"Body", mdb::JetType::Memo, 0}},
            {{"1", "short"}, {"2", std::string(39999, 'x') + "é"}, {"3", std::string(32767, 'y')}}};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class CheckCliTest : public MigrationFixture {
protected:
    CommandResult Check(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {CliPath().string(), "check", "--program-dir", programFolder().string()});
        return RunCommand(arguments);
    }
};

TEST_F(CheckCliTest, UsageErrorsExitWithTwo) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Orders()});
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {},
             {shop.string(), (scratch / "out.csv").string()},
             {shop.string(), (scratch / "a.xls").string(), (scratch / "b.xls").string()},
             {shop.string(), "--quiet"},
             {shop.string(), "--table"}}) {
        const auto result = Check(arguments);
        EXPECT_EQ(result.exitCode, 2) << result.err;
        EXPECT_THAT(result.err, HasSubstr("usage: tabvex-cli check"));
    }
}

TEST_F(CheckCliTest, ALongTableAndALongMemoAreNamedWithWhatWouldNotFit) {
    const fs::path source = WriteDatabase(scratch / "long.mdb", {LongTable(), LongMemoTable(), Orders()});
    const auto result = Check({source.string()});
    EXPECT_EQ(result.exitCode, 1) << result.out << result.err;
    EXPECT_THAT(Lines(result.out),
                ElementsAre("[Big] 70,000 rows: NOT WHOLE: 4,465 rows past the worksheet's last row (65,535 rows "
                            "under the header); the rows past it can go on new sheets with \"Continue long tables "
                            "on new sheets\" (--split-long-tables)",
                            "[Notes] 3 rows: NOT WHOLE: 1 value longer than 32,767 characters in [Body]",
                            "[Orders] 2 rows: arrives whole",
                            "Check: 3 tables, 2 would not arrive whole: [Big], [Notes]"));
    EXPECT_EQ(result.err, "");

    // Continued on new sheets, the long table arrives whole; the memo still does not.
    const auto split = Check({"--split-long-tables", source.string()});
    EXPECT_EQ(split.exitCode, 1);
    EXPECT_THAT(split.out, HasSubstr("[Big] 70,000 rows: arrives whole, continues on 2 sheets\n"));
    EXPECT_THAT(split.out, HasSubstr("Check: 3 tables, 1 would not arrive whole: [Notes]\n"));

    const auto memo = Check({source.string(), "--table", "notes"});
    EXPECT_EQ(memo.exitCode, 1);
    EXPECT_THAT(Lines(memo.out), ElementsAre(StartsWith("[Notes] 3 rows: NOT WHOLE"), StartsWith("Check: 1 table,")));
}

TEST_F(CheckCliTest, TablesThatFitExitWithZeroAndShowTheSheetsAwkwardNamesBecome) {
    const std::vector<mdb::ColumnSpec> columns{{"N", mdb::JetType::Long, 0}};
    const std::string longName = "A table name far longer than any sheet name";
    const fs::path source = WriteDatabase(scratch / "awkward.mdb", {{"Order Details", columns, {{"1"}}},
                                                                    {"Q1", columns, {{"2"}}},
                                                                    {"Orders", columns, {}},
                                                                    {"Order_Details", columns, {{"3"}}},
                                                                    {longName, columns, {{"4"}}},
                                                                    {"Übersicht 東京", columns, {{"5"}}}});
    const auto result = Check({source.string()});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 7u) << result.out;
    EXPECT_THAT(result.out, HasSubstr("[Order Details] 1 row, becomes sheet [Order_Details]: arrives whole\n"));
    EXPECT_THAT(result.out, HasSubstr("[Q1] 1 row, becomes sheet [Q1_]: arrives whole\n"));
    EXPECT_THAT(result.out, HasSubstr("[Orders] 0 rows: arrives whole\n"));
    EXPECT_THAT(result.out, HasSubstr("[Order_Details] 1 row, becomes sheet [Order_Details_2]: arrives whole\n"));
    EXPECT_THAT(result.out, HasSubstr("[" + longName + "] 1 row, becomes sheet [A_table_name_far_longer_than_an]:"));
    EXPECT_THAT(result.out, HasSubstr("[Übersicht 東京] 1 row, becomes sheet [Übersicht_東京]: arrives whole\n"));
    EXPECT_EQ(lines.back(), "Check: 6 tables, every one would arrive whole");
}

TEST_F(CheckCliTest, ASheetTheTargetHoldsIsNamedAndNothingIsWritten) {
    const fs::path source =
        WriteDatabase(scratch / "shop.mdb", {{"Sales", {{"Region", mdb::JetType::Text, 20}}, {{"North"}}}, Orders()});
    const fs::path book = WriteBook(scratch / "book.xls");
    const std::string sourceBefore = ReadFile(source);
    const std::string bookBefore = ReadFile(book);
    const auto before = fs::last_write_time(book);

    const auto result = Check({source.string(), book.string()});
    EXPECT_EQ(result.exitCode, 1) << result.out << result.err;
    EXPECT_THAT(result.out, HasSubstr("[Sales] 1 row: NOT WHOLE: the target already holds a sheet [Sales]; the table "
                                      "can replace it with \"Overwrite the same-name table\" (--replace)\n"));
    EXPECT_THAT(result.out, HasSubstr("[Orders] 2 rows: arrives whole\n"));
    // Judged as the migration with --replace would treat it.
    const auto replacing = Check({"--replace", source.string(), book.string()});
    EXPECT_EQ(replacing.exitCode, 0) << replacing.out;
    EXPECT_THAT(replacing.out, HasSubstr("[Sales] 1 row: arrives whole, replaces the target's sheet [Sales]\n"));
    EXPECT_EQ(ReadFile(source), sourceBefore);
    EXPECT_EQ(ReadFile(book), bookBefore);
    EXPECT_EQ(fs::last_write_time(book), before);
    EXPECT_FALSE(fs::exists(programFolder() / "data_cache"));

    // A new workbook holds nothing yet, and none is made.
    const auto fresh = Check({source.string(), (scratch / "new.xls").string()});
    EXPECT_EQ(fresh.exitCode, 0) << fresh.out;
    EXPECT_FALSE(fs::exists(scratch / "new.xls"));
}

TEST_F(CheckCliTest, TheTablesConditionLimitsTheRowsCheckedAsItLimitsTheMigration) {
    const fs::path source = WriteDatabase(scratch / "long.mdb", {LongTable()});
    const std::string database = (scratch / "long").string();
    ASSERT_TRUE(browser::WriteCondition(program.sides().conditionFile(), database, "Big", "ID <= 65535"));
    const auto result = Check({source.string()});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_THAT(result.out, HasSubstr("[Big] 65,535 rows where ID <= 65535: arrives whole\n"));
}

TEST_F(CheckCliTest, ASourceThatCannotBeOpenedFailsWithItsReason) {
    WriteFile(scratch / "broken.mdb", "not a database");
    const auto result = Check({(scratch / "broken.mdb").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, Not(""));
}

}  // namespace
}  // namespace tabvex::test
