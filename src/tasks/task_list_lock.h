// The process-wide lock the worker holds for a whole pass over the task list, task
// bodies included; the completion step takes it again. The window never takes it.
#pragma once

#include <mutex>

namespace tabvex::tasks {

std::recursive_mutex& TaskListLock();

}  // namespace tabvex::tasks
