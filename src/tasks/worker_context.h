// What a task body gets: the main window, both connection holders as the trees
// referred to them when the worker started, the running task's names and its
// progress. Bodies read their arguments only from here.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "connect/connection_holder.h"
#include "tasks/migration_task.h"

namespace tabvex::app {
class Migrator;
}

namespace tabvex::tasks {

struct WorkerContext {
    std::int64_t startTime = 0;  // seconds since 1970 of the task now running
    app::Migrator* migrator = nullptr;
    connect::ConnectionHolder* source = nullptr;
    connect::ConnectionHolder* target = nullptr;
    std::string sourceObject;
    std::string sourceDatabase;
    std::string targetObject;
    std::string targetDatabase;
    std::string scope;
    bool replaceTargetFile = false;
    std::filesystem::path folder;  // where the task writes its files
    std::atomic<std::int32_t>* progress = nullptr;  // the running task's, 0..100
    std::shared_ptr<MigrationTask> task;             // the running task

    void SetProgress(std::int32_t percent) const {
        if (progress) progress->store(percent);
    }
    // The running task's row figures, or nothing outside a task.
    RowProgress* rows() const { return task ? &task->rows : nullptr; }
};

// A task body runs one task and returns true for success; the worker runs the
// completion step with that outcome.
using TaskBody = std::function<bool(WorkerContext&)>;
using TaskBodyTable = std::map<TaskType, TaskBody>;

}  // namespace tabvex::tasks
