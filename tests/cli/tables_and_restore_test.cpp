// tabvex-cli tables and restore: the names alone, and a backup replayed into a
// workbook whose sheets equal the backed-up ones as xlrd reads them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "cli/cli_run.h"

namespace tabvex::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// Every sheet's cells as xlrd reads them, by sheet name.
nlohmann::json SheetsOf(const fs::path& workbook) {
    const nlohmann::json read = ReadWithXlrd(workbook);
    nlohmann::json sheets = nlohmann::json::object();
    for (const auto& sheet : read["sheets"]) sheets[sheet["name"].get<std::string>()] = sheet["cells"];
    return sheets;
}

std::vector<std::string> SortedLines(const std::string& text) {
    auto lines = Lines(text);
    std::sort(lines.begin(), lines.end());
    return lines;
}

class TablesAndRestoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        northwind = Northwind();
        if (northwind.empty()) GTEST_SKIP() << "no corpus";
    }
    CommandResult Cli(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {CliPath().string()});
        arguments.insert(arguments.begin() + 2, {"--program-dir", (scratch / "program").string()});
        return RunCommand(arguments);
    }

    ScratchDir scratch;
    fs::path northwind;
};

TEST_F(TablesAndRestoreTest, TablesPrintsTheNamesAloneOfADatabaseAndOfAWorkbook) {
    const auto source = Cli({"tables", northwind.string()});
    ASSERT_EQ(source.exitCode, 0) << source.err;
    const auto mdbTables = RunCommand({"/usr/bin/mdb-tables", "-1", northwind.string()});
    EXPECT_EQ(SortedLines(source.out), SortedLines(mdbTables.out)) << "the user tables mdbtools lists";

    const fs::path book = scratch / "northwind.xls";
    Cli({"migrate", "--no-trace", northwind.string(), book.string()});
    const auto sheets = Cli({"tables", book.string()});
    ASSERT_EQ(sheets.exitCode, 0) << sheets.err;
    std::vector<std::string> read;
    const nlohmann::json bookSheets = SheetsOf(book);
    for (const auto& [name, cells] : bookSheets.items()) read.push_back(name);
    EXPECT_EQ(SortedLines(sheets.out), read);

    const auto json = Cli({"tables", "--json", book.string()});
    EXPECT_EQ(nlohmann::json::parse(json.out), nlohmann::json(Lines(sheets.out)));
}

TEST_F(TablesAndRestoreTest, ARestoredBackupHasTheBackedUpSheetsAndReplacesOnlyWhenAsked) {
    const fs::path original = scratch / "northwind.xls";
    Cli({"migrate", "--no-trace", northwind.string(), original.string()});  // Employees' photos are cut
    ASSERT_EQ(Cli({"backup", original.string(), (scratch / "backup").string()}).exitCode, 0);

    const fs::path restored = scratch / "restored.xls";
    const auto restore = Cli({"restore", (scratch / "backup").string(), restored.string()});
    ASSERT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_THAT(restore.out, HasSubstr("Summary: 8 tables restored, none failed or left out"));
    const auto sheets = SheetsOf(original);
    EXPECT_EQ(sheets.size(), 8u);
    EXPECT_EQ(SheetsOf(restored), sheets);

    // Again into the same workbook: every sheet is there, and stays unless replaced.
    const auto kept = Cli({"restore", (scratch / "backup" / "northwind").string(), restored.string()});
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_THAT(kept.err, HasSubstr("[Orders] The workbook has a sheet of that name already"));
    const auto replaced = Cli({"restore", "--replace", "--json", (scratch / "backup").string(), restored.string()});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_EQ(nlohmann::json::parse(replaced.out)["tasks"][0]["summary"]["tables"].size(), 8u);
    EXPECT_EQ(SheetsOf(restored), sheets);

    // A table that does not come back whole leaves the sheet it would replace.
    const fs::path shippersData = scratch / "backup" / "northwind" / "DATA" / "Shippers.data";
    WriteFile(shippersData, ReadFile(shippersData) + "insert into Shippers values (\n");
    const auto broken = Cli({"restore", "--replace", (scratch / "backup").string(), restored.string()});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_THAT(broken.err, HasSubstr("[Shippers] not replaced: the workbook keeps the sheet it had"));
    EXPECT_EQ(SheetsOf(restored), sheets);
}

// A value holding a line break survives the data script's line-per-row layout.
TEST_F(TablesAndRestoreTest, ValuesWithLineBreaksAndApostrophesComeBackWhole) {
    const fs::path notes = BuildDatabase(scratch, "notes.mdb", R"({"tables": [{"name": "Notes",
        "columns": [{"name": "Text", "type": "Memo"}],
        "rows": [["first line\nsecond 'quoted' line"], ["it's\n"], [null]]}]})");
    const fs::path book = scratch / "notes.xls";
    ASSERT_EQ(Cli({"migrate", "--no-trace", notes.string(), book.string()}).exitCode, 0);
    ASSERT_EQ(Cli({"backup", book.string(), (scratch / "backup").string()}).exitCode, 0);
    const auto restore = Cli({"restore", (scratch / "backup").string(), (scratch / "again.xls").string()});
    EXPECT_EQ(restore.exitCode, 0) << restore.err;
    const auto sheets = SheetsOf(book);
    EXPECT_EQ(sheets["Notes"].size(), 4u) << "the header and the three rows";
    EXPECT_EQ(SheetsOf(scratch / "again.xls"), sheets);
}

}  // namespace
}  // namespace tabvex::test
