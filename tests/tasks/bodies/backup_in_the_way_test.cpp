// A backup never deletes a file: not the workbook it backs up, when the backup goes
// into the workbook's own folder, and not a file standing where a folder is needed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tasks/bodies/backup_command.h"
#include "tasks/bodies/backup_fixture.h"

namespace tabvex::test {
namespace {

using ::testing::HasSubstr;

class BackupInTheWayTest : public BackupFixture {
protected:
    BackupInTheWayTest() { book = scratch / "books" / "Book.XLS"; }

    CommandResult Backup(const fs::path& folder) {
        return RunCommand({CliPath().string(), "backup", "--program-dir", programFolder().string(), book.string(),
                           folder.string()});
    }
};

TEST_F(BackupInTheWayTest, TheWorkbooksFolderTakesTheBackupAndAFileInTheWayIsKeptAndNamed) {
    ConnectBook(NotesStatements());
    program.sides().target().holder().Release();  // the workbook is written when its session ends
    const fs::path folder = book.parent_path();
    const std::string workbook = ReadFile(book);

    const auto beside = Backup(folder);
    EXPECT_EQ(beside.exitCode, 0) << beside.out << beside.err;
    EXPECT_EQ(ReadFile(book), workbook);
    EXPECT_TRUE(fs::is_regular_file(folder / "Book" / "TABLES" / "Notes.tbl"));

    fs::remove_all(folder / "Book");
    WriteFile(folder / "Book", "the person's own file");
    const auto blocked = Backup(folder);
    EXPECT_EQ(blocked.exitCode, 1) << blocked.out;
    // Error lines ("E::" in the Log) go to the error stream.
    EXPECT_THAT(blocked.err, HasSubstr("The file " + (folder / "Book").string() + " stands where a folder"));
    EXPECT_THAT(blocked.out, HasSubstr("FAILURE"));
    EXPECT_EQ(ReadFile(folder / "Book"), "the person's own file");
    EXPECT_EQ(ReadFile(book), workbook);
}

// From the window: a workbook whose name has no ending is the very file where its
// database's backup folder would go when it is backed up into its own folder.
TEST_F(BackupInTheWayTest, TheWorkbookItselfInTheWayOfItsFolderIsKeptAndTheTaskFails) {
    book = scratch / "books" / "Ledger";
    ConnectBook({"CREATE TABLE Notes (Id NUMBER)", "INSERT INTO Notes VALUES (7)"});
    program.sides().target().holder().Release();
    connect::ConnectTarget(program.output(), program.sides());
    const std::string workbook = ReadFile(book);
    const auto& tree = program.sides().target().tree();
    ASSERT_EQ(tree.node(Node(tree, browser::TreeNodeKind::Database)).text, book.string());

    program.sides().target().tree().Select(Node(tree, browser::TreeNodeKind::Database));
    ui.QueueChosenPath(book.parent_path());
    tasks::BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(States(), std::vector<tasks::TaskState>{tasks::TaskState::Failed});
    EXPECT_TRUE(Logged("The file " + book.string() + " stands where a folder of that name is needed; the file is kept"));
    EXPECT_TRUE(fs::is_regular_file(book));
    EXPECT_EQ(ReadFile(book), workbook);
}

}  // namespace
}  // namespace tabvex::test
