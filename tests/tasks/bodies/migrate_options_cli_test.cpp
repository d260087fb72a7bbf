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

}  // namespace
}  // namespace tabvex::test
