// tabvex-cli migrate --verify and --binary-files on the corpus's Northwind database:
// every table that arrives is verified, and the employees' photos (Access OLE objects
// wrapping bitmaps, too long for a cell) become image files the cells name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "tasks/bodies/migration_fixture.h"

namespace tabvex::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class MigrateOptionsCliTest : public MigrationFixture {
protected:
    void SetUp() override {
        if (CorpusDir().empty()) GTEST_SKIP() << "no corpus";
        northwind = CorpusDir() / "mdb/Northwind.mdb";
    }

    // The tables the Log says arrived whole.
    static std::set<std::string> ArrivedTables(const std::string& log) {
        static const std::regex arrived(R"(\[(.*)\] \d+ records converted, convertion completed SUCCESSFULLY!)");
        std::set<std::string> tables;
        for (std::sregex_iterator match(log.begin(), log.end(), arrived), end; match != end; ++match)
            tables.insert((*match)[1]);
        return tables;
    }

    static std::set<std::string> VerifiedTables(const std::string& log) {
        static const std::regex verified(R"(\[(.*)\] verified: \d+ rows read back equal)");
        std::set<std::string> tables;
        for (std::sregex_iterator match(log.begin(), log.end(), verified), end; match != end; ++match)
            tables.insert((*match)[1]);
        return tables;
    }

    fs::path northwind;
};

TEST_F(MigrateOptionsCliTest, EveryTableOfNorthwindThatArrivesIsVerified) {
    const fs::path workbook = scratch / "nw.xls";
    const auto result = RunCommand(MigrateCommandLine({"--verify", northwind.string(), workbook.string()}));
    ASSERT_NE(result.exitCode, 2) << result.err;
    const auto arrived = ArrivedTables(result.out);
    EXPECT_FALSE(arrived.empty());
    EXPECT_EQ(VerifiedTables(result.out), arrived);
    EXPECT_THAT(result.err, Not(HasSubstr("not verified")));
}

TEST_F(MigrateOptionsCliTest, NorthwindsPhotosBecomeImageFilesTheCellsName) {
    const fs::path workbook = scratch / "nw.xls";
    const auto result =
        RunCommand(MigrateCommandLine({"--binary-files", "--verify", northwind.string(), workbook.string()}));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const Rows employees = SheetOf(workbook, "Employees");
    ASSERT_EQ(employees.size(), 10u);
    const auto photo = std::find(employees[0].begin(), employees[0].end(), "Photo") - employees[0].begin();
    for (std::size_t row = 1; row < employees.size(); ++row) {
        const std::string name = "nw.xls.files/Employees/Photo-" + std::to_string(row) + ".bmp";
        EXPECT_EQ(employees[row][photo], name);
        const auto identified = RunCommand({"identify", (scratch / name).string()});
        EXPECT_EQ(identified.exitCode, 0) << identified.err;
        EXPECT_EQ(identified.err, "") << "the image reader has no complaint";
        EXPECT_THAT(identified.out, HasSubstr("BMP")) << name;
    }
}

// The check judges the photos as the migration with the same options treats them.
TEST_F(MigrateOptionsCliTest, TheCheckOfNorthwindsPhotosFollowsTheOptionAndNamesIt) {
    const auto check = [&](std::vector<std::string> options) {
        options.insert(options.begin(), {CliPath().string(), "check", "--program-dir", programFolder().string()});
        options.insert(options.end(), {northwind.string(), "--table", "Employees"});
        return RunCommand(options);
    };
    const auto without = check({});
    EXPECT_EQ(without.exitCode, 1);
    EXPECT_THAT(without.out, HasSubstr("9 values longer than 32,767 characters in [Photo]; binary values can be saved "
                                       "as files with \"Save long binary values as files\" (--binary-files)"));
    const auto with = check({"--binary-files"});
    EXPECT_EQ(with.exitCode, 0) << with.out;
    EXPECT_THAT(with.out, HasSubstr("[Employees] 9 rows: arrives whole, 9 binary values saved as files"));
}

}  // namespace
}  // namespace tabvex::test
