// The Migrate command: the selections of the two trees become one migration task,
// after the person confirms it, and the worker is started.
#pragma once

#include "app/migrator.h"
#include "tasks/migration_task.h"

namespace tabvex::tasks {

inline constexpr int kMigrateMenuCommand = 32778;
inline constexpr int kMigrateButtonCommand = 1035;

// Runs on the window's thread; refusals show a tip and a message box.
void MigrateCommand(app::Migrator& migrator);

// Makes the cache folder beside the program the current folder, where the bodies
// write their cache files. False (with an "E::" line) when it cannot be entered.
bool EnterCacheFolder(app::Migrator& migrator);

// Appends a waiting migration task with both sides' DBMS names and starts the worker.
void QueueMigrationTask(app::Migrator& migrator, TaskType type, TaskNames names);

}  // namespace tabvex::tasks
