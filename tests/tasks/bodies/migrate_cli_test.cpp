// tabvex-cli migrate as a process: arguments, exit status, the streams, and the
// corpus databases arriving whole or named in an error line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <regex>

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
             {shop.string(), (scratch / "new.xls").string(), "--loud"}}) {
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

    // Again, all tables: Order_Details is there already, so that table fails.
    const auto all = Migrate({shop.string(), book.string()});
    EXPECT_EQ(all.exitCode, 1) << all.out;
    EXPECT_THAT(all.err, HasSubstr("failed or left out: [Order Details]"));
    EXPECT_THAT(all.out, HasSubstr("Operation FAILURE!"));
}

// The sheet each table went to: its own name unless the Log says otherwise.
std::map<std::string, std::string> SheetsOfTables(const std::string& log) {
    static const std::regex becomes(R"(TABLE: \[(.*)\] becomes worksheet \[(.*)\])");
    std::map<std::string, std::string> sheets;
    for (std::sregex_iterator match(log.begin(), log.end(), becomes), end; match != end; ++match)
        sheets[(*match)[1]] = (*match)[2];
    return sheets;
}

// Every table of every corpus database, names with blanks included, either arrives
// whole (the rows as mdb-dump gives them, NULL as an empty cell) on its sheet or is
// named in an error line; the exit status is 0 exactly when every table arrived.
TEST_F(MigrateCliTest, CorpusDatabasesArriveWholeOrAreNamedInAnErrorLine) {
    const fs::path corpus = CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(corpus / "mdb")) {
        const std::string file = entry.path().string();
        const auto dump = RunCommand({CliPath().string(), "mdb-dump", file});
        if (dump.exitCode != 0) continue;  // a file the reader refuses cannot be migrated either
        SCOPED_TRACE(file);
        const fs::path workbook = scratch / (entry.path().stem().string() + ".xls");
        const auto migrated = Migrate({file, workbook.string()});
        ASSERT_NE(migrated.exitCode, 2) << migrated.err;
        const auto source = nlohmann::json::parse(dump.out);
        const auto read = fs::exists(workbook) ? ReadWithXlrd(workbook) : nlohmann::json{{"sheets", nlohmann::json::array()}};
        const auto sheets = SheetsOfTables(migrated.out);
        bool allWhole = true;
        for (const auto& [name, expected] : DumpedUserTables(source)) {
            const auto renamed = sheets.find(name);
            const auto* sheet = FindSheet(read, renamed == sheets.end() ? name : renamed->second);
            if (sheet && SheetRows(*sheet) == expected) continue;
            allWhole = false;
            EXPECT_THAT(migrated.err, HasSubstr("[" + name + "]")) << "neither whole nor named: " << name;
        }
        EXPECT_EQ(migrated.exitCode, allWhole ? 0 : 1) << migrated.err;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace tabvex::test
