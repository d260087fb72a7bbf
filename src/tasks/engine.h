// The task engine: the task list, the one worker that runs it and the bodies it
// dispatches to. It is the program's task gate: while its worker runs, the worker
// owns both sides, and commands that touch a side ask the engine first.
#pragma once

#include <atomic>
#include <memory>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"
#include "connect/options.h"
#include "tasks/run_state.h"
#include "tasks/task_context.h"
#include "tasks/task_list.h"
#include "tasks/worker_thread.h"

namespace tabvex::tasks {

inline constexpr const char* kStopAllQuestion = "Some Tasks is Processing, STOP ALL?";
inline constexpr const char* kStoppingTryLater = "Some Tasks is Stopping, Please try again later!!!";

class Engine : public app::TaskGate {
public:
    // The parts a task works with; the engine hands them to each task's context.
    Engine(app::Output& output, browser::Sides& sides, const connect::SharedOptions& options);
    // Ends a running worker before anything it touches goes away.
    ~Engine() override;
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    app::Output& output() { return output_; }
    TaskList& taskList() { return taskList_; }
    const TaskList& taskList() const { return taskList_; }
    std::atomic<RunState>& runState() { return runState_; }
    const std::atomic<RunState>& runState() const { return runState_; }
    TaskBodyTable& taskBodies() { return taskBodies_; }
    WorkerTimings& timings() { return timings_; }
    WorkerThread& thread() { return thread_; }

    // The context of a task about to run, with the options as they stand now.
    TaskContext ContextFor(std::shared_ptr<MigrationTask> task);

    bool RefuseWhileTasksRun() override;
    bool tasksRunning() const override { return runState_.load() != RunState::Idle; }
    bool stopRequested() const override { return runState_.load() == RunState::Stopping; }

private:
    app::Output& output_;
    browser::Sides& sides_;
    const connect::SharedOptions& options_;
    TaskList taskList_;
    std::atomic<RunState> runState_{RunState::Idle};
    TaskBodyTable taskBodies_;
    WorkerTimings timings_;
    // Last, so that it is destroyed first: the worker uses everything above.
    WorkerThread thread_;
};

}  // namespace tabvex::tasks
