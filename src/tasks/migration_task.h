// One queued piece of work: a migration or a backup, its names, its state and its
// progress. Tasks are shared between the task list (the window) and the worker's
// pass, so the fields the worker changes are atomic; the names never change once
// the task is queued.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "adapters/row_progress.h"
#include "tasks/task_outcome.h"

namespace tabvex::tasks {

enum class TaskState : std::int32_t { NotRun = 0, Succeeded = 1, Failed = 3 };

enum class TaskCategory : std::int32_t { Migration = 256, Backup = 512 };

enum class TaskType : std::int32_t {
    CloneDatabase = 257,    // into a new target database of the same name
    MigrateDatabase = 258,  // into an existing target database
    MigrateTables = 259,
    MigrateViews = 260,
    MigrateTable = 261,
    MigrateView = 262,
    BackupGroup = 513,   // scope "A", "T" or "V"
    BackupObject = 514,  // one table ("T") or view ("V")
    Restore = 515,       // a backup's tables back into a workbook
};

// The state column's texts.
enum class TaskStateText : std::uint8_t { Waiting, Working, Success, Failure };
std::string_view StateTextOf(TaskStateText text);

// The task list shows at most this many bytes of a name (cut at a character
// boundary); the task itself keeps every name whole, as it addresses files.
inline constexpr std::size_t kMaxTaskNameLength = 255;
std::string DisplayedTaskName(std::string_view text);

struct TaskNames {
    std::string scope;  // backups: "A", "T" or "V"
    std::string sourceDbms;
    std::string targetDbms;
    std::string sourceObject;  // source table or view (261, 262)
    std::string sourceDatabase;
    std::string targetObject;  // target table or view (514)
    std::string targetDatabase;
    // A clone: the workbook that existed when it was queued and that the person
    // agreed to replace; empty when none. No other file is ever replaced.
    std::string replaceableWorkbook{};
    // A restore: sheets of a restored table's name are dropped first instead of
    // failing the table.
    bool replaceSheets = false;
    // Where the task writes its files, fixed when it is queued: a migration's cache
    // folder, a backup's chosen folder; the folder a restore reads.
    std::filesystem::path folder{};
};

struct MigrationTask {
    MigrationTask(TaskCategory category, TaskType type, TaskNames names, std::int64_t queuedAt);

    const TaskCategory category;
    const TaskType type;
    const TaskNames names;

    std::atomic<TaskState> state{TaskState::NotRun};
    std::atomic<std::int64_t> timeStamp;  // queuing time, then the start time (seconds since 1970)
    std::atomic<TaskStateText> stateText{TaskStateText::Waiting};
    std::atomic<std::int32_t> progress{0};  // 0..100
    adapters::RowProgress rows;
    // Set when the task list view first showed the task (its progress bar exists).
    std::atomic<bool> shownInView{false};

    // The summary its body wrote; nullopt before, or for a body that ended without one.
    void SetOutcome(TaskOutcome outcome);
    std::optional<TaskOutcome> outcome() const;

private:
    mutable std::mutex outcomeMutex_;
    std::optional<TaskOutcome> outcome_;
};

}  // namespace tabvex::tasks
