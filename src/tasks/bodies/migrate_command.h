// The Migrate command: the selections of the two trees become one migration task,
// after the person confirms it, and the worker is started.
#pragma once

#include <filesystem>
#include <optional>

#include "app/migrator.h"
#include "tasks/migration_task.h"

namespace tabvex::tasks {

inline constexpr int kMigrateMenuCommand = 32778;
inline constexpr int kMigrateButtonCommand = 1035;

// Runs on the window's thread; refusals show a tip and a message box.
void MigrateCommand(app::Migrator& migrator);

// The cache folder beside the program, where the bodies write their cache files,
// made when missing; nullopt (with an "E::" line) when it cannot be made.
std::optional<std::filesystem::path> CacheFolder(app::Migrator& migrator);

// Appends a waiting migration task with both sides' DBMS names and the cache folder
// it writes into, and starts the worker; nothing when the cache folder cannot be made.
void QueueMigrationTask(app::Migrator& migrator, TaskType type, TaskNames names);

}  // namespace tabvex::tasks
