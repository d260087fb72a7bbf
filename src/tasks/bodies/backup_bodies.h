// The backup task bodies (513 a group of objects, 514 one object) and the routines
// they share: a database's tables and views, one table, one view. Scripts are written
// below the task's backup folder; everything here runs on the worker thread.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/output.h"
#include "connect/connection_holder.h"
#include "tasks/bodies/task_summary.h"
#include "tasks/task_context.h"

namespace tabvex::tasks {

// Results of the group routines.
inline constexpr int kGroupBackedUp = 0;
inline constexpr int kGroupListFailed = -1;    // the object list could not be opened
inline constexpr int kGroupObjectFailed = -2;  // at least one object was not backed up

// Results of the object routines.
inline constexpr int kObjectBackedUp = 1;
inline constexpr int kObjectRowsFailed = -1;      // the table's rows could not be read or written
inline constexpr int kObjectScriptFailed = -2;  // the script file could not be created

// The folder a backup task of the database writes into, below `backupFolder`: named
// after the last component of the database's name, or, when that folder holds an
// earlier backup, the first of NAME_2, NAME_3, ... that holds none, so that no
// backup's scripts replace another's. Made, and named in the Log; nullopt after an
// error line.
std::optional<std::filesystem::path> NewBackupFolder(app::Output& output, const std::filesystem::path& backupFolder,
                                                     const std::string& database);

// Into `folder`: every table's script and data script, each table counted in
// `summary`; once a stop is requested the remaining tables are left out. A worksheet
// whose defined name of the same name is listed too is backed up once, as that name.
int BackupDatabaseTables(TaskContext& context, const std::filesystem::path& folder, const std::string& database,
                         TaskSummary& summary);
int BackupDatabaseViews(TaskContext& context, const std::filesystem::path& folder, const std::string& database);

// TABLES/T.tbl and DATA/T.data below `folder` (T the table's name encoded as a file
// name); the table is counted in `summary`.
int BackupTable(TaskContext& context, const std::filesystem::path& folder,
                const std::string& table, TaskSummary& summary);
// VIEWS/V.vw below `folder`.
int BackupView(app::Output& output, const std::filesystem::path& folder, const std::string& database,
               const std::string& view);

bool BackupGroupBody(TaskContext& context);   // 513
bool BackupObjectBody(TaskContext& context);  // 514

}  // namespace tabvex::tasks
