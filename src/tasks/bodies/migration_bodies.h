// The migration task bodies (257 to 262) and the routines they share: a database's
// tables and views, one table, one view. Everything here runs on the worker thread.
#pragma once

#include <string>
#include <vector>

#include "app/migrator.h"
#include "connect/connection_holder.h"
#include "tasks/worker_context.h"

namespace tabvex::tasks {

enum class TableMigration : int {
    Migrated = 1,         // created, and every row arrived
    RowsFailed = 0,       // created, but rows were lost or the transfer failed
    CreateFailed = -1,    // the Create Table statement failed
    CacheFileFailed = -2  // the cache file could not be created (a name no file can have)
};

struct TablesConversion {
    int result = 0;  // 0 done, -1 the table list could not be opened
    std::vector<std::string> failedTables;
    std::vector<std::string> leftOutTables;  // names with a blank: migrated only one at a time
    bool stopped = false;                    // the stop request ended the loop
    bool saved = true;                       // false: the workbook could not be saved
    // Every table of the database is in the workbook, whole.
    bool complete() const {
        return result == 0 && failedTables.empty() && leftOutTables.empty() && !stopped && saved;
    }
};

// Migrates every table of the source's current database in the provider's order;
// names with a blank are left out, each named in an error line. Formats the header
// rows afterwards and names the tables that failed.
TablesConversion ConvertDatabaseTables(app::Migrator& migrator, connect::ConnectionHolder& source,
                                       const std::string& database);

// 0 done, -1 the view list could not be opened.
int ConvertDatabaseViews(app::Migrator& migrator, connect::ConnectionHolder& source, const std::string& database);

// Writes the table's Create Table text to its cache file, runs it on the target and
// copies the rows.
TableMigration MigrateTable(app::Migrator& migrator, connect::ConnectionHolder& source, const std::string& database,
                            const std::string& table);

// A workbook holds no views: the view's cache file is emptied and the Log says so.
bool ConvertView(app::Migrator& migrator, const std::string& database, const std::string& view);

bool CloneDatabaseBody(WorkerContext& context);          // 257
bool MigrateDatabaseTablesBody(WorkerContext& context);  // 258 and 259
bool RefuseViewsBody(WorkerContext& context);            // 260 and 262
bool MigrateOneTableBody(WorkerContext& context);        // 261

}  // namespace tabvex::tasks
