// The worker driven through shell::Program and the scripted host, which carries out the
// worker's calls on the test's thread as the window does: passes, dispatch,
// completion, Start/Stop, the close request, and editing the list while it runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <set>
#include <stdexcept>
#include <thread>

#include "app/output_lines.h"
#include "shell/program.h"
#include "support/brisk_timings.h"
#include "support/scripted_user_interface.h"
#include "support/watchdog.h"
#include "tasks/task_list_view.h"
#include "tasks/worker.h"

namespace tabvex::tasks {
namespace {

using namespace std::chrono_literals;

// Lets a test hold a body until it opens the gate.
class Gate {
public:
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    void Wait() {
        std::unique_lock lock(mutex_);
        entered_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    bool entered() {
        std::lock_guard lock(mutex_);
        return entered_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    bool entered_ = false;
};

std::shared_ptr<MigrationTask> Task(TaskType type, const std::string& table) {
    TaskNames names;
    names.sourceObject = table;
    names.sourceDatabase = "/data/shop";
    names.targetDatabase = "/data/book";
    return std::make_shared<MigrationTask>(TaskCategory::Migration, type, names, 0);
}

class WorkerTest : public ::testing::Test {
protected:
    WorkerTest() {
        ui.CarryOutCallsOnThisThread();
        program->engine().timings() = test::BriskTimings(20ms);
    }
    // As the window does before it goes: the worker's calls no longer wait for it.
    ~WorkerTest() override {
        ui.Detach();
        program.reset();
    }

    // Records which tasks ran, on which thread, how often, and how many at once.
    void RegisterRecordingBody(TaskType type, bool outcome) {
        program->engine().taskBodies()[type] = [this, outcome](TaskContext& context) {
            const int running = ++runningBodies;
            maxRunningBodies = std::max(maxRunningBodies.load(), running);
            {
                std::lock_guard lock(mutex);
                ran.push_back(context.names().sourceObject);
                threads.insert(std::this_thread::get_id());
            }
            context.SetProgress(100);
            --runningBodies;
            return outcome;
        };
    }

    void Queue(std::shared_ptr<MigrationTask> task) {
        program->engine().taskList().Append(std::move(task));
        StartWorkerAfterNewTasks(program->engine());
    }

    // Carries out the worker's calls, as the window would, until the condition holds.
    bool WaitUntil(const std::function<bool()>& done) { return ui.HandleCallsUntil(done); }
    void WaitEntered(Gate& gate) { ASSERT_TRUE(WaitUntil([&] { return gate.entered(); })); }
    // Turning idle is the worker's last act: its thread then ends at once.
    bool WaitForIdle() {
        if (!WaitUntil([this] { return program->engine().runState().load() == RunState::Idle; })) return false;
        program->engine().thread().Join();
        return true;
    }

    std::vector<std::string> Ran() {
        std::lock_guard lock(mutex);
        return ran;
    }

    test::ScriptedUserInterface ui;
    std::unique_ptr<shell::Program> program = std::make_unique<shell::Program>(ui, "/nonexistent");
    std::mutex mutex;
    std::vector<std::string> ran;
    std::set<std::thread::id> threads;
    std::atomic<int> runningBodies{0};
    std::atomic<int> maxRunningBodies{0};
};

TEST_F(WorkerTest, RunsQueuedTasksInListOrderThenEndsAndSaysSo) {
    RegisterRecordingBody(TaskType::MigrateTable, true);
    RegisterRecordingBody(TaskType::MigrateView, false);
    program->engine().taskList().Append(Task(TaskType::MigrateTable, "first"));
    program->engine().taskList().Append(Task(TaskType::MigrateView, "second"));
    StartWorkerAfterNewTasks(program->engine());
    EXPECT_EQ(program->engine().runState().load(), RunState::Processing);
    ASSERT_TRUE(WaitForIdle());

    EXPECT_EQ(Ran(), (std::vector<std::string>{"first", "second"}));
    const auto tasks = program->engine().taskList().Snapshot();
    EXPECT_EQ(tasks[0]->state.load(), TaskState::Succeeded);
    EXPECT_EQ(StateTextOf(tasks[0]->stateText), "SUCCESS");
    EXPECT_EQ(tasks[1]->state.load(), TaskState::Failed);
    EXPECT_EQ(StateTextOf(tasks[1]->stateText), "FAILURE");
    EXPECT_EQ(tasks[0]->progress.load(), 100);
    EXPECT_EQ(ui.messages(),
              (std::vector<std::string>{"Operation completed SUCCESSFULLY!", "Operation FAILURE!"}));
    EXPECT_EQ(ui.statusTexts(), (std::vector<std::pair<app::StatusPane, std::string>>{
                                    {app::StatusPane::Engine, "Some Tasks are WORKING!!!"},
                                    {app::StatusPane::Engine, "NO PROCESSING!!!"}}));
    const auto buttons = ui.startStopButtons();
    ASSERT_FALSE(buttons.empty());
    EXPECT_EQ(buttons.front().image, app::StartStopImage::Pause);
    EXPECT_EQ(buttons.back(), (app::StartStopButton{app::StartStopImage::Play, "Start tasks"}));
    EXPECT_GE(ui.taskListRebuilds(), 1);
}

TEST_F(WorkerTest, QueuingWhileProcessingMakesNoSecondWorkerAndFailuresAreNotRetried) {
    Gate gate;
    RegisterRecordingBody(TaskType::MigrateTable, false);
    program->engine().taskBodies()[TaskType::MigrateView] = [&](TaskContext& context) {
        gate.Wait();
        std::lock_guard lock(mutex);
        ran.push_back(context.names().sourceObject);
        return true;
    };
    Queue(Task(TaskType::MigrateView, "held"));
    WaitEntered(gate);
    Queue(Task(TaskType::MigrateTable, "failing"));
    Queue(Task(TaskType::MigrateTable, "failing too"));
    gate.Open();
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(Ran(), (std::vector<std::string>{"held", "failing", "failing too"}));
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_EQ(maxRunningBodies.load(), 1);
}

TEST_F(WorkerTest, ATypeWithoutBodyAndABodyThatThrowsFailTheirTasks) {
    program->engine().taskBodies()[TaskType::MigrateTable] = [](TaskContext&) -> bool {
        throw std::runtime_error("disk full");
    };
    program->engine().taskList().Append(Task(TaskType::BackupGroup, "no body"));
    program->engine().taskList().Append(Task(TaskType::MigrateTable, "throws"));
    StartWorkerAfterNewTasks(program->engine());
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{"This version cannot run tasks of type 513!",
                                                       "Operation FAILURE!", "disk full", "Operation FAILURE!"}));
    for (const auto& task : program->engine().taskList().Snapshot()) EXPECT_EQ(task->state.load(), TaskState::Failed);
}

TEST_F(WorkerTest, StartStopWithAnEmptyListPassesUntilStoppedAndRefusesWhileStopping) {
    program->engine().timings().passInterval = 400ms;  // long enough to be seen stopping
    StartStopCommand(program->engine());
    EXPECT_EQ(program->engine().runState().load(), RunState::Processing);
    ui.HandleCallsUntil([] { return false; }, 900ms);  // passes over nothing
    EXPECT_EQ(program->engine().runState().load(), RunState::Processing);

    ui.QueueAnswer(app::MessageAnswer::Cancel);
    StartStopCommand(program->engine());
    EXPECT_EQ(program->engine().runState().load(), RunState::Processing);

    ui.QueueAnswer(app::MessageAnswer::Ok);
    StartStopCommand(program->engine());
    EXPECT_EQ(program->engine().runState().load(), RunState::Stopping);
    StartStopCommand(program->engine());  // while stopping
    ASSERT_TRUE(WaitForIdle());

    const auto boxes = ui.boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Some Tasks is Processing, STOP ALL?");
    EXPECT_EQ(boxes[0].buttons, app::MessageButtons::OkCancel);
    EXPECT_EQ(boxes[2].text, "Some Tasks is Stopping, Please Wait!!!");
    EXPECT_EQ(boxes[2].buttons, app::MessageButtons::Ok);
    EXPECT_EQ(ui.statusTexts().back().second, "NO PROCESSING!!!");
}

TEST_F(WorkerTest, AStopConfirmedMidPassLeavesTheRestWaitingUntilStartedAgain) {
    Gate gate;
    std::vector<bool> stoppingSeen;
    program->engine().taskBodies()[TaskType::MigrateDatabase] = [&](TaskContext& context) {
        gate.Wait();
        stoppingSeen.push_back(context.gate.stopRequested());
        return true;
    };
    program->engine().taskList().Append(Task(TaskType::MigrateDatabase, "a"));
    program->engine().taskList().Append(Task(TaskType::MigrateDatabase, "b"));
    StartWorkerAfterNewTasks(program->engine());
    WaitEntered(gate);
    ui.QueueAnswer(app::MessageAnswer::Ok);
    StartStopCommand(program->engine());
    gate.Open();
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(stoppingSeen, (std::vector<bool>{true}));
    const auto tasks = program->engine().taskList().Snapshot();
    EXPECT_EQ(tasks[0]->state.load(), TaskState::Succeeded);
    EXPECT_EQ(tasks[1]->state.load(), TaskState::NotRun);
    EXPECT_EQ(StateTextOf(tasks[1]->stateText), "Waiting");

    StartStopCommand(program->engine());  // idle: a new worker takes the waiting task
    ASSERT_TRUE(WaitUntil([&] { return tasks[1]->state.load() == TaskState::Succeeded; }));
    EXPECT_EQ(stoppingSeen, (std::vector<bool>{true, false}));
}

// The person answers the stop question only after the task has ended and the
// worker is gone: the engine stays idle, and later tasks run.
TEST_F(WorkerTest, AStopConfirmedAfterTheWorkerEndedLeavesTheEngineIdle) {
    Gate gate;
    RegisterRecordingBody(TaskType::MigrateTable, true);
    program->engine().taskBodies()[TaskType::MigrateView] = [&](TaskContext&) {
        gate.Wait();
        return true;
    };
    Queue(Task(TaskType::MigrateView, "ending"));
    WaitEntered(gate);
    gate.Open();
    ui.QueueAnswer(app::MessageAnswer::Ok);
    ui.AnswerWhen([this] { return program->engine().runState().load() == RunState::Idle; });
    StartStopCommand(program->engine());
    EXPECT_EQ(program->engine().runState().load(), RunState::Idle);
    program->engine().thread().Join();

    Queue(Task(TaskType::MigrateTable, "next"));
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(Ran(), (std::vector<std::string>{"next"}));
    EXPECT_EQ(ui.boxes().size(), 1u);  // no "Stopping" box anywhere
}

// The window starts the next worker as soon as the last one turned idle; by then
// that one has made its last call to the window, so joining it cannot wait for
// the window's thread.
TEST_F(WorkerTest, StartingAWorkerRightAfterTheLastOneTurnedIdleNeverWaitsForTheWindow) {
    RegisterRecordingBody(TaskType::MigrateTable, true);
    test::Watchdog watchdog("start a worker while the last one finishes");
    for (const char* table : {"one", "two", "three"}) {
        Queue(Task(TaskType::MigrateTable, table));
        ASSERT_TRUE(WaitUntil([this] { return program->engine().runState().load() == RunState::Idle; }));
    }
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(Ran(), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(ui.statusTexts().back().second, "NO PROCESSING!!!");
}

TEST_F(WorkerTest, ARunningTaskCanBeDeletedAndAWaitingOneDeletedMidPassNeverRuns) {
    Gate gate;
    RegisterRecordingBody(TaskType::MigrateTable, true);
    program->engine().taskBodies()[TaskType::MigrateView] = [&](TaskContext& context) {
        gate.Wait();
        context.SetProgress(60);
        return true;
    };
    auto running = Task(TaskType::MigrateView, "running");
    program->engine().taskList().Append(running);
    program->engine().taskList().Append(Task(TaskType::MigrateTable, "deleted"));
    program->engine().taskList().Append(Task(TaskType::MigrateTable, "kept"));
    StartWorkerAfterNewTasks(program->engine());
    WaitEntered(gate);
    DeleteTaskCommand(program->engine(), 1);
    DeleteTaskCommand(program->engine(), 0);  // the running one
    EXPECT_EQ(BuildTaskListRows(program->engine().taskList()).size(), 1u);
    gate.Open();
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(Ran(), (std::vector<std::string>{"kept"}));
    EXPECT_EQ(running->state.load(), TaskState::Succeeded);
    EXPECT_EQ(running->progress.load(), 60);
}

TEST_F(WorkerTest, ClosingWhileProcessingAsksAndOkEndsTheWorkerBeforeTheWindowGoes) {
    Gate gate;
    std::atomic<bool> bodyEnded{false};
    program->engine().taskBodies()[TaskType::MigrateDatabase] = [&](TaskContext& context) {
        gate.Wait();
        while (!context.gate.stopRequested()) std::this_thread::sleep_for(1ms);  // a table loop
        bodyEnded = true;
        return true;
    };
    Queue(Task(TaskType::MigrateDatabase, "long"));
    WaitEntered(gate);
    gate.Open();

    ui.QueueAnswer(app::MessageAnswer::Cancel);
    EXPECT_FALSE(CloseRequest(program->engine()));
    EXPECT_EQ(program->engine().runState().load(), RunState::Processing);

    ui.QueueAnswer(app::MessageAnswer::Ok);
    EXPECT_TRUE(CloseRequest(program->engine()));
    EXPECT_EQ(ui.boxes().back().text, "Some Tasks is Processing, STOP ALL and EXIT?");
    ui.Detach();
    program.reset();  // the window closes; the worker must be gone first
    EXPECT_TRUE(bodyEnded.load());
}

// Closing while the worker keeps calling the window (a long table writing its Log
// lines) and with tasks queued behind it: OK ends the running task, the queued ones
// never start, and nothing waits on a thread that waits for it.
TEST_F(WorkerTest, ClosingWhileTheWorkerCallsTheWindowEndsTheTasksWithoutWaitingForEachOther) {
    program->engine().taskBodies()[TaskType::MigrateDatabase] = [](TaskContext& context) {
        while (!context.gate.stopRequested()) app::WriteOutputLine(context.output, "rows copied");
        return true;
    };
    auto running = Task(TaskType::MigrateDatabase, "long");
    auto queued = Task(TaskType::MigrateDatabase, "queued");
    program->engine().taskList().Append(running);
    program->engine().taskList().Append(queued);
    StartWorkerAfterNewTasks(program->engine());
    ASSERT_TRUE(WaitUntil([&] { return StateTextOf(running->stateText) == "Working"; }));

    test::Watchdog watchdog("close the window while the worker calls it");
    ui.QueueAnswer(app::MessageAnswer::Cancel);
    ASSERT_FALSE(CloseRequest(program->engine()));
    EXPECT_EQ(ui.boxes().back().text,
              "Some Tasks is Processing, STOP ALL and EXIT?\n1 waiting task will not run; Cancel keeps it.");
    EXPECT_EQ(queued->state.load(), TaskState::NotRun) << "Cancel keeps the waiting task";
    EXPECT_EQ(program->engine().taskList().WaitingCount(), 1u);
    program->engine().taskList().Append(Task(TaskType::MigrateDatabase, "another"));
    ui.QueueAnswer(app::MessageAnswer::Ok);
    ASSERT_TRUE(CloseRequest(program->engine()));
    EXPECT_EQ(ui.boxes().back().text,
              "Some Tasks is Processing, STOP ALL and EXIT?\n2 waiting tasks will not run; Cancel keeps them.");
    ui.Detach();
    program.reset();
    EXPECT_EQ(running->state.load(), TaskState::Succeeded);
    EXPECT_EQ(queued->state.load(), TaskState::NotRun);
}

TEST_F(WorkerTest, ClosingWhenIdleAsksNothing) {
    EXPECT_TRUE(CloseRequest(program->engine()));
    EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
}  // namespace tabvex::tasks
