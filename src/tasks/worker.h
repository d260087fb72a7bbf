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

// After a command queued tasks (window thread): starts a worker when none runs,
// then has the task list view rebuilt at once.
void StartWorkerAfterNewTasks(app::Migrator& migrator);

// The task list's Start/Stop button.
void StartStopCommand(app::Migrator& migrator);

// The window's close request: true when the window may close now. While tasks are
// processing it asks first; OK raises the stop request and waits before closing
// (the window then destroys the Migrator, which ends the worker).
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
