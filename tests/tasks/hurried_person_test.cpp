// A hurried person at the task list: for a few seconds, random commands while tasks
// run: queue, Start/Stop answered either way, delete and move rows, clear the list,
// close (answered either way) and start again. The scripted host plays the window's
// thread, so every wait between the two threads is the one the window has; a
// watchdog fails any deadlock. Afterwards nothing is stuck: every task ends.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <thread>
#include <vector>

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

class HurriedPersonTest : public ::testing::Test {
protected:
    HurriedPersonTest() { OpenWindow(); }
    ~HurriedPersonTest() override { CloseWindow(); }

    // A table loop: some rounds of rows, each writing to the Log, ended early by a stop.
    static bool CopyRows(TaskContext& context) {
        const int rounds = static_cast<int>(context.names().sourceObject.size() % 7) * 3;
        for (int round = 0; round < rounds && !context.gate.stopRequested(); ++round) {
            app::WriteOutputLine(context.output, "[%s] rows copied", context.names().sourceObject.c_str());
            std::this_thread::sleep_for(1ms);
        }
        return context.names().sourceObject.size() % 5 != 0;
    }

    void OpenWindow() {
        ui = std::make_unique<test::ScriptedUserInterface>();
        ui->CarryOutCallsOnThisThread();
        program = std::make_unique<shell::Program>(*ui, "/nonexistent");
        program->engine().timings() = test::BriskTimings(5ms);
        program->engine().taskBodies()[TaskType::MigrateTable] = CopyRows;
    }

    // As the window goes: its host stops answering, then the shell::Program ends the worker.
    void CloseWindow() {
        ui->Detach();
        program.reset();
    }

    void QueueTasks(int count) {
        for (int i = 0; i < count; ++i) {
            TaskNames names;
            names.sourceObject = "table" + std::to_string(++queued_);
            auto task = std::make_shared<MigrationTask>(TaskCategory::Migration, TaskType::MigrateTable, names, 0);
            everyTask.push_back(task);
            program->engine().taskList().Append(std::move(task));
        }
        StartWorkerAfterNewTasks(program->engine());
    }

    int RandomRow() {
        const int rows = static_cast<int>(program->engine().taskList().size());
        return std::uniform_int_distribution<int>(-1, rows)(random);
    }

    // OK or Cancel, often only after a while, during which the worker goes on (and
    // may end).
    void QueueRandomAnswer() {
        ui->QueueAnswer(std::bernoulli_distribution(0.5)(random) ? app::MessageAnswer::Ok : app::MessageAnswer::Cancel);
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(random() % 20);
        if (std::bernoulli_distribution(0.5)(random))
            ui->AnswerWhen([until] { return std::chrono::steady_clock::now() >= until; });
    }

    void OneHurriedStep() {
        switch (std::uniform_int_distribution<int>(0, 9)(random)) {
            case 0:
            case 1: QueueTasks(std::uniform_int_distribution<int>(1, 3)(random)); break;
            case 2:
                QueueRandomAnswer();
                StartStopCommand(program->engine());
                break;
            case 3: DeleteTaskCommand(program->engine(), RandomRow()); break;
            case 4: MoveTaskUpCommand(program->engine(), RandomRow()); break;
            case 5: MoveTaskDownCommand(program->engine(), RandomRow()); break;
            case 6:
                if (std::bernoulli_distribution(0.1)(random)) ClearTasksCommand(program->engine());
                break;
            case 7:
                QueueRandomAnswer();
                if (std::bernoulli_distribution(0.2)(random) && CloseRequest(program->engine())) {
                    CloseWindow();
                    ++closed;
                    OpenWindow();
                }
                break;
            default: ui->HandleCallsUntil([] { return false; }, std::chrono::milliseconds(random() % 4)); break;
        }
    }

    std::unique_ptr<test::ScriptedUserInterface> ui;
    std::unique_ptr<shell::Program> program;
    std::vector<std::shared_ptr<MigrationTask>> everyTask;
    std::mt19937 random{20261208};
    int queued_ = 0;
    int closed = 0;
};

TEST_F(HurriedPersonTest, RandomCommandsWhileTasksRunNeverDeadlockAndNeverJamTheQueue) {
    const auto end = std::chrono::steady_clock::now() + 4s;
    while (std::chrono::steady_clock::now() < end) {
        test::Watchdog watchdog("a hurried person's command");
        OneHurriedStep();
    }
    test::Watchdog watchdog("the queue's end", 25s);
    // Whatever was left: a worker passing over an emptied list stops when asked, the
    // engine turns idle, and Start/Stop runs what waits.
    RequestStop(program->engine());
    ASSERT_TRUE(ui->HandleCallsUntil([this] { return program->engine().runState().load() == RunState::Idle; }));
    const auto waiting = [this] { return program->engine().taskList().AnyWaiting(); };
    if (waiting()) StartStopCommand(program->engine());
    ASSERT_TRUE(ui->HandleCallsUntil(
        [&] { return !waiting() && program->engine().runState().load() == RunState::Idle; }));

    EXPECT_GT(queued_, 10);
    for (const auto& task : program->engine().taskList().Snapshot())
        EXPECT_NE(task->state.load(), TaskState::NotRun) << task->names.sourceObject;
    // A task of a closed window ended or never started; none was left half-way.
    for (const auto& task : everyTask)
        EXPECT_NE(task->stateText.load(), TaskStateText::Working) << task->names.sourceObject;
    RecordProperty("windows closed", closed);
}

}  // namespace
}  // namespace tabvex::tasks
