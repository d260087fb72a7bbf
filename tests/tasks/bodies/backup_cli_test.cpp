#include <gtest/gtest.h>

#include <sstream>

#include "tasks/bodies/backup_fixture.h"

namespace tabvex::test {
namespace {

class BackupCliTest : public BackupFixture {
protected:
    CommandResult Backup(std::vector<std::string> args) {
        args.insert(args.begin(), {CliPath().string(), "backup", "--program-dir", programFolder().string()});
        return RunCommand(args);
    }

    static void RunSql(const fs::path& workbook, const std::string& statement) {
        const auto result = RunCommand({CliPath().string(), "sql", workbook.string(), statement});
        ASSERT_EQ(result.exitCode, 0) << statement.substr(0, 200) << '\n' << result.err;
    }
};

TEST_F(BackupCliTest, RunningTheScriptsIntoANewWorkbookGivesTheSameCells) {
    ConnectBook(NotesStatements());
    program.sides().target().holder().Release();  // the workbook is written when its session ends

    const auto result = Backup({book.string(), chosen.string()});
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;

    const fs::path restored = scratch / "restored.xls";
    xls::Workbook::CreateNew({"Sheet1"}).Save(restored);
    const fs::path scripts = chosen / "shop";
    RunSql(restored, ReadFile(scripts / "TABLES/Notes.tbl"));
    std::istringstream data(ReadFile(scripts / "DATA/Notes.data"));
    for (std::string line; std::getline(data, line);) RunSql(restored, line);

    const auto original = ReadWithXlrd(book), copy = ReadWithXlrd(restored);
    ASSERT_TRUE(FindSheet(original, "Notes") && FindSheet(copy, "Notes"));
    // Compared without the number column: the workbook engine stores a NUMERIC column's
    // values as text, so 1 comes back as "1" where the original holds the number 1.0.
    auto textColumns = [](Rows rows) {
        for (auto& row : rows) row.erase(row.begin());
        return rows;
    };
    EXPECT_EQ(textColumns(SheetRows(*FindSheet(copy, "Notes"))), textColumns(SheetRows(*FindSheet(original, "Notes"))));
}

TEST_F(BackupCliTest, UsageErrorsAndUnknownTablesHaveTheirExitStatus) {
    EXPECT_EQ(Backup({book.string()}).exitCode, 2);
    EXPECT_EQ(Backup({"book.mdb", chosen.string()}).exitCode, 2);
    ConnectBook({"CREATE TABLE Notes (Id NUMBER)"});
    program.sides().target().holder().Release();
    const auto result = Backup({book.string(), chosen.string(), "--table", "Missing"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(fs::exists(chosen));

    // A workbook that is not there is no empty success: its reason, and nothing made.
    const auto missing = Backup({(scratch / "books/missing.xls").string(), chosen.string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("missing.xls cannot be opened: No such file or directory"), std::string::npos)
        << missing.err;
    EXPECT_EQ(missing.out.find("SUCCESSFULLY"), std::string::npos) << missing.out;
    EXPECT_FALSE(fs::exists(chosen));
    EXPECT_FALSE(fs::exists(scratch / "books/missing.xls"));
}

}  // namespace
}  // namespace tabvex::test
