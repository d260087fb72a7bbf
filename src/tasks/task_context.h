// What a task body gets: the parts of the program it works with, the options as
// they stood when the task started, and the running task (its names, progress and
// row figures). Bodies read their arguments only from here.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"
#include "connect/options.h"
#include "tasks/migration_task.h"

namespace tabvex::tasks {

struct TaskContext {
    app::Output& output;
    browser::Sides& sides;
    app::TaskGate& gate;
    connect::Options options;
    std::shared_ptr<MigrationTask> task;  // the running task
    std::int64_t startTime = 0;           // seconds since 1970 of the task now running

    const TaskNames& names() const { return task->names; }
    void SetProgress(std::int32_t percent) const { task->progress.store(percent); }
    adapters::RowProgress* rows() const { return &task->rows; }
};

// A task body runs one task and returns true for success; the worker runs the
// completion step with that outcome.
using TaskBody = std::function<bool(TaskContext&)>;
using TaskBodyTable = std::map<TaskType, TaskBody>;

}  // namespace tabvex::tasks
