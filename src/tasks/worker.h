// The one background worker that runs the task list: how the window starts and stops
// it, how it passes over the tasks and dispatches each to the body of its type, and
// how a task is completed. Bodies are registered in Migrator::taskBodies().
#pragma once

#include <memory>

#include "app/migrator.h"
#include "tasks/worker_context.h"

namespace tabvex::tasks {

inline constexpr int kStartStopCommand = 5560;

inline constexpr const char* kWorkingStatus = "Some Tasks are WORKING!!!";
inline constexpr const char* kNoProcessingStatus = "NO PROCESSING!!!";
inline constexpr const char* kStopAllQuestion = "Some Tasks is Processing, STOP ALL?";

// After a command queued tasks (window thread): starts a worker when none runs,
// then has the task list view rebuilt at once.
void StartWorkerAfterNewTasks(app::Migrator& migrator);

// The task list's Start/Stop button.
void StartStopCommand(app::Migrator& migrator);

// The stop request (window thread): a running worker's engine turns from processing
// to stopping and the Start/Stop button shows play. False, changing nothing, when no
// worker runs any more (the engine is idle, or already stopping), so an answer that
// comes after the worker ended never leaves the engine stopping.
bool RequestStop(app::Migrator& migrator);

// The window's close request: true when the window may close now. While tasks are
// processing it asks first; OK requests the stop and waits a while before closing
// (the window then detaches its host and destroys the Migrator, which ends the
// worker without waiting for the window).
bool CloseRequest(app::Migrator& migrator);

// The context a new worker starts with: the main window and the holders the two
// trees refer to.
std::unique_ptr<WorkerContext> NewWorkerContext(app::Migrator& migrator);

// One pass over the task list under the task list lock: every task still waiting,
// in list order, each through the body of its type and the completion step.
void RunWorkerPass(WorkerContext& context);

// Marks the running task with its body's outcome and, when nothing is left to run,
// raises the stop request. Runs on the worker after every body.
void CompleteTask(WorkerContext& context, bool succeeded);

}  // namespace tabvex::tasks
