// The task list and its view model: rows, numbering, the first-show progress rule,
// the refresh countdown, and the tool strip's commands.
#include <gtest/gtest.h>

#include "shell/program.h"
#include "support/scripted_user_interface.h"
#include "tasks/task_list_view.h"
#include "tasks/task_row_figures.h"

namespace tabvex::tasks {
namespace {

std::shared_ptr<MigrationTask> Migration(const std::string& table) {
    TaskNames names;
    names.sourceDbms = "MS Jet[04.00.0000]";
    names.targetDbms = "MS Jet[04.00.0000]";
    names.sourceDatabase = "/data/shop";
    names.sourceObject = table;
    names.targetDatabase = "/data/book";
    return std::make_shared<MigrationTask>(TaskCategory::Migration, TaskType::MigrateTable, names, 0);
}

std::vector<std::string> Column(const std::vector<TaskListRow>& rows, std::size_t column) {
    std::vector<std::string> texts;
    for (const auto& row : rows) texts.push_back(row.texts[column]);
    return texts;
}

class TaskListTest : public ::testing::Test {
protected:
    void Queue(const std::vector<std::string>& tables) {
        for (const auto& table : tables) program.engine().taskList().Append(Migration(table));
    }
    std::vector<std::string> Order() { return Column(BuildTaskListRows(program.engine().taskList()), 6); }

    test::ScriptedUserInterface ui;
    shell::Program program{ui, "/nonexistent"};
};

TEST_F(TaskListTest, RowsCarryTheTenColumnTextsAndRenumberAfterEveryChange) {
    Queue({"Orders", "Customers", "Products"});
    program.engine().taskList().Append(std::make_shared<MigrationTask>(
        TaskCategory::Backup, TaskType::BackupGroup, TaskNames{"A", "", "MS Jet[04.00.0000]", "", "", "", "/data/book"}, 0));
    auto rows = BuildTaskListRows(program.engine().taskList());
    EXPECT_EQ(rows[0].texts, (std::array<std::string, 10>{"01", " ", "MIGRATION", "Waiting", "MS Jet[04.00.0000]",
                                                          "/data/shop", "Orders", "MS Jet[04.00.0000]", "/data/book",
                                                          ""}));
    EXPECT_EQ(rows[3].texts[2], "BACKUP");

    DeleteTaskCommand(program.engine(), 0);
    MoveTaskDownCommand(program.engine(), 0);
    rows = BuildTaskListRows(program.engine().taskList());
    EXPECT_EQ(Column(rows, 0), (std::vector<std::string>{"01", "02", "03"}));
    EXPECT_EQ(Column(rows, 6), (std::vector<std::string>{"Products", "Customers", ""}));
    EXPECT_EQ(ui.taskListRebuilds(), 2);
}

TEST_F(TaskListTest, MovesPastEitherEndAndMissingSelectionsChangeNothing) {
    Queue({"A", "B", "C"});
    MoveTaskUpCommand(program.engine(), 0);
    MoveTaskDownCommand(program.engine(), 2);
    MoveTaskUpCommand(program.engine(), -1);
    DeleteTaskCommand(program.engine(), -1);
    DeleteTaskCommand(program.engine(), 3);
    EXPECT_EQ(Order(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(ui.taskListRebuilds(), 0);
    MoveTaskUpCommand(program.engine(), 2);
    EXPECT_EQ(Order(), (std::vector<std::string>{"A", "C", "B"}));
    ClearTasksCommand(program.engine());
    EXPECT_TRUE(Order().empty());
}

TEST_F(TaskListTest, AnUnstartedTaskShowsFiveAtItsFirstRebuildOnly) {
    Queue({"Orders"});
    auto task = program.engine().taskList().Snapshot().front();
    EXPECT_EQ(BuildTaskListRows(program.engine().taskList()).front().progress, 5);
    EXPECT_EQ(task->progress.load(), 5);
    task->progress = 0;  // as the worker does when it starts the task
    EXPECT_EQ(BuildTaskListRows(program.engine().taskList()).front().progress, 0);
}

TEST_F(TaskListTest, TheViewIsRebuiltOnEveryFifthTickAndOnlyWithItsPageInFront) {
    Queue({"Orders"});
    const auto now = std::chrono::system_clock::now();
    std::vector<int> rebuilt;
    for (int tick = 1; tick <= 10; ++tick) {
        if (TaskListTimerTick(program.engine(), true, now)) rebuilt.push_back(tick);
    }
    EXPECT_EQ(rebuilt, (std::vector<int>{5, 10}));

    RequestTaskListRebuild(program.engine());
    EXPECT_FALSE(TaskListTimerTick(program.engine(), false, now));  // the Log page is in front
    EXPECT_TRUE(TaskListTimerTick(program.engine(), true, now));    // still due once it comes back

    // The clock runs whichever page is in front.
    const auto clocks = ui.statusTexts();
    ASSERT_EQ(clocks.size(), 12u);
    EXPECT_EQ(clocks.back().first, app::StatusPane::Clock);
    EXPECT_EQ(clocks.back().second.size(), 8u);
    EXPECT_EQ(clocks.back().second[2], ':');
}

// A long path in a task addresses its own file: only the list's texts are cut.
TEST(MigrationTaskTest, NamesAreKeptWholeAndShownCutTo255BytesWithoutSplittingACharacter) {
    TaskNames names;
    names.sourceObject = std::string(254, 'a') + "\xC3\xA9" + "tail";  // é straddles byte 255
    names.targetDatabase = "/" + std::string(300, 'b');
    auto task = std::make_shared<MigrationTask>(TaskCategory::Migration, TaskType::MigrateTable, names, 7);
    EXPECT_EQ(task->names.sourceObject, names.sourceObject);
    EXPECT_EQ(task->names.targetDatabase, names.targetDatabase);
    EXPECT_EQ(task->timeStamp.load(), 7);
    EXPECT_EQ(StateTextOf(task->stateText.load()), "Waiting");

    TaskList list;
    list.Append(task);
    const auto rows = BuildTaskListRows(list);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].texts[6], std::string(254, 'a'));
    EXPECT_EQ(rows[0].texts[8], "/" + std::string(254, 'b'));
}

}  // namespace
}  // namespace tabvex::tasks

namespace tabvex::tasks {
namespace {

// A task's row figures as the view shows them at `elapsedMs` after its start.
TaskRowFigures FiguresAt(MigrationTask& task, std::int64_t copied, std::int64_t expected, std::int64_t elapsedMs) {
    task.rows.startedAtMs = 1000;
    task.rows.copied = copied;
    task.rows.expected = expected;
    return TaskRowFiguresOf(task, 1000 + elapsedMs);
}

TEST(TaskRowFiguresTest, ARunningTaskShowsRowsOfTotalRateAndTimeLeftAndItsBarFollowsTheRows) {
    MigrationTask task(TaskCategory::Migration, TaskType::MigrateDatabase, {}, 0);
    EXPECT_EQ(FiguresAt(task, 0, -1, 0).text, "") << "waiting, nothing copied";
    task.stateText = TaskStateText::Working;
    EXPECT_EQ(FiguresAt(task, 0, 65000, 0).text, "0 of 65,000 rows");
    EXPECT_EQ(FiguresAt(task, 0, -1, 0).text, "") << "no total, nothing copied";
    EXPECT_EQ(FiguresAt(task, 1234, -1, 200).text, "1,234 rows") << "no rate in the first half second";

    const TaskRowFigures quarter = FiguresAt(task, 16250, 65000, 2000);
    EXPECT_EQ(quarter.text, "16,250 of 65,000 rows, 8,125 rows/s, 6 s left");
    EXPECT_EQ(quarter.barPosition, 25);
    EXPECT_EQ(FiguresAt(task, 1000, 1'000'000, 1000).text, "1,000 of 1,000,000 rows, 1,000 rows/s, 16 min 39 s left");
    EXPECT_EQ(FiguresAt(task, 10, 1'000'000, 1000).text, "10 of 1,000,000 rows, 10 rows/s, 27 h 46 min left");
    EXPECT_EQ(FiguresAt(task, 5000, -1, 2000).text, "5,000 rows, 2,500 rows/s") << "no total, no time left";
    EXPECT_EQ(FiguresAt(task, 65000, 65000, 2000).barPosition, 99) << "the body says when it is done";
    task.progress = 50;  // a body's own step beyond the rows
    EXPECT_EQ(FiguresAt(task, 100, 65000, 2000).barPosition, 50);

    task.stateText = TaskStateText::Success;
    task.progress = 100;
    const TaskRowFigures done = FiguresAt(task, 65000, 65000, 9000);
    EXPECT_EQ(done.text, "65,000 of 65,000 rows");
    EXPECT_EQ(done.barPosition, 100);
}

TEST(TaskRowFiguresTest, AFailedTaskNeverShowsAFullBar) {
    MigrationTask task(TaskCategory::Migration, TaskType::MigrateDatabase, {}, 0);
    task.stateText = TaskStateText::Failure;
    task.progress = 100;  // the body went through all its steps
    const TaskRowFigures stopped = FiguresAt(task, 30000, 65000, 9000);
    EXPECT_EQ(stopped.barPosition, 0);
    EXPECT_EQ(stopped.text, "30,000 of 65,000 rows") << "the figures tell how far it got";
    EXPECT_EQ(FiguresAt(task, 65000, 65000, 9000).barPosition, 0) << "every row, but a table failed";
    EXPECT_EQ(FiguresAt(task, 0, -1, 9000).barPosition, 0) << "refused before any row";
}

TEST(TaskListRowsTest, ABackupOfAWholeWorkbookNamesWhatItBacksUp) {
    TaskList list;
    for (const char* scope : {"A", "T", "V"})
        list.Append(std::make_shared<MigrationTask>(TaskCategory::Backup, TaskType::BackupGroup,
                                                    TaskNames{scope, "", "MS Jet", "", "", "", "/data/book"}, 0));
    list.Append(std::make_shared<MigrationTask>(TaskCategory::Backup, TaskType::BackupObject,
                                                TaskNames{"T", "", "MS Jet", "", "", "Orders", "/data/book"}, 0));
    EXPECT_EQ(Column(BuildTaskListRows(list), 9),  // Target T(V)
              (std::vector<std::string>{"(all tables and views)", "(all tables)", "(all views)", "Orders"}));
}

TEST(TaskRowFiguresTest, ARefreshReportsOnlyRealChangesOfStateFiguresOrBar) {
    auto task = std::make_shared<MigrationTask>(TaskCategory::Migration, TaskType::MigrateTable, TaskNames{}, 0);
    TaskList list;
    list.Append(task);
    TaskListRow row = BuildTaskListRows(list).front();
    EXPECT_EQ(row.texts[kProgressColumn], " ");
    EXPECT_FALSE(RefreshTaskListRow(row, adapters::SteadyMilliseconds()));
    task->stateText = TaskStateText::Working;
    task->rows.expected = 10;
    EXPECT_TRUE(RefreshTaskListRow(row, adapters::SteadyMilliseconds()));
    EXPECT_EQ(row.texts[kStateColumn], "Working");
    EXPECT_EQ(row.texts[kProgressColumn], "0 of 10 rows");
    EXPECT_FALSE(RefreshTaskListRow(row, adapters::SteadyMilliseconds()));
    task->progress = 40;
    EXPECT_TRUE(RefreshTaskListRow(row, adapters::SteadyMilliseconds()));
    EXPECT_EQ(row.progress, 40);
}

}  // namespace
}  // namespace tabvex::tasks
