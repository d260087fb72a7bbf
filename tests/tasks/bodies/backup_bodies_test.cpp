#include <gtest/gtest.h>

#include <algorithm>

#include "tasks/bodies/backup_fixture.h"

namespace tabvex::test {
namespace {

using namespace tabvex::tasks;

class BackupBodiesTest : public BackupFixture {};

TEST_F(BackupBodiesTest, TablesOfADatabaseNamedByAFullPathGoBelowItsLastComponentAsRunnableScripts) {
    // A worksheet without a defined name is a table named after the sheet.
    auto workbook = xls::Workbook::CreateNew({"Order Lines"});
    workbook.Sheet(0).SetCellText(0, 0, "Item");
    fs::create_directories(book.parent_path());
    workbook.Save(book);
    ConnectBook(NotesStatements());
    fs::create_directories(chosen);

    TaskSummary summary("backed up");
    TaskContext context = ContextFor({});
    const auto made = NewBackupFolder(program.output(), chosen, "/data/shops/Shop");
    ASSERT_EQ(made, chosen / "Shop");
    EXPECT_EQ(BackupDatabaseTables(context, *made, "/data/shops/Shop", summary), kGroupBackedUp);

    const fs::path folder = chosen / "Shop";
    EXPECT_EQ(ReadFile(folder / "TABLES/Notes.tbl"), "CREATE TABLE Notes(\nId NUMERIC ,\nName TEXT ,\nMemo LONGTEXT )");
    EXPECT_EQ(ReadFile(folder / "DATA/Notes.data"),
              "insert into Notes values (1,'O''Brien','it''s ''quoted''')\n"
              "insert into Notes values (NULL,'','Ελληνικά 東京')\n"
              "insert into Notes values (3.5,'long','" + std::string(10000, 'x') + "')\n");
    // The worksheet listed beside its defined name holds the same rows: backed up once.
    EXPECT_FALSE(fs::exists(folder / "TABLES/Notes$.tbl"));
    EXPECT_TRUE(Logged("[Notes]       3 records backuped!"));
    // A name with a blank is backed up like any other.
    EXPECT_EQ(ReadFile(folder / "TABLES/'Order Lines$'.tbl"), "CREATE TABLE ['Order Lines$'](\nItem TEXT )");
    EXPECT_TRUE(summary.whole());
    EXPECT_EQ(summary.rowsCopied(), 3);
}

TEST_F(BackupBodiesTest, ALongTableLogsEveryThousandRowsAndEndsWithTheRightAlignedCount) {
    std::vector<std::string> statements{"CREATE TABLE Big (N NUMBER)"};
    for (int row = 1; row <= 2500; ++row) statements.push_back("INSERT INTO Big VALUES (" + std::to_string(row) + ")");
    ConnectBook(statements);
    fs::create_directories(chosen);

    TaskSummary summary("backed up");
    TaskContext context = ContextFor({});
    EXPECT_EQ(BackupTable(context, chosen, "Big", summary), kObjectBackedUp);

    std::vector<std::string> progress;
    for (const auto& message : ui.messages())
        if (message.find("records backuped!") != std::string::npos) progress.push_back(message);
    EXPECT_EQ(progress, (std::vector<std::string>{"[Big] 1000 records backuped!", "[Big] 2000 records backuped!",
                                                  "[Big]    2500 records backuped!"}));
    const std::string data = ReadFile(chosen / "DATA/Big.data");
    EXPECT_EQ(std::count(data.begin(), data.end(), '\n'), 2500);
    EXPECT_TRUE(data.ends_with("insert into Big values (2500)\n"));
}

TEST_F(BackupBodiesTest, ANameThatLooksLikeAPathIsEncodedAndStaysInItsFolder) {
    ConnectBook({"CREATE TABLE [a/b] (N NUMBER)", "INSERT INTO [a/b] VALUES (7)"});
    fs::create_directories(chosen);
    TaskSummary summary("backed up");
    TaskContext context = ContextFor({});
    EXPECT_EQ(BackupTable(context, chosen, "a_b", summary), kObjectBackedUp);
    for (const std::string name : {"..", "."}) EXPECT_EQ(BackupView(program.output(), chosen, "Shop", name), kObjectBackedUp);
    EXPECT_EQ(ReadFile(chosen / "DATA/a_b.data"), "insert into a_b values (7)\n");
    EXPECT_TRUE(fs::exists(chosen / "VIEWS/%2E..vw"));
    EXPECT_TRUE(fs::exists(chosen / "VIEWS/%2E.vw"));
    EXPECT_EQ(std::distance(fs::directory_iterator(chosen), fs::directory_iterator()), 3) << "TABLES, DATA, VIEWS only";
}

}  // namespace
}  // namespace tabvex::test
