#include <gtest/gtest.h>

#include "adapters/excel/excel_workbook.h"
#include "tasks/bodies/backup_command.h"
#include "tasks/bodies/backup_fixture.h"

namespace tabvex::test {
namespace {

using namespace tabvex::tasks;
using browser::TreeNodeKind;

class BackupCommandTest : public BackupFixture {
protected:
    std::size_t Queued() const { return program.engine().taskList().Snapshot().size(); }
    // A worker with nothing to run keeps passing over the list until it is stopped.
    bool StopIdleWorker() {
        EXPECT_EQ(program.engine().runState().load(), RunState::Processing);
        program.engine().runState().store(RunState::Stopping);
        return WaitForIdle();
    }
};

TEST_F(BackupCommandTest, RefusalsAndCancellingQueueNothing) {
    BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    EXPECT_EQ(ui.tips(), std::vector<std::string>{"Please confirm your target Database connected SUCCESSFULLY!"});
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, "No Target DataSource Connection!");

    ConnectBook({});
    BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());  // nothing selected: refused, yet the worker starts
    EXPECT_EQ(ui.boxes().back().text, "No selected Objects to backup!");
    EXPECT_TRUE(StopIdleWorker());

    program.sides().target().tree().Select(Node(program.sides().target().tree(), TreeNodeKind::Database));
    ui.QueueChosenPath(std::nullopt);
    BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    EXPECT_EQ(program.backupFolder().StartFolder("/unchosen"), fs::path("/unchosen")) << "nothing remembered";
    EXPECT_EQ(program.engine().runState().load(), RunState::Idle) << "a cancelled choice does not start the worker";

    // A node that backs up nothing asks for no folder.
    fs::create_directories(chosen);
    program.sides().target().tree().Select(Node(program.sides().target().tree(), TreeNodeKind::Root));
    BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    EXPECT_TRUE(StopIdleWorker());
    EXPECT_EQ(program.backupFolder().StartFolder("/unchosen"), fs::path("/unchosen"));
    EXPECT_EQ(Queued(), 0u);

    // A chosen folder is where the next chooser starts.
    program.sides().target().tree().Select(Node(program.sides().target().tree(), TreeNodeKind::Database));
    ui.QueueChosenPath(chosen);
    BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    EXPECT_TRUE(WaitForIdle());
    EXPECT_EQ(program.backupFolder().StartFolder("/unchosen"), chosen);
}

TEST_F(BackupCommandTest, EachSelectedNodeQueuesItsKindAndScope) {
    ConnectBook({"CREATE TABLE Notes (Id NUMBER)"});
    fs::create_directories(chosen);
    const auto& tree = program.sides().target().tree();
    const std::string database = tree.node(Node(tree, TreeNodeKind::Database)).text;
    struct Case {
        TreeNodeKind kind;
        TaskType type;
        std::string scope, object;
    };
    for (const auto& [kind, type, scope, object] :
         {Case{TreeNodeKind::Database, TaskType::BackupGroup, "A", ""},
          Case{TreeNodeKind::TablesFolder, TaskType::BackupGroup, "T", ""},
          Case{TreeNodeKind::Table, TaskType::BackupObject, "T", "Notes"}}) {
        program.sides().target().tree().Select(Node(tree, kind));
        ui.QueueChosenPath(chosen);
        BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
        const auto task = program.engine().taskList().Snapshot().back();
        EXPECT_EQ(task->category, TaskCategory::Backup);
        EXPECT_EQ(task->type, type);
        EXPECT_EQ(task->names.scope, scope);
        EXPECT_EQ(task->names.targetObject, object);
        EXPECT_EQ(task->names.targetDatabase, database);
        EXPECT_TRUE(WaitForIdle());
    }
}

// The chooser is still open when a migration into another workbook re-points the
// target and refills its tree (node numbers change): the backup names what was
// selected when the command started.
TEST_F(BackupCommandTest, TheBackupNamesWhatWasSelectedWhateverHappensWhileTheChooserIsOpen) {
    const fs::path other = scratch / "books" / "other.xls";
    fs::create_directories(other.parent_path());
    WriteBook(other);
    ConnectBook({"CREATE TABLE Archive (Id NUMBER)", "CREATE TABLE Zebra (Id NUMBER)"});
    const fs::path selectedBook = book;
    book = other;
    ConnectBook({"CREATE TABLE Notes (Id NUMBER)"});
    browser::DbTree& tree = program.sides().target().tree();
    const std::string notesDatabase = tree.node(Node(tree, TreeNodeKind::Database)).text;
    tree.Select(Node(tree, TreeNodeKind::Table, "Notes"));
    const browser::NodeId notesNode = tree.selected();

    fs::create_directories(chosen);
    ui.AnswerUnscripted([](const app::MessageBoxRequest&) { return app::MessageAnswer::Ok; },
                        [&]() -> std::optional<fs::path> {
                            // What a running task does to the target meanwhile.
                            adapters::SelectExcelWorkbook(program.sides(), browser::kTargetSide,
                                                          (selectedBook.parent_path() / "shop").string());
                            tree.Select(notesNode);  // the same number now stands for another node
                            return chosen;
                        });
    BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    ASSERT_EQ(Queued(), 1u);
    const auto task = program.engine().taskList().Snapshot().back();
    EXPECT_EQ(task->type, TaskType::BackupObject);
    EXPECT_EQ(task->names.targetObject, "Notes");
    EXPECT_EQ(task->names.targetDatabase, notesDatabase);
    EXPECT_NE(tree.node(notesNode).text, "Notes") << "the tree did change under the chooser";
    EXPECT_TRUE(WaitForIdle());
    EXPECT_EQ(States(), std::vector<TaskState>{TaskState::Succeeded});
    EXPECT_TRUE(fs::exists(chosen / "other/TABLES/Notes.tbl"));
}

TEST_F(BackupCommandTest, ARootLikeShortPathGetsABackupScriptFolderOfItsOwn) {
    EXPECT_EQ(BackupFolderFor("/"), fs::path("/Backup.Script"));
    EXPECT_EQ(BackupFolderFor("/srv/backups"), fs::path("/srv/backups"));

    ConnectBook({"CREATE TABLE Notes (Id NUMBER)", "INSERT INTO Notes VALUES (7)"});
    // A relative answer is taken from the program's backup folder.
    const fs::path backup = programFolder() / "backup";
    fs::create_directories(backup / "ab");
    program.sides().target().tree().Select(Node(program.sides().target().tree(), TreeNodeKind::Table, "Notes"));
    ui.QueueChosenPath("ab");
    BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(States(), std::vector<TaskState>{TaskState::Succeeded});
    EXPECT_EQ(ReadFile(backup / "ab/Backup.Script/shop/DATA/Notes.data"), "insert into Notes values (7)\n");
}

// Each backup writes into the folder chosen for it, whatever is chosen for the next
// one while it runs; nothing moves the process's current folder.
TEST_F(BackupCommandTest, BackupsQueuedOneAfterAnotherKeepTheirOwnFolders) {
    ConnectBook({"CREATE TABLE Notes (Id NUMBER)", "INSERT INTO Notes VALUES (7)"});
    const fs::path before = fs::current_path();
    const fs::path first = scratch / "first";
    const fs::path second = scratch / "second";
    fs::create_directories(first);
    fs::create_directories(second);
    program.sides().target().tree().Select(Node(program.sides().target().tree(), TreeNodeKind::Table, "Notes"));
    ui.QueueChosenPath(first);
    BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    ui.QueueChosenPath(second);
    BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(States(), (std::vector<TaskState>{TaskState::Succeeded, TaskState::Succeeded}));
    for (const fs::path& folder : {first, second})
        EXPECT_EQ(ReadFile(folder / "shop/DATA/Notes.data"), "insert into Notes values (7)\n") << folder;
    EXPECT_EQ(fs::current_path(), before);
}

// A backup never replaces another's scripts: into a folder that holds one already,
// the next goes to a numbered folder beside it, and tables of the same name from two
// workbooks each stay below their own workbook's folder.
TEST_F(BackupCommandTest, BackupsIntoOneFolderLeaveEachOthersScriptsAlone) {
    ConnectBook({"CREATE TABLE Notes (Id NUMBER)", "INSERT INTO Notes VALUES (7)"});
    fs::create_directories(chosen);
    auto backUpNotes = [&] {
        program.sides().target().tree().Select(Node(program.sides().target().tree(), TreeNodeKind::Table, "Notes"));
        ui.QueueChosenPath(chosen);
        BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
        ASSERT_TRUE(WaitForIdle());
    };
    backUpNotes();
    WriteFile(chosen / "shop/DATA/Notes.data", "edited by hand\n");
    backUpNotes();
    EXPECT_EQ(ReadFile(chosen / "shop/DATA/Notes.data"), "edited by hand\n");
    EXPECT_EQ(ReadFile(chosen / "shop_2/DATA/Notes.data"), "insert into Notes values (7)\n");
    EXPECT_TRUE(Logged("Backup folder: [" + (chosen / "shop_2").string() + "]"));

    book = scratch / "other/depot.xls";
    ConnectBook({"CREATE TABLE Notes (Id NUMBER)", "INSERT INTO Notes VALUES (8)"});
    backUpNotes();
    EXPECT_EQ(ReadFile(chosen / "depot/DATA/Notes.data"), "insert into Notes values (8)\n");
    EXPECT_EQ(States(), std::vector<TaskState>(3, TaskState::Succeeded));
}

}  // namespace
}  // namespace tabvex::test
