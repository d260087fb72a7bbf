// The Task List page while a task runs: its row shows "Working" and the rows it
// copies soon after the task starts, and its final state soon after it ends,
// without waiting for the page's periodic rebuild; the engine pane agrees.
#include <atomic>

#include "gui/window/window_test_support.h"
#include "tasks/worker.h"

namespace tabvex::gui::testing {
namespace {

using namespace std::chrono_literals;

// Sooner than the full rebuild every fifth tick could show it, so the live refresh
// did; not a speed figure (bench/window prints those), room for a loaded machine.
constexpr auto kPromptly = 2000ms;

class TaskProgressWindowTest : public WindowTest {
protected:
    // A body that copies 400 of 1,000 rows, then waits until the test lets it finish.
    void InstallHeldBody() {
        program().engine().taskBodies()[tasks::TaskType::MigrateTable] = [this](tasks::TaskContext& context) {
            startedMs = adapters::SteadyMilliseconds();
            context.rows()->expected = 1000;
            context.rows()->copied = 400;
            // A failed test closes the window: the body ends then too.
            while (!finish.load() && !program().engine().thread().shuttingDown()) std::this_thread::sleep_for(2ms);
            context.rows()->copied = 1000;
            return true;
        };
    }

    void QueueTask() {
        tasks::TaskNames names;
        names.sourceObject = "Orders";
        program().engine().taskList().Append(
            std::make_shared<tasks::MigrationTask>(tasks::TaskCategory::Migration, tasks::TaskType::MigrateTable, names, 0));
        tasks::StartWorkerAfterNewTasks(program().engine());
    }

    QString Cell(int column) const {
        return window->outputPane()->taskList()->model().index(0, column).data().toString();
    }
    std::string EngineText() { return program().output().statusText(app::StatusPane::Engine); }

    std::atomic<std::int64_t> startedMs{0};
    std::atomic<bool> finish{false};
};

TEST_F(TaskProgressWindowTest, ARunningTasksRowShowsWorkingItsRowsAndItsEndPromptly) {
    InstallHeldBody();
    OutputPane& pane = *window->outputPane();
    pane.setCurrentWidget(pane.taskList());
    QueueTask();
    ASSERT_TRUE(WaitUntil([&] { return startedMs.load() != 0; }));
    ASSERT_TRUE(WaitUntil([&] { return Cell(3) == "Working"; }, kPromptly));
    EXPECT_LE(adapters::SteadyMilliseconds() - startedMs.load(), kPromptly.count());
    ASSERT_TRUE(WaitUntil([&] { return Cell(1).startsWith("400 of 1,000 rows"); }, kPromptly));
    EXPECT_EQ(pane.taskList()->model().index(0, 1).data(TaskListModel::kProgressRole).toInt(), 40);
    EXPECT_EQ(EngineText(), tasks::kWorkingStatus);
    // Past the first half second the rate and the time left join the rows.
    ASSERT_TRUE(WaitUntil([&] { return Cell(1).contains("rows/s") && Cell(1).contains("left"); }, 2s));
    EXPECT_EQ(pane.taskList()->model().index(0, 1).data(Qt::ToolTipRole).toString(), Cell(1));
    // The columns that change between rebuilds have room for what they will show.
    const QTableView& list = *pane.taskList()->list();
    EXPECT_GE(list.columnWidth(3), list.fontMetrics().horizontalAdvance("SUCCESS"));
    EXPECT_GE(list.columnWidth(1), list.fontMetrics().horizontalAdvance(Cell(1)));

    const std::int64_t finishedMs = adapters::SteadyMilliseconds();
    finish = true;
    ASSERT_TRUE(WaitUntil([&] { return Cell(3) == "SUCCESS"; }, kPromptly));
    EXPECT_LE(adapters::SteadyMilliseconds() - finishedMs, kPromptly.count());
    EXPECT_EQ(Cell(1), "1,000 of 1,000 rows");
    EXPECT_TRUE(WaitUntil([&] { return EngineText() == tasks::kNoProcessingStatus; }, kPromptly))
        << "the engine pane says the work is done once the row does";
    ASSERT_TRUE(WaitUntil([&] { return program().engine().runState().load() == tasks::RunState::Idle; }));
}

// The engine pane and the rows change together: the rows are read again the moment the
// pane's text changes, not at the page's next refresh.
TEST_F(TaskProgressWindowTest, TheEnginePaneAndTheTaskRowAgreeAtOnce) {
    OutputPane& pane = *window->outputPane();
    pane.setCurrentWidget(pane.taskList());
    auto task = std::make_shared<tasks::MigrationTask>(tasks::TaskCategory::Migration, tasks::TaskType::MigrateTable,
                                                       tasks::TaskNames{}, 0);
    program().engine().taskList().Append(task);
    tasks::RequestTaskListRebuild(program().engine());
    ASSERT_EQ(Cell(3), "Waiting");

    task->stateText = tasks::TaskStateText::Working;
    program().output().SetStatusText(app::StatusPane::Engine, tasks::kWorkingStatus);
    EXPECT_EQ(Cell(3), "Working");
    task->stateText = tasks::TaskStateText::Success;
    program().output().SetStatusText(app::StatusPane::Engine, tasks::kNoProcessingStatus);
    EXPECT_EQ(Cell(3), "SUCCESS");
}

TEST_F(TaskProgressWindowTest, TheListScrollsToANewTaskAndShowsTheTimeLeftWhole) {
    OutputPane& pane = *window->outputPane();
    pane.setCurrentWidget(pane.taskList());
    const QTableView& list = *pane.taskList()->list();
    auto queue = [&] {
        auto task = std::make_shared<tasks::MigrationTask>(tasks::TaskCategory::Migration, tasks::TaskType::MigrateTable,
                                                           tasks::TaskNames{}, 0);
        program().engine().taskList().Append(task);
        tasks::RequestTaskListRebuild(program().engine());
        return task;
    };
    for (int i = 0; i < 40; ++i) queue();
    const auto last = queue();
    const QModelIndex newest = pane.taskList()->model().index(40, 0);
    EXPECT_TRUE(list.viewport()->rect().contains(list.visualRect(newest))) << "the new task is in sight";

    // A long task's figures at the default widths: rows, rate and time left, none cut.
    last->stateText = tasks::TaskStateText::Working;
    last->rows.expected = 1'800'000;
    last->rows.copied = 1000;
    last->rows.startedAtMs = adapters::SteadyMilliseconds() - 1000;
    pane.taskList()->RefreshLiveCells();
    const QString figures = pane.taskList()->model().index(40, 1).data().toString();
    ASSERT_TRUE(figures.endsWith(" left")) << figures.toStdString();
    EXPECT_GE(list.columnWidth(1), list.fontMetrics().horizontalAdvance(figures)) << figures.toStdString();
}

}  // namespace
}  // namespace tabvex::gui::testing
