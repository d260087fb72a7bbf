// The Migrate command: the selections of the two trees become one migration task,
// after the person confirms it, and the worker is started.
#pragma once

#include <filesystem>
#include <optional>

#include "app/output.h"
#include "browser/sides.h"
#include "tasks/engine.h"
#include "tasks/migration_task.h"

namespace tabvex::tasks {

inline constexpr int kMigrateMenuCommand = 32778;
inline constexpr int kMigrateButtonCommand = 1035;

// Runs on the window's thread; refusals show a tip and a message box.
void MigrateCommand(app::Output& output, const browser::Sides& sides, Engine& engine);

// data_cache in the program's cache folder, where the bodies write their cache
// files, made when missing; nullopt (with an "E::" line) when it cannot be made.
std::optional<std::filesystem::path> CacheFolder(app::Output& output, const std::filesystem::path& cacheRoot);

// Appends a waiting migration task with both sides' DBMS names and the cache folder
// it writes into, and starts the worker; nothing when the cache folder cannot be made.
void QueueMigrationTask(app::Output& output, const browser::Sides& sides, Engine& engine, TaskType type,
                        TaskNames names);

}  // namespace tabvex::tasks
