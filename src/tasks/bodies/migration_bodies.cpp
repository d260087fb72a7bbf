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
#include "connecting/connecting.h"
#include "tasks/bodies/migration_options.h"
#include "tasks/bodies/object_list.h"
#include "connect/statement_runners.h"

namespace tabvex::tasks {

namespace {

using app::WriteOutputLine;

// The task's cache folder, or none when the options turn the trace files off.
std::filesystem::path CacheFolderOf(const TaskContext& context) {
    return context.options.traceFiles ? context.names().folder : std::filesystem::path();
}

// Creates or empties the cache file of a table or view; false after an error line
// when the folder refuses it. Without a cache folder there is nothing to write.
bool WriteCacheFile(app::Output& output, const std::filesystem::path& cacheFolder, const std::string& name,
                    const char* extension, const std::string& text) {
    if (cacheFolder.empty()) return true;
    const std::string fileName = (cacheFolder / com::ObjectFileName(name, extension)).string();
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (file) file << text;
    if (file) file.close();
    if (!file) {
        WriteOutputLine(output, "E::[%s] The cache file [%s] cannot be written: %s", name.c_str(), fileName.c_str(),
                        std::strerror(errno));
        return false;
    }
    return true;
}

// A workbook the person did not agree to replace when the clone was queued (one
// that appeared since, or one elsewhere, the target having moved) stays, and the
// clone fails.
bool CloneTargetIsFree(TaskContext& context) {
    const std::string workbook = adapters::NewWorkbookPath(context.sides, context.sides.target().settings(),
                                                           context.names().targetDatabase);
    std::error_code error;
    if (!std::filesystem::exists(workbook, error) || workbook == context.names().replaceableWorkbook) return true;
    WriteOutputLine(context.output,
                    "E::The workbook [%s] exists and is not replaced: it was not there when the clone was queued",
                    workbook.c_str());
    return false;
}

void PointSidesAtTaskDatabases(TaskContext& context) {
    adapters::SelectExcelWorkbook(context.sides, browser::kTargetSide, context.names().targetDatabase);
    connect::SelectAccessDatabase(context.output, context.sides, context.names().sourceDatabase);
}

void LogMigrating(TaskContext& context, const std::string& database, const std::string& table,
                  const std::string& sheet) {
    app::Output& output = context.output;
    const std::string condition = browser::TableCondition(context.sides.conditionFile(), database, table);
    if (condition.empty())
        WriteOutputLine(output, "TABLE: [%s].[%s] Migrating..... ", database.c_str(), table.c_str());
    else
        WriteOutputLine(output, "TABLE: [%s].[%s] Migrating..... only rows where %s", database.c_str(),
                        table.c_str(), condition.c_str());
    if (sheet != table) WriteOutputLine(output, "TABLE: [%s] becomes worksheet [%s]", table.c_str(), sheet.c_str());
}

// The workbook is saved and its headers formatted once the tables are in; tables
// counted as arrived are lost when that fails, and read back when it worked.
void SaveTables(TaskContext& context, const std::string& database, TaskSummary& summary,
                MigrationOptionSteps& options) {
    if (adapters::SetExcelTableHead(context.output, context.sides, database)) options.VerifySaved(summary);
    else summary.ArrivedTablesLost();
}

// Migrates the table and counts it in the summary.
void MigrateCountedTable(TaskContext& context, const std::string& database, const std::string& table,
                         const std::string& sheet, const std::vector<std::string>& sourceSheets,
                         TaskSummary& summary, MigrationOptionSteps& options) {
    const TableOutcome outcome =
        MigrateTable(context, database, table, sheet, sourceSheets, options.HooksFor(table, sheet));
    if (outcome.result == TableMigration::Migrated) {
        summary.Arrived(table, outcome.rowsCopied);
    } else {
        summary.Failed(table, outcome.rowsCopied);
        options.TableFailed();
    }
}

// The task list's total: the rows the tables hold, when the source tells cheaply.
void ExpectRows(TaskContext& context, const std::string& database, const std::vector<std::string>& tables) {
    const auto expected = adapters::ExpectedRowCount(context.output, context.sides, database, tables);
    context.rows()->expected = expected.value_or(-1);
}

// With long tables continued, the sheets a table may continue on: none that another
// of the source's tables becomes or that the target holds already.
std::unique_ptr<adapters::ContinuationSheets> ContinuationOf(TaskContext& context, const std::string& table,
                                                             const std::string& sheet,
                                                             const std::vector<std::string>& sourceSheets) {
    if (!context.options.splitLongTables) return nullptr;
    connect::ConnectionHolder& target = context.sides.target().holder();
    std::vector<std::string> taken = WorkbookSheetNames(context.output, target);
    taken.insert(taken.end(), sourceSheets.begin(), sourceSheets.end());
    return std::make_unique<adapters::ContinuationSheets>(context.output, context.sides.source().holder(), target,
                                                          table, sheet, taken);
}

MigrationOptionSteps OptionStepsOf(TaskContext& context) {
    return MigrationOptionSteps(context.output, context.sides.target().settings(), context.options);
}

}  // namespace

namespace {

// Creates the table's sheet and copies its rows into it.
TableOutcome CreateAndFillTable(TaskContext& context, const std::string& database, const std::string& table,
                                const std::string& sheet, const std::vector<std::string>& sourceSheets,
                                const adapters::TransferHooks& hooks) {
    app::Output& output = context.output;
    const std::filesystem::path cacheFolder = CacheFolderOf(context);
    const std::filesystem::path traceFile =
        cacheFolder.empty() ? cacheFolder : cacheFolder / com::ObjectFileName(table, ".data");
    const std::string statement = adapters::BuildExcelCreateTable(output, context.sides.source().holder(), table, sheet);
    if (!WriteCacheFile(output, cacheFolder, table, "", statement)) return {TableMigration::CacheFileFailed, 0};
    if (statement == adapters::kCreateTableError ||
        !connect::ExecuteStatement(output, context.sides.target().holder(), statement, true)) {
        WriteOutputLine(output, "E::TABLE: Create [%s].[%s] ERROR !", database.c_str(), table.c_str());
        return {TableMigration::CreateFailed, 0};
    }
    WriteOutputLine(output, "Create table [%s] SUCCESSFULLY!!!", sheet.c_str());
    const auto continuation = ContinuationOf(context, table, sheet, sourceSheets);
    const adapters::TransferResult transfer =
        adapters::TransferTableRows(output, context.gate, context.sides, database, table, sheet,
                                    traceFile, context.rows(),
                                    continuation.get(), hooks);
    return {transfer.failed() ? TableMigration::RowsFailed : TableMigration::Migrated, transfer.rowsCopied};
}

bool TargetHasSheet(TaskContext& context, const std::string& sheet) {
    return HoldsSheet(WorkbookSheetNames(context.output, context.sides.target().holder()), sheet);
}

// The sheet the workbook has already gives way to the table's new rows, but only
// once they all arrived: until then the file keeps the old sheet, and keeps it when
// they do not.
TableOutcome ReplaceTable(TaskContext& context, const std::string& database, const std::string& table,
                          const std::string& sheet, const std::vector<std::string>& sourceSheets,
                          const adapters::TransferHooks& hooks) {
    app::Output& output = context.output;
    adapters::SheetReplacement replacement(output, context.sides, sheet);
    if (!replacement.oldSheetDeleted()) {
        replacement.Abandon();
        WriteOutputLine(output, "E::TABLE: Create [%s].[%s] ERROR !", database.c_str(), table.c_str());
        return {TableMigration::CreateFailed, 0};
    }
    const TableOutcome outcome = CreateAndFillTable(context, database, table, sheet, sourceSheets, hooks);
    if (outcome.result == TableMigration::Migrated && replacement.Keep()) {
        WriteOutputLine(output, "[%s] replaced", sheet.c_str());
        return outcome;
    }
    replacement.Abandon();
    context.rows()->copied.fetch_sub(outcome.rowsCopied, std::memory_order_relaxed);
    WriteOutputLine(output, "E::[%s] not replaced: the workbook keeps the sheet it had", sheet.c_str());
    const bool writeFailed = outcome.result == TableMigration::Migrated;
    return {writeFailed ? TableMigration::RowsFailed : outcome.result, 0};
}

}  // namespace

TableOutcome MigrateTable(TaskContext& context, const std::string& database, const std::string& table,
                          const std::string& sheet, const std::vector<std::string>& sourceSheets,
                          const adapters::TransferHooks& hooks) {
    LogMigrating(context, database, table, sheet);
    if (context.options.overwriteTable && TargetHasSheet(context, sheet))
        return ReplaceTable(context, database, table, sheet, sourceSheets, hooks);
    return CreateAndFillTable(context, database, table, sheet, sourceSheets, hooks);
}

int ConvertDatabaseTables(TaskContext& context, const std::string& database, TaskSummary& summary) {
    app::Output& output = context.output;
    WriteOutputLine(output, "Convert Tables of database [%s]", database.c_str());
    const auto listed = ListObjects(output, context.sides.source().holder(), "TABLE", "Open tables Error: ");
    if (!listed) return -1;
    const std::vector<std::string> tables = TableNames(*listed);
    const std::vector<std::string> sheets = adapters::FitSheetNames(tables);
    ExpectRows(context, database, tables);
    MigrationOptionSteps options = OptionStepsOf(context);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (context.gate.stopRequested()) {
            summary.LeftOut(tables[i]);
            continue;
        }
        MigrateCountedTable(context, database, tables[i], sheets[i], sheets, summary, options);
        if (context.gate.stopRequested()) WriteOutputLine(output, "Tables Converting Terminaled!");
    }
    SaveTables(context, database, summary, options);
    return 0;
}

bool ConvertView(app::Output& output, const std::filesystem::path& cacheFolder, const std::string& database,
                 const std::string& view) {
    if (!WriteCacheFile(output, cacheFolder, view, ".vw", "")) return false;
    WriteOutputLine(output, "VIEW: [%s].[%s] Converting..... ", database.c_str(), view.c_str());
    WriteOutputLine(output, "No View(s)!");
    return true;
}

int ConvertDatabaseViews(TaskContext& context, const std::string& database) {
    app::Output& output = context.output;
    WriteOutputLine(output, "Convert Views of database [%s]", database.c_str());
    const auto views = ListObjects(output, context.sides.source().holder(), "VIEW", "Open views Error: ");
    if (!views) return -1;
    for (const ListedObject& view : *views) {
        if (view.type == "VIEW" && view.schema != "sys" && view.schema != "INFORMATION_SCHEMA")
            ConvertView(output, CacheFolderOf(context), database, view.name);
        if (context.gate.stopRequested()) {
            WriteOutputLine(output, "Views Converting Terminaled!");
            break;
        }
    }
    return 0;
}

bool CloneDatabaseBody(TaskContext& context) {
    const TaskNames& names = context.names();
    if (!CloneTargetIsFree(context)) return false;
    if (!adapters::CreateExcelWorkbook(context.output, context.sides, names.targetDatabase, true)) {
        WriteOutputLine(context.output, "Create Target Database[%s] Error!", names.targetDatabase.c_str());
        return false;
    }
    PointSidesAtTaskDatabases(context);
    TaskSummary summary("arrived");
    const int listed = ConvertDatabaseTables(context, names.sourceDatabase, summary);
    context.SetProgress(50);
    ConvertDatabaseViews(context, names.sourceDatabase);
    context.SetProgress(100);
    browser::FillTree(context.output, context.sides.conditionFile(), context.sides.target().tree());
    summary.Write(context);
    return listed == 0 && summary.whole();
}

bool MigrateDatabaseTablesBody(TaskContext& context) {
    PointSidesAtTaskDatabases(context);
    TaskSummary summary("arrived");
    const int listed = ConvertDatabaseTables(context, context.names().sourceDatabase, summary);
    context.SetProgress(50);
    browser::FillTree(context.output, context.sides.conditionFile(), context.sides.target().tree());
    context.SetProgress(100);
    summary.Write(context);
    return listed == 0 && summary.whole();
}

bool RefuseViewsBody(TaskContext& context) {
    WriteOutputLine(context.output, "Excel Datafiles have no Views to convert !!!");
    return false;
}

bool MigrateOneTableBody(TaskContext& context) {
    const TaskNames& names = context.names();
    PointSidesAtTaskDatabases(context);
    TaskSummary summary("arrived");
    // The sheet is fitted among all the source's tables, so that it is the one a
    // migration of the whole database gives.
    const auto listed = ListObjects(context.output, context.sides.source().holder(), "TABLE", "Open tables Error: ");
    const std::string& table = names.sourceObject;
    const std::vector<std::string> tables = listed ? TableNames(*listed) : std::vector<std::string>{};
    const std::string sheet = adapters::SheetNameOfTable(tables, table);
    ExpectRows(context, names.sourceDatabase, {table});
    MigrationOptionSteps options = OptionStepsOf(context);
    MigrateCountedTable(context, names.sourceDatabase, table, sheet, adapters::FitSheetNames(tables), summary,
                        options);
    context.SetProgress(90);
    SaveTables(context, names.targetDatabase, summary, options);
    browser::FillTree(context.output, context.sides.conditionFile(), context.sides.target().tree());
    context.SetProgress(100);
    summary.Write(context);
    return summary.whole();
}

}  // namespace tabvex::tasks
