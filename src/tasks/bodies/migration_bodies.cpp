#include "tasks/bodies/migration_bodies.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "adapters/excel/excel_automation.h"
#include "adapters/excel/excel_create_table.h"
#include "adapters/excel/excel_workbook.h"
#include "adapters/excel/expected_rows.h"
#include "adapters/excel/sheet_names.h"
#include "adapters/excel/table_transfer.h"
#include "app/output_lines.h"
#include "browser/condition_file.h"
#include "browser/fill_tree.h"
#include "com/object_file_name.h"
#include "connect/connecting.h"
#include "tasks/bodies/migration_options.h"
#include "tasks/bodies/object_list.h"
#include "tasks/statement_runners.h"

namespace tabvex::tasks {

namespace {

using app::Migrator;
using app::WriteOutputLine;

// Creates or empties the cache file of a table or view; false after an error line
// when the folder refuses it.
bool WriteCacheFile(Migrator& migrator, const std::filesystem::path& cacheFolder, const std::string& name,
                    const char* extension, const std::string& text) {
    const std::string fileName = (cacheFolder / com::ObjectFileName(name, extension)).string();
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (file) file << text;
    if (file) file.close();
    if (!file) {
        WriteOutputLine(migrator, "E::[%s] The cache file [%s] cannot be written: %s", name.c_str(), fileName.c_str(),
                        std::strerror(errno));
        return false;
    }
    return true;
}

// A workbook that appeared after the clone was queued was never offered for
// replacing: it stays, and the clone fails.
bool CloneTargetIsFree(WorkerContext& context) {
    const std::string workbook =
        adapters::NewWorkbookPath(*context.migrator, context.migrator->targetSettings(), context.targetDatabase);
    std::error_code error;
    if (context.replaceTargetFile || !std::filesystem::exists(workbook, error)) return true;
    WriteOutputLine(*context.migrator,
                    "E::The workbook [%s] exists and is not replaced: it was not there when the clone was queued",
                    workbook.c_str());
    return false;
}

void PointSidesAtTaskDatabases(WorkerContext& context) {
    adapters::SelectExcelWorkbook(*context.migrator, browser::kTargetSide, context.targetDatabase);
    connect::SelectAccessDatabase(*context.migrator, context.sourceDatabase, browser::kSourceSide);
}

void LogMigrating(Migrator& migrator, const std::string& database, const std::string& table,
                  const std::string& sheet) {
    const std::string condition = browser::TableCondition(migrator, database, table);
    if (condition.empty())
        WriteOutputLine(migrator, "TABLE: [%s].[%s] Migrating..... ", database.c_str(), table.c_str());
    else
        WriteOutputLine(migrator, "TABLE: [%s].[%s] Migrating..... only rows where %s", database.c_str(),
                        table.c_str(), condition.c_str());
    if (sheet != table) WriteOutputLine(migrator, "TABLE: [%s] becomes worksheet [%s]", table.c_str(), sheet.c_str());
}

// The workbook is saved and its headers formatted once the tables are in; tables
// counted as arrived are lost when that fails, and read back when it worked.
void SaveTables(Migrator& migrator, const std::string& database, TaskSummary& summary,
                MigrationOptionSteps& options) {
    if (adapters::SetExcelTableHead(migrator, database)) options.VerifySaved(summary);
    else summary.ArrivedTablesLost();
}

// Migrates the table and counts it in the summary.
void MigrateCountedTable(Migrator& migrator, connect::ConnectionHolder& source,
                         const std::filesystem::path& cacheFolder, const std::string& database,
                         const std::string& table, const std::string& sheet,
                         const std::vector<std::string>& sourceSheets, RowProgress* rows, TaskSummary& summary,
                         MigrationOptionSteps& options) {
    const TableOutcome outcome = MigrateTable(migrator, source, cacheFolder, database, table, sheet, sourceSheets,
                                              rows, options.HooksFor(table, sheet));
    if (outcome.result == TableMigration::Migrated) {
        summary.Arrived(table, outcome.rowsCopied);
    } else {
        summary.Failed(table, outcome.rowsCopied);
        options.TableFailed();
    }
}

// The task list's total: the rows the tables hold, when the source tells cheaply.
void ExpectRows(Migrator& migrator, connect::ConnectionHolder& source, const std::string& database,
                const std::vector<std::string>& tables, RowProgress* rows) {
    if (!rows) return;
    const auto expected = adapters::ExpectedRowCount(migrator, source, database, tables);
    rows->expected = expected.value_or(-1);
}

// With long tables continued, the sheets a table may continue on: none that another
// of the source's tables becomes or that the target holds already.
std::unique_ptr<adapters::ContinuationSheets> ContinuationOf(Migrator& migrator, connect::ConnectionHolder& source,
                                                             const std::string& table, const std::string& sheet,
                                                             const std::vector<std::string>& sourceSheets) {
    if (!migrator.splitLongTables()) return nullptr;
    std::vector<std::string> taken = WorkbookSheetNames(migrator, migrator.targetHolder());
    taken.insert(taken.end(), sourceSheets.begin(), sourceSheets.end());
    return std::make_unique<adapters::ContinuationSheets>(migrator, source, migrator.targetHolder(), table, sheet, taken);
}

}  // namespace

TableOutcome MigrateTable(Migrator& migrator, connect::ConnectionHolder& source, const std::filesystem::path& cacheFolder,
                          const std::string& database, const std::string& table, const std::string& sheet,
                          const std::vector<std::string>& sourceSheets, RowProgress* rows,
                          const adapters::TransferHooks& hooks) {
    LogMigrating(migrator, database, table, sheet);
    const std::string statement = adapters::BuildExcelCreateTable(migrator, source, table, sheet);
    if (!WriteCacheFile(migrator, cacheFolder, table, "", statement)) return {TableMigration::CacheFileFailed, 0};
    if (!ExecuteStatement(migrator, migrator.targetHolder(), statement, true)) {
        WriteOutputLine(migrator, "E::TABLE: Create [%s].[%s] ERROR !", database.c_str(), table.c_str());
        return {TableMigration::CreateFailed, 0};
    }
    WriteOutputLine(migrator, "Create table [%s] SUCCESSFULLY!!!", sheet.c_str());
    const auto continuation = ContinuationOf(migrator, source, table, sheet, sourceSheets);
    const adapters::TransferResult transfer =
        adapters::TransferTableRows(migrator, source, migrator.targetHolder(), database, table, sheet,
                                    cacheFolder / com::ObjectFileName(table, ".data"), rows, continuation.get(),
                                    hooks);
    return {transfer.failed() ? TableMigration::RowsFailed : TableMigration::Migrated, transfer.rowsCopied};
}

int ConvertDatabaseTables(Migrator& migrator, connect::ConnectionHolder& source,
                          const std::filesystem::path& cacheFolder, const std::string& database, TaskSummary& summary,
                          RowProgress* rows) {
    WriteOutputLine(migrator, "Convert Tables of database [%s]", database.c_str());
    const auto listed = ListObjects(migrator, source, "TABLE", "Open tables Error: ");
    if (!listed) return -1;
    const std::vector<std::string> tables = TableNames(*listed);
    const std::vector<std::string> sheets = adapters::FitSheetNames(tables);
    ExpectRows(migrator, source, database, tables, rows);
    MigrationOptionSteps options(migrator);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (migrator.stopping()) {
            summary.LeftOut(tables[i]);
            continue;
        }
        MigrateCountedTable(migrator, source, cacheFolder, database, tables[i], sheets[i], sheets, rows, summary,
                            options);
        if (migrator.stopping()) WriteOutputLine(migrator, "Tables Converting Terminaled!");
    }
    SaveTables(migrator, database, summary, options);
    return 0;
}

bool ConvertView(Migrator& migrator, const std::filesystem::path& cacheFolder, const std::string& database,
                 const std::string& view) {
    if (!WriteCacheFile(migrator, cacheFolder, view, ".vw", "")) return false;
    WriteOutputLine(migrator, "VIEW: [%s].[%s] Converting..... ", database.c_str(), view.c_str());
    WriteOutputLine(migrator, "No View(s)!");
    return true;
}

int ConvertDatabaseViews(Migrator& migrator, connect::ConnectionHolder& source, const std::filesystem::path& cacheFolder,
                         const std::string& database) {
    WriteOutputLine(migrator, "Convert Views of database [%s]", database.c_str());
    const auto views = ListObjects(migrator, source, "VIEW", "Open views Error: ");
    if (!views) return -1;
    for (const ListedObject& view : *views) {
        if (view.type == "VIEW" && view.schema != "sys" && view.schema != "INFORMATION_SCHEMA")
            ConvertView(migrator, cacheFolder, database, view.name);
        if (migrator.stopping()) {
            WriteOutputLine(migrator, "Views Converting Terminaled!");
            break;
        }
    }
    return 0;
}

bool CloneDatabaseBody(WorkerContext& context) {
    Migrator& migrator = *context.migrator;
    if (!CloneTargetIsFree(context)) return false;
    if (!adapters::CreateExcelWorkbook(migrator, context.targetDatabase, true)) {
        WriteOutputLine(migrator, "Create Target Database[%s] Error!", context.targetDatabase.c_str());
        return false;
    }
    PointSidesAtTaskDatabases(context);
    TaskSummary summary("arrived");
    const int listed = ConvertDatabaseTables(migrator, *context.source, context.folder, context.sourceDatabase, summary,
                                             context.rows());
    context.SetProgress(50);
    ConvertDatabaseViews(migrator, *context.source, context.folder, context.sourceDatabase);
    context.SetProgress(100);
    browser::FillTree(migrator, migrator.targetTree());
    summary.Write(migrator);
    return listed == 0 && summary.whole();
}

bool MigrateDatabaseTablesBody(WorkerContext& context) {
    Migrator& migrator = *context.migrator;
    PointSidesAtTaskDatabases(context);
    TaskSummary summary("arrived");
    const int listed = ConvertDatabaseTables(migrator, *context.source, context.folder, context.sourceDatabase, summary,
                                             context.rows());
    context.SetProgress(50);
    browser::FillTree(migrator, migrator.targetTree());
    context.SetProgress(100);
    summary.Write(migrator);
    return listed == 0 && summary.whole();
}

bool RefuseViewsBody(WorkerContext& context) {
    WriteOutputLine(*context.migrator, "Excel Datafiles have no Views to convert !!!");
    return false;
}

bool MigrateOneTableBody(WorkerContext& context) {
    Migrator& migrator = *context.migrator;
    PointSidesAtTaskDatabases(context);
    TaskSummary summary("arrived");
    // The sheet is fitted among all the source's tables, so that it is the one a
    // migration of the whole database gives.
    const auto listed = ListObjects(migrator, *context.source, "TABLE", "Open tables Error: ");
    const std::string& table = context.sourceObject;
    const std::vector<std::string> tables = listed ? TableNames(*listed) : std::vector<std::string>{};
    const std::string sheet = adapters::SheetNameOfTable(tables, table);
    ExpectRows(migrator, *context.source, context.sourceDatabase, {table}, context.rows());
    MigrationOptionSteps options(migrator);
    MigrateCountedTable(migrator, *context.source, context.folder, context.sourceDatabase, table, sheet,
                        adapters::FitSheetNames(tables), context.rows(), summary, options);
    context.SetProgress(90);
    SaveTables(migrator, context.targetDatabase, summary, options);
    browser::FillTree(migrator, migrator.targetTree());
    context.SetProgress(100);
    summary.Write(migrator);
    return summary.whole();
}

}  // namespace tabvex::tasks
