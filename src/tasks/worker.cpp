#include "tasks/worker.h"

#include <cerrno>
#include <ctime>
#include <exception>
#include <memory>
#include <system_error>
#include <thread>

#include "app/output_lines.h"
#include "com/system_error_text.h"
#include "tasks/task_list_lock.h"
#include "tasks/task_list_view.h"

namespace tabvex::tasks {

namespace {

using app::Migrator;

void SetButtonImage(Migrator& migrator, app::StartStopImage image) {
    app::StartStopButton button = migrator.startStopButton();
    button.image = image;
    migrator.ShowStartStopButton(button);
}

void SetButtonToolTip(Migrator& migrator, const char* toolTip) {
    app::StartStopButton button = migrator.startStopButton();
    button.toolTip = toolTip;
    migrator.ShowStartStopButton(button);
}

app::MessageAnswer Ask(Migrator& migrator, const char* question) {
    return migrator.ui().ShowMessageBox(
        {question, app::kProgramTitle, app::MessageButtons::OkCancel, app::MessageIcon::Question});
}

void Tell(Migrator& migrator, const char* text) {
    migrator.ui().ShowMessageBox({text, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Information});
}

void RunBody(WorkerContext& context, TaskType type) {
    Migrator& migrator = *context.migrator;
    bool succeeded = false;
    migrator.workerThread().Pause(migrator.workerTimings().bodyStartDelay);
    const auto body = migrator.taskBodies().find(type);
    if (body == migrator.taskBodies().end()) {
        app::WriteOutputLine(migrator, "E::This version cannot run tasks of type %d!", static_cast<int>(type));
    } else {
        try {
            succeeded = body->second(context);
        } catch (const std::exception& error) {
            // A body that throws fails its task; the worker goes on with the next one.
            app::WriteOutputLine(migrator, "E::%s", error.what());
        }
    }
    CompleteTask(context, succeeded);
}

void StartTask(WorkerContext& context, const std::shared_ptr<MigrationTask>& task) {
    const std::int64_t now = std::time(nullptr);
    task->timeStamp = now;
    context.startTime = now;
    task->progress = 0;
    task->rows.copied = 0;
    task->rows.startedAtMs = SteadyMilliseconds();
    context.progress = &task->progress;
    context.sourceObject = task->names.sourceObject;
    context.sourceDatabase = task->names.sourceDatabase;
    context.targetObject = task->names.targetObject;
    context.targetDatabase = task->names.targetDatabase;
    context.scope = task->names.scope;
    context.replaceTargetFile = task->names.replaceTargetFile;
    context.folder = task->names.folder;
    context.task = task;
    task->stateText = TaskStateText::Working;
}

void WorkerProcedure(std::unique_ptr<WorkerContext> context) {
    Migrator& migrator = *context->migrator;
    WorkerThread& thread = migrator.workerThread();
    if (thread.Pause(migrator.workerTimings().startDelay)) {
        SetButtonToolTip(migrator, "Stop tasks");
        migrator.SetStatusText(app::StatusPane::Engine, kWorkingStatus);
        do {
            RunWorkerPass(*context);
        } while (thread.Pause(migrator.workerTimings().passInterval) && !migrator.stopping());
    }
    if (!thread.shuttingDown()) {  // a window going away is left alone
        SetButtonToolTip(migrator, "Start tasks");
        // The last task's completion may have said so already.
        if (migrator.statusText(app::StatusPane::Engine) != kNoProcessingStatus)
            migrator.SetStatusText(app::StatusPane::Engine, kNoProcessingStatus);
    }
    // The worker's last act, after its last call to the window: from here on the
    // window may start the next worker, which joins this thread without waiting for
    // anything the window has to do.
    migrator.runState() = RunState::Idle;
}

// Creates the context and the thread; false (with the Log line) when the system
// cannot start a thread.
bool StartWorkerThread(Migrator& migrator) {
    migrator.runState() = RunState::Processing;
    try {
        migrator.workerThread().Start(
            [context = NewWorkerContext(migrator)]() mutable { WorkerProcedure(std::move(context)); });
        return true;
    } catch (const std::system_error& error) {
        migrator.runState() = RunState::Idle;
        errno = error.code().value();
        app::WritePlainOutputLine(migrator, com::SystemErrorText("Main Controller Error!"));
        return false;
    }
}

}  // namespace

std::unique_ptr<WorkerContext> NewWorkerContext(Migrator& migrator) {
    auto context = std::make_unique<WorkerContext>();
    context->migrator = &migrator;
    // The trees always refer to the main window's own holders.
    context->source = &migrator.sourceHolder();
    context->target = &migrator.targetHolder();
    return context;
}

// The pass works on a snapshot of the list; a task the window deleted meanwhile is
// skipped. Once a stop is requested no further task starts: they stay waiting.
void RunWorkerPass(WorkerContext& context) {
    Migrator& migrator = *context.migrator;
    std::lock_guard pass(TaskListLock());
    for (const auto& task : migrator.taskList().Snapshot()) {
        if (migrator.workerThread().shuttingDown() || migrator.stopping()) return;
        if (task->state.load() != TaskState::NotRun || !migrator.taskList().Contains(task.get())) continue;
        StartTask(context, task);
        RunBody(context, task->type);
        context.task.reset();
        context.progress = nullptr;
    }
}

void StartWorkerAfterNewTasks(Migrator& migrator) {
    if (migrator.runState().load() == RunState::Idle && StartWorkerThread(migrator)) {
        SetButtonImage(migrator, app::StartStopImage::Pause);
        std::this_thread::sleep_for(migrator.workerTimings().startPause);
    }
    RequestTaskListRebuild(migrator);
}

bool RequestStop(Migrator& migrator) {
    RunState running = RunState::Processing;
    if (!migrator.runState().compare_exchange_strong(running, RunState::Stopping)) return false;
    SetButtonImage(migrator, app::StartStopImage::Play);
    return true;
}

void StartStopCommand(Migrator& migrator) {
    switch (migrator.runState().load()) {
        case RunState::Processing:
            if (Ask(migrator, kStopAllQuestion) == app::MessageAnswer::Ok) RequestStop(migrator);
            return;
        case RunState::Stopping:
            Tell(migrator, "Some Tasks is Stopping, Please Wait!!!");
            return;
        case RunState::Idle:
            SetButtonImage(migrator, app::StartStopImage::Pause);
            StartWorkerThread(migrator);
            return;
    }
}

bool CloseRequest(Migrator& migrator) {
    while (migrator.runState().load() == RunState::Processing) {
        if (Ask(migrator, "Some Tasks is Processing, STOP ALL and EXIT?") != app::MessageAnswer::Ok) return false;
        if (RequestStop(migrator)) std::this_thread::sleep_for(migrator.workerTimings().closeWait);
    }
    return true;
}

void CompleteTask(WorkerContext& context, bool succeeded) {
    Migrator& migrator = *context.migrator;
    std::lock_guard completion(TaskListLock());
    MigrationTask& task = *context.task;
    task.state = succeeded ? TaskState::Succeeded : TaskState::Failed;
    task.stateText = succeeded ? TaskStateText::Success : TaskStateText::Failure;
    app::WriteOutputLine(migrator, succeeded ? "Operation completed SUCCESSFULLY!" : "Operation FAILURE!");
    if (!migrator.taskList().AnyWaiting()) {
        migrator.runState() = RunState::Stopping;
        // The engine pane agrees with the rows at once, not after the pause that ends the worker.
        migrator.SetStatusText(app::StatusPane::Engine, kNoProcessingStatus);
        SetButtonImage(migrator, app::StartStopImage::Play);
    }
}

}  // namespace tabvex::tasks
