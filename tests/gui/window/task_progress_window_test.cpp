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

}  // namespace
}  // namespace tabvex::gui::testing
