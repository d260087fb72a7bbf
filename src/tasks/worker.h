// The one background worker that runs the task list: how the window starts and stops
// it, how it passes over the tasks and dispatches each to the body of its type, and
// how a task is completed. Bodies are registered in Engine::taskBodies().
#pragma once

#include "tasks/engine.h"

namespace tabvex::tasks {

inline constexpr int kStartStopCommand = 5560;

inline constexpr const char* kWorkingStatus = "Some Tasks are WORKING!!!";
inline constexpr const char* kNoProcessingStatus = "NO PROCESSING!!!";
inline constexpr const char* kStopAllAndExitQuestion = "Some Tasks is Processing, STOP ALL and EXIT?";

// After a command queued tasks (window thread): starts a worker when none runs,
// then has the task list view rebuilt at once.
void StartWorkerAfterNewTasks(Engine& engine);

// The task list's Start/Stop button.
void StartStopCommand(Engine& engine);

// The stop request (window thread): a running worker's engine turns from processing
// to stopping and the Start/Stop button shows play. False, changing nothing, when no
// worker runs any more (the engine is idle, or already stopping), so an answer that
// comes after the worker ended never leaves the engine stopping.
bool RequestStop(Engine& engine);

// The window's close request (Exit and closing alike): true when the window may
// close now. While tasks are processing it asks first, naming how many tasks wait and
// will not run; Cancel keeps everything. OK requests the stop, and the
// window closes once the worker has ended its table (it does not wait here, on the
// window's thread, for a worker that may need that thread to finish).
bool CloseRequest(Engine& engine);

// One pass over the task list under the task list lock: every task still waiting,
// in list order, each through the body of its type and the completion step.
void RunWorkerPass(Engine& engine);

// Marks the running task with its body's outcome and, when nothing is left to run,
// raises the stop request. Runs on the worker after every body.
void CompleteTask(Engine& engine, MigrationTask& task, bool succeeded);

}  // namespace tabvex::tasks
