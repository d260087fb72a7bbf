// tabvex-cli migrate as a process: arguments, exit status and the streams.
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
        arguments.insert(arguments.begin(), {CliPath().string(), "migrate", "--program-dir", programFolder().string()});
        return RunCommand(arguments);
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

}  // namespace
}  // namespace tabvex::test
