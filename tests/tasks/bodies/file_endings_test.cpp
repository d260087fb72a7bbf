// Databases and workbooks whose endings are written in upper or mixed case, folders
// whose names hold an ending, paths longer than 255 bytes and Access 2007+ files:
// every migration reads and writes exactly the files the person named.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tasks/bodies/migrate_command.h"
#include "tasks/bodies/migration_fixture.h"

namespace tabvex::tasks {
namespace {

using browser::TreeNodeKind;
using test::Rows;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;

class FileEndingsTest : public test::MigrationFixture {
protected:
    FileEndingsTest() { RegisterTaskBodies(program.engine()); }

    std::vector<std::string> FilesIn(const fs::path& directory) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename());
        return names;
    }


    fs::path folder = scratch / "data.mdb.d";
};

TEST_F(FileEndingsTest, TheBodiesMigrateAnUpperCaseDatabaseIntoAnUpperCaseWorkbook) {
    const fs::path workbook = WriteBook(folder / "Book.XLS");
    Connect(WriteDatabase(folder / "SHOP.MDB", {test::Customers()}), workbook);
    const std::string database = (folder / "SHOP").string();
    EXPECT_EQ(program.sides().target().tree().connection().databaseName, (folder / "Book").string());

    Select(TreeNodeKind::Database, database, TreeNodeKind::Database);
    ui.QueueAnswer(app::MessageAnswer::Ok);
    MigrateCommand(program.output(), program.sides(), program.engine());
    ASSERT_TRUE(WaitForIdle());
    EXPECT_THAT(States(), ::testing::ElementsAre(TaskState::Succeeded));
    EXPECT_EQ(test::SheetOf(workbook, "Customers"), test::kCustomers);
    EXPECT_EQ(program.sides().source().settings().sourceName, (folder / "SHOP.MDB").string());
    EXPECT_THAT(FilesIn(folder), UnorderedElementsAre("SHOP.MDB", "Book.XLS"));
}

// Along the Jet provider and along the ODBC drivers on both sides.
TEST_F(FileEndingsTest, TheCommandLineWritesTheWorkbookItIsGivenFromAnyAccessEnding) {
    const std::vector<std::vector<std::string>> routes = {
        {}, {"--source-provider", "Microsoft Access Driver", "--target-provider", "Microsoft Excel Driver"}};
    for (std::size_t route = 0; route < routes.size(); ++route) {
        SCOPED_TRACE(route);
        const fs::path place = folder / std::to_string(route);
        WriteDatabase(place / "SHOP.MDB", {test::Customers()});
        WriteDatabase(place / "extra.mdb", {test::Orders()});
        fs::rename(place / "extra.mdb", place / "Extra.ACCDB");
        const fs::path workbook = place / "Book.XLS";
        auto command = [&](const fs::path& source) {
            std::vector<std::string> arguments = routes[route];
            arguments.insert(arguments.end(), {source.string(), workbook.string()});
            return test::RunCommand(MigrateCommandLine(arguments));
        };

        const auto cloned = command(place / "SHOP.MDB");
        EXPECT_EQ(cloned.exitCode, 0) << cloned.out << cloned.err;
        EXPECT_THAT(cloned.out, HasSubstr("Create Excel xls File [" + workbook.string() + "]"));
        const auto added = command(place / "Extra.ACCDB");
        EXPECT_EQ(added.exitCode, 0) << added.out << added.err;
        EXPECT_THAT(added.out, HasSubstr("Convert Tables of database [" + (place / "Extra").string() + "]"));

        EXPECT_EQ(test::SheetOf(workbook, "Customers"), test::kCustomers);
        EXPECT_EQ(test::SheetOf(workbook, "Orders"), (Rows{{"OrderID", "Customer"}, {"10", "1"}, {"11", "3"}}));
        EXPECT_THAT(FilesIn(place), UnorderedElementsAre("SHOP.MDB", "Extra.ACCDB", "Book.XLS"));
    }
}

TEST_F(FileEndingsTest, PathsLongerThanTwoHundredFiftyFiveBytesAreKeptWhole) {
    fs::path deep = folder;
    for (int level = 0; level < 4; ++level) deep /= std::string(80, static_cast<char>('a' + level));
    const fs::path database = WriteDatabase(deep / "shop.mdb", {test::Customers()});
    ASSERT_GT(database.string().size(), 330u);
    const fs::path workbook = deep / "book.xls";
    const auto migrated = test::RunCommand(MigrateCommandLine({database.string(), workbook.string()}));
    EXPECT_EQ(migrated.exitCode, 0) << migrated.out << migrated.err;
    EXPECT_EQ(test::SheetOf(workbook, "Customers"), test::kCustomers);
}

// The Access 2007+ files of the corpus: every table either arrives as mdb-dump reads
// it or is named in an error line with its reason; the list of tables always opens.
TEST_F(FileEndingsTest, AccessTwoThousandSevenFilesOfTheCorpusArriveWholeOrAreNamed) {
    const fs::path corpus = test::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(corpus / "mdb")) {
        if (entry.path().extension() != ".accdb") continue;
        SCOPED_TRACE(entry.path().string());
        const fs::path workbook = scratch / (entry.path().stem().string() + ".xls");
        const auto migrated = test::RunCommand(MigrateCommandLine({entry.path().string(), workbook.string()}));
        ASSERT_NE(migrated.exitCode, 2) << migrated.err;
        EXPECT_THAT(migrated.err, Not(HasSubstr("Open tables Error")));
        EXPECT_THAT(migrated.err, Not(HasSubstr("Unspecified error")));
        const auto dump = test::RunCommand({test::CliPath().string(), "mdb-dump", entry.path().string()});
        ASSERT_EQ(dump.exitCode, 0) << dump.err;
        const auto read = fs::exists(workbook) ? test::ReadWithXlrd(workbook) : nlohmann::json{{"sheets", {}}};
        for (const auto& [name, rows] : test::DumpedUserTables(nlohmann::json::parse(dump.out))) {
            const auto* sheet = test::FindTableSheet(read, name, rows);
            if (sheet && test::SheetRows(*sheet) == rows) continue;
            EXPECT_THAT(migrated.err, HasSubstr("[" + name + "]")) << "neither whole nor named: " << name;
            EXPECT_EQ(migrated.exitCode, 1) << "a table that did not arrive, reported as success";
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace tabvex::tasks
