// tabvex-cli given paths relative to the folder it is started in: the bodies change
// the current folder, so every path must mean what it meant at the start.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tasks/bodies/migration_fixture.h"

namespace tabvex::test {
namespace {

using ::testing::HasSubstr;

class RelativePathsCliTest : public MigrationFixture {
protected:
    // Runs tabvex-cli in the scratch folder.
    CommandResult Cli(const std::string& arguments) {
        return RunCommand({"/bin/sh", "-c", "cd '" + scratch.path().string() + "' && '" + CliPath().string() + "' " +
                                                arguments});
    }
};

TEST_F(RelativePathsCliTest, AConditionSavedByConditionIsAppliedByMigrateAndTheWorkbookIsBackedUp) {
    WriteDatabase(scratch / "shop.mdb", {Orders()});
    const auto saved = Cli("condition --program-dir prog shop.mdb Orders 'Customer > 1' --save");
    ASSERT_EQ(saved.exitCode, 0) << saved.out << saved.err;
    EXPECT_THAT(ReadFile(scratch / "prog/Condition.cfg"), HasSubstr("[" + (scratch / "shop").string() + "]"));

    const auto migrated = Cli("migrate --program-dir prog shop.mdb copy.xls");
    ASSERT_EQ(migrated.exitCode, 0) << migrated.out << migrated.err;
    EXPECT_EQ(SheetRows(*FindSheet(ReadWithXlrd(scratch / "copy.xls"), "Orders")),
              (Rows{{"OrderID", "Customer"}, {"11", "3"}}));
    EXPECT_TRUE(fs::is_directory(scratch / "prog/data_cache"));

    const auto backedUp = Cli("backup --program-dir prog copy.xls saved");
    ASSERT_EQ(backedUp.exitCode, 0) << backedUp.out << backedUp.err;
    EXPECT_THAT(ReadFile(scratch / "saved/copy/DATA/Orders.data"), HasSubstr("insert into Orders values ('11','3')"));
}

}  // namespace
}  // namespace tabvex::test
