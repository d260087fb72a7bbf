#include "tasks/worker.h"

#include <cerrno>
#include <ctime>
#include <exception>
#include <memory>
#include <string>
#include <system_error>
#include <thread>

#include "app/output_lines.h"
#include "com/system_error_text.h"
#include "tasks/task_list_lock.h"
#include "tasks/task_list_view.h"

namespace tabvex::tasks {

namespace {

app::MessageAnswer Ask(app::Output& output, const char* question) {
    return output.ui().ShowMessageBox(
        {question, app::kProgramTitle, app::MessageButtons::OkCancel, app::MessageIcon::Question});
}

void Tell(app::Output& output, const char* text) {
    output.ui().ShowMessageBox({text, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Information});
}

// The close question names the tasks that wait behind the running one.
std::string StopAllAndExitQuestion(std::size_t waiting) {
    std::string question = kStopAllAndExitQuestion;
    if (waiting == 1) question += "\n1 waiting task will not run; Cancel keeps it.";
    if (waiting > 1) question += "\n" + std::to_string(waiting) + " waiting tasks will not run; Cancel keeps them.";
    return question;
}

void RunBody(Engine& engine, TaskContext& context, TaskType type) {
    bool succeeded = false;
    engine.thread().Pause(engine.timings().bodyStartDelay);
    const auto body = engine.taskBodies().find(type);
    if (body == engine.taskBodies().end()) {
        app::WriteOutputLine(context.output, "E::This version cannot run tasks of type %d!", static_cast<int>(type));
    } else {
        try {
            succeeded = body->second(context);
        } catch (const std::exception& error) {
            // A body that throws fails its task; the worker goes on with the next one.
            app::WriteOutputLine(context.output, "E::%s", error.what());
        }
    }
    CompleteTask(engine, *context.task, succeeded);
}

void StartTask(TaskContext& context) {
    MigrationTask& task = *context.task;
    const std::int64_t now = std::time(nullptr);
    task.timeStamp = now;
    context.startTime = now;
    task.progress = 0;
    task.rows.copied = 0;
    task.rows.startedAtMs = adapters::SteadyMilliseconds();
    task.stateText = TaskStateText::Working;
}

void WorkerProcedure(Engine& engine) {
    app::Output& output = engine.output();
    WorkerThread& thread = engine.thread();
    if (thread.Pause(engine.timings().startDelay)) {
        output.ShowStartStopToolTip("Stop tasks");
        output.SetStatusText(app::StatusPane::Engine, kWorkingStatus);
        do {
            RunWorkerPass(engine);
        } while (thread.Pause(engine.timings().passInterval) && !engine.stopRequested());
    }
    if (!thread.shuttingDown()) {  // a window going away is left alone
        output.ShowStartStopToolTip("Start tasks");
        // The last task's completion may have said so already.
        if (output.statusText(app::StatusPane::Engine) != kNoProcessingStatus)
            output.SetStatusText(app::StatusPane::Engine, kNoProcessingStatus);
    }
    // The worker's last act, after its last call to the window: from here on the
    // window may start the next worker, which joins this thread without waiting for
    // anything the window has to do.
    engine.runState() = RunState::Idle;
}

// Starts the thread; false (with the Log line) when the system cannot start one.
bool StartWorkerThread(Engine& engine) {
    engine.runState() = RunState::Processing;
    try {
        engine.thread().Start([&engine] { WorkerProcedure(engine); });
        return true;
    } catch (const std::system_error& error) {
        engine.runState() = RunState::Idle;
        errno = error.code().value();
        app::WritePlainOutputLine(engine.output(), com::SystemErrorText("Main Controller Error!"));
        return false;
    }
}

}  // namespace

// The pass works on a snapshot of the list; a task the window deleted meanwhile is
// skipped. Once a stop is requested no further task starts: they stay waiting.
void RunWorkerPass(Engine& engine) {
    std::lock_guard pass(TaskListLock());
    for (const auto& task : engine.taskList().Snapshot()) {
        if (engine.thread().shuttingDown() || engine.stopRequested()) return;
        if (task->state.load() != TaskState::NotRun || !engine.taskList().Contains(task.get())) continue;
        TaskContext context = engine.ContextFor(task);
        StartTask(context);
        RunBody(engine, context, task->type);
    }
}

void StartWorkerAfterNewTasks(Engine& engine) {
    if (engine.runState().load() == RunState::Idle && StartWorkerThread(engine)) {
        engine.output().ShowStartStopImage(app::StartStopImage::Pause);
        std::this_thread::sleep_for(engine.timings().startPause);
    }
    RequestTaskListRebuild(engine);
}

bool RequestStop(Engine& engine) {
    RunState running = RunState::Processing;
    if (!engine.runState().compare_exchange_strong(running, RunState::Stopping)) return false;
    engine.output().ShowStartStopImage(app::StartStopImage::Play);
    return true;
}

void StartStopCommand(Engine& engine) {
    switch (engine.runState().load()) {
        case RunState::Processing:
            if (Ask(engine.output(), kStopAllQuestion) == app::MessageAnswer::Ok) RequestStop(engine);
            return;
        case RunState::Stopping:
            Tell(engine.output(), "Some Tasks is Stopping, Please Wait!!!");
            return;
        case RunState::Idle:
            engine.output().ShowStartStopImage(app::StartStopImage::Pause);
            StartWorkerThread(engine);
            return;
    }
}

bool CloseRequest(Engine& engine) {
    if (engine.runState().load() != RunState::Processing) return true;
    const std::string question = StopAllAndExitQuestion(engine.taskList().WaitingCount());
    if (Ask(engine.output(), question.c_str()) != app::MessageAnswer::Ok) return false;
    RequestStop(engine);
    return true;
}

void CompleteTask(Engine& engine, MigrationTask& task, bool succeeded) {
    std::lock_guard completion(TaskListLock());
    task.state = succeeded ? TaskState::Succeeded : TaskState::Failed;
    task.stateText = succeeded ? TaskStateText::Success : TaskStateText::Failure;
    app::WriteOutputLine(engine.output(), succeeded ? "Operation completed SUCCESSFULLY!" : "Operation FAILURE!");
    if (!engine.taskList().AnyWaiting()) {
        engine.runState() = RunState::Stopping;
        // The engine pane agrees with the rows at once, not after the pause that ends the worker.
        engine.output().SetStatusText(app::StatusPane::Engine, kNoProcessingStatus);
        engine.output().ShowStartStopImage(app::StartStopImage::Play);
    }
}

}  // namespace tabvex::tasks
