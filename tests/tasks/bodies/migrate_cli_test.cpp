// tabvex-cli migrate as a process: arguments, exit status, the streams, and the
// corpus databases arriving whole or named in an error line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tasks/bodies/migration_fixture.h"

namespace tabvex::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class MigrateCliTest : public MigrationFixture {
protected:
    CommandResult Migrate(std::vector<std::string> arguments) {
        return RunCommand(MigrateCommandLine(std::move(arguments)));
    }
};

TEST_F(MigrateCliTest, UsageErrorsExitWithTwo) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Orders()});
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {},
             {shop.string()},
             {shop.string(), (scratch / "out.csv").string()},
             {shop.string(), (scratch / "new.xls").string(), "--table", "Orders"},  // --table needs a workbook
             {shop.string(), (scratch / "new.xls").string(), "--quiet"}}) {
        const auto result = Migrate(arguments);
        EXPECT_EQ(result.exitCode, 2) << result.err;
        EXPECT_THAT(result.err, HasSubstr("usage: tabvex-cli migrate"));
    }
}

TEST_F(MigrateCliTest, ANewTargetIsClonedAndExitsWithZero) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Customers(), Orders()});
    const auto result = Migrate({shop.string(), (scratch / "copy.xls").string()});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_THAT(result.out, HasSubstr("Operation completed SUCCESSFULLY!"));
    EXPECT_THAT(result.err, Not(HasSubstr("Create table")));
    const auto read = ReadWithXlrd(scratch / "copy.xls");
    ASSERT_NE(FindSheet(read, "Customers"), nullptr);
    EXPECT_EQ(SheetRows(*FindSheet(read, "Customers")), kCustomers);
}

TEST_F(MigrateCliTest, OneTableIntoAnExistingWorkbookAndAFailedTableExitsWithOneOnStderr) {
    const fs::path shop =
        WriteDatabase(scratch / "shop.mdb", {Customers(), {"Order Details", {{"N", mdb::JetType::Long, 0}}, {{"7"}}}});
    const fs::path book = WriteBook(scratch / "book.xls");
    const auto one = Migrate({shop.string(), book.string(), "--table", "Order Details"});
    EXPECT_EQ(one.exitCode, 0) << one.out << one.err;
    EXPECT_EQ(SheetRows(*FindSheet(ReadWithXlrd(book), "Order_Details")), (Rows{{"N"}, {"7"}}));

    const auto all = Migrate({shop.string(), book.string()});
    EXPECT_EQ(all.exitCode, 1) << all.out;
    EXPECT_THAT(all.err, HasSubstr("[Order Details] left out"));
    EXPECT_THAT(all.out, HasSubstr("Operation FAILURE!"));
}

// Every table mdbtools can read either arrives whole (the rows as mdb-dump gives
// them, NULL as an empty cell) or is named in an error line (unless the table list
// itself could not be read); a table with rows lost makes the exit status 1.
TEST_F(MigrateCliTest, CorpusDatabasesArriveWholeOrAreNamedInAnErrorLine) {
    const fs::path corpus = CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(corpus / "mdb")) {
        const std::string file = entry.path().string();
        const auto listed = RunCommand({"mdb-tables", "-1", file});
        if (listed.exitCode != 0) continue;
        SCOPED_TRACE(file);
        const fs::path workbook = scratch / (entry.path().stem().string() + ".xls");
        const auto migrated = Migrate({file, workbook.string()});
        ASSERT_NE(migrated.exitCode, 2) << migrated.err;
        const auto dump = RunCommand({CliPath().string(), "mdb-dump", file});
        ASSERT_EQ(dump.exitCode, 0) << dump.err;
        const auto source = nlohmann::json::parse(dump.out);
        const auto read = fs::exists(workbook) ? ReadWithXlrd(workbook) : nlohmann::json{{"sheets", nlohmann::json::array()}};
        bool anyMissing = false;
        for (const auto& [name, expected] : DumpedUserTables(source)) {
            const auto* sheet = FindTableSheet(read, name, expected);
            if (sheet && SheetRows(*sheet) == expected) continue;
            // A value cut at a cell's limit arrives and is named; lost rows fail the run.
            if (!sheet || SheetRows(*sheet).size() != expected.size()) anyMissing = true;
            const bool listFailed = migrated.err.find("Open tables Error") != std::string::npos;
            if (!listFailed) {
                EXPECT_THAT(migrated.err, HasSubstr("[" + name + "]")) << "neither whole nor named: " << name;
            }
        }
        if (anyMissing) {
            EXPECT_EQ(migrated.exitCode, 1) << "a lost table reported as success";
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace tabvex::test
