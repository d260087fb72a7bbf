// The migration task bodies (257 to 262) and the routines they share: a database's
// tables and views, one table, one view. Everything here runs on the worker thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "adapters/excel/transfer_hooks.h"
#include "tasks/bodies/task_summary.h"
#include "tasks/task_context.h"

namespace tabvex::tasks {

enum class TableMigration : int {
    Migrated = 1,         // created, and every row arrived whole
    RowsFailed = 0,       // created, but rows were lost or the transfer failed
    CreateFailed = -1,    // the Create Table statement failed
    CacheFileFailed = -2  // the cache file could not be written
};

struct TableOutcome {
    TableMigration result;
    std::int64_t rowsCopied;
};

// Migrates every table of the source's current database in the provider's order,
// each into the sheet `FitSheetNames` gives it, then saves the workbook and formats
// its headers, writing the cache files into the task's folder. Once a stop is
// requested the remaining tables are left out. Every table is counted in `summary`;
// the task's row figures learn the rows expected and copied. 0 done, -1 the table
// list could not be opened.
int ConvertDatabaseTables(TaskContext& context, const std::string& database, TaskSummary& summary);

// 0 done, -1 the view list could not be opened.
int ConvertDatabaseViews(TaskContext& context, const std::string& database);

// Writes the Create Table text of worksheet `sheet` to the table's cache file in
// the task's folder (unless the options turn trace files off), runs it on the target
// and copies the rows (traced beside it), with
// what the task's options add to the transfer. `sourceSheets` are the sheets all the
// source's tables become, which a long table's continuation sheets keep clear of.
TableOutcome MigrateTable(TaskContext& context, const std::string& database, const std::string& table,
                          const std::string& sheet, const std::vector<std::string>& sourceSheets,
                          const adapters::TransferHooks& hooks);

// A workbook holds no views: the view's cache file is emptied (none without a cache
// folder) and the Log says so.
bool ConvertView(app::Output& output, const std::filesystem::path& cacheFolder, const std::string& database,
                 const std::string& view);

bool CloneDatabaseBody(TaskContext& context);          // 257
bool MigrateDatabaseTablesBody(TaskContext& context);  // 258 and 259
bool RefuseViewsBody(TaskContext& context);            // 260 and 262
bool MigrateOneTableBody(TaskContext& context);        // 261

}  // namespace tabvex::tasks
