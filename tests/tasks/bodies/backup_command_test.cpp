#include <gtest/gtest.h>

#include "tasks/bodies/backup_command.h"
#include "tasks/bodies/backup_fixture.h"

namespace tabvex::test {
namespace {

using namespace tabvex::tasks;
using browser::TreeNodeKind;

class BackupCommandTest : public BackupFixture {
protected:
    std::size_t Queued() const { return migrator.taskList().Snapshot().size(); }
    // A worker with nothing to run keeps passing over the list until it is stopped.
    bool StopIdleWorker() {
        EXPECT_EQ(migrator.runState().load(), RunState::Processing);
        migrator.runState().store(RunState::Stopping);
        return WaitForIdle();
    }
};

TEST_F(BackupCommandTest, RefusalsAndCancellingQueueNothing) {
    BackupCommand(migrator);
    EXPECT_EQ(ui.tips(), std::vector<std::string>{"Please confirm your target Database connected SUCCESSFULLY!"});
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, "No Target DataSource Connection!");

    ConnectBook({});
    BackupCommand(migrator);  // nothing selected: refused, yet the worker starts
    EXPECT_EQ(ui.boxes().back().text, "No selected Objects to backup!");
    EXPECT_TRUE(StopIdleWorker());

    migrator.targetTree().Select(Node(migrator.targetTree(), TreeNodeKind::Database));
    ui.QueueChosenPath(std::nullopt);
    BackupCommand(migrator);
    EXPECT_FALSE(migrator.backupFolderChosen());
    EXPECT_EQ(migrator.runState().load(), RunState::Idle) << "a cancelled choice does not start the worker";

    fs::create_directories(chosen);
    migrator.targetTree().Select(Node(migrator.targetTree(), TreeNodeKind::Root));
    ui.QueueChosenPath(chosen);
    BackupCommand(migrator);
    EXPECT_TRUE(StopIdleWorker());
    EXPECT_EQ(migrator.backupFolder(), chosen);
    EXPECT_EQ(Queued(), 0u);
}

TEST_F(BackupCommandTest, EachSelectedNodeQueuesItsKindAndScope) {
    ConnectBook({"CREATE TABLE Notes (Id NUMBER)"});
    fs::create_directories(chosen);
    const auto& tree = migrator.targetTree();
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
        migrator.targetTree().Select(Node(tree, kind));
        ui.QueueChosenPath(chosen);
        BackupCommand(migrator);
        const auto task = migrator.taskList().Snapshot().back();
        EXPECT_EQ(task->category, TaskCategory::Backup);
        EXPECT_EQ(task->type, type);
        EXPECT_EQ(task->names.scope, scope);
        EXPECT_EQ(task->names.targetObject, object);
        EXPECT_EQ(task->names.targetDatabase, database);
        EXPECT_TRUE(WaitForIdle());
    }
}

TEST_F(BackupCommandTest, ARootLikeShortPathGetsABackupScriptFolderOfItsOwn) {
    EXPECT_EQ(BackupFolderFor("/"), fs::path("/Backup.Script"));
    EXPECT_EQ(BackupFolderFor("/srv/backups"), fs::path("/srv/backups"));

    ConnectBook({"CREATE TABLE Notes (Id NUMBER)", "INSERT INTO Notes VALUES (7)"});
    // A relative answer is taken from the program's backup folder.
    const fs::path backup = programFolder() / "backup";
    fs::create_directories(backup / "ab");
    migrator.targetTree().Select(Node(migrator.targetTree(), TreeNodeKind::Table, "Notes"));
    ui.QueueChosenPath("ab");
    BackupCommand(migrator);
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(States(), std::vector<TaskState>{TaskState::Succeeded});
    EXPECT_EQ(ReadFile(backup / "ab/Backup.Script/DATA/Notes.data"), "insert into Notes values (7)\n");
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
    migrator.targetTree().Select(Node(migrator.targetTree(), TreeNodeKind::Table, "Notes"));
    ui.QueueChosenPath(first);
    BackupCommand(migrator);
    ui.QueueChosenPath(second);
    BackupCommand(migrator);
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(States(), (std::vector<TaskState>{TaskState::Succeeded, TaskState::Succeeded}));
    for (const fs::path& folder : {first, second})
        EXPECT_EQ(ReadFile(folder / "DATA/Notes.data"), "insert into Notes values (7)\n") << folder;
    EXPECT_EQ(fs::current_path(), before);
}

}  // namespace
}  // namespace tabvex::test
