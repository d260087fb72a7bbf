#include "tasks/bodies/migration_bodies.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include "adapters/excel/excel_automation.h"
#include "adapters/excel/excel_create_table.h"
#include "adapters/excel/excel_workbook.h"
#include "adapters/excel/table_transfer.h"
#include "app/output_lines.h"
#include "browser/fill_tree.h"
#include "browser/schema_rows.h"
#include "com/file_name_component.h"
#include "com/provider_error_text.h"
#include "connect/connecting.h"
#include "tasks/statement_runners.h"

namespace tabvex::tasks {

namespace {

using app::Migrator;
using app::WriteOutputLine;

constexpr const char* kCacheFileFailure = "Perhaps CHARACTER SET not correct!\nPlease change and try again.";

// Creates or empties the cache file named after a table or view; nullopt when the
// name is no single file name or the file cannot be opened.
std::optional<std::ofstream> CreateCacheFile(const std::string& name) {
    if (!com::IsFileNameComponent(name)) return std::nullopt;
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    if (!file) return std::nullopt;
    return file;
}

struct ListedObject {
    std::string name;
    std::string type;
    std::string schema;
};

// The source's tables or views ("TABLE" or "VIEW") in the provider's order, read
// whole before any is migrated. nullopt after the error line with `label`.
std::optional<std::vector<ListedObject>> ListObjects(Migrator& migrator, connect::ConnectionHolder& source,
                                                     const char* type, const char* label) {
    browser::SchemaRows rows;
    const oledb::HRESULT result = source.HasSession() ? rows.Open(*source.session, oledb::DBSCHEMA_TABLES,
                                                                  {std::nullopt, std::nullopt, std::nullopt, type},
                                                                  {"TABLE_NAME", "TABLE_TYPE", "TABLE_SCHEMA"})
                                                      : oledb::E_FAIL;
    if (oledb::Failed(result)) {
        // An error line: nothing of the database is migrated.
        WriteOutputLine(migrator, "E::%s", com::ProviderErrorText(result, label).c_str());
        return std::nullopt;
    }
    std::vector<ListedObject> objects;
    while (rows.Next())
        objects.push_back({std::string(rows.text(0)), std::string(rows.text(1)), std::string(rows.text(2))});
    return objects;
}

std::string JoinBracketed(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "[" : ", [") + name + "]";
    return text;
}

// A workbook that appeared after the clone was queued was never offered for
// replacing: it stays, and the clone fails.
bool CloneTargetIsFree(WorkerContext& context) {
    const std::string workbook = adapters::NewWorkbookPath(*context.migrator, context.targetDatabase);
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

}  // namespace

TableMigration MigrateTable(Migrator& migrator, connect::ConnectionHolder& source, const std::string& database,
                            const std::string& table) {
    auto cacheFile = CreateCacheFile(table);
    if (!cacheFile) {
        WriteOutputLine(migrator, "%s", kCacheFileFailure);
        return TableMigration::CacheFileFailed;
    }
    WriteOutputLine(migrator, "TABLE: [%s].[%s] Migrating..... ", database.c_str(), table.c_str());
    const std::string statement = adapters::BuildExcelCreateTable(migrator, source, table);
    *cacheFile << statement;
    cacheFile->close();
    if (!ExecuteStatement(migrator, migrator.targetHolder(), statement, true)) {
        WriteOutputLine(migrator, "E::TABLE: Create [%s].[%s] ERROR !", database.c_str(), table.c_str());
        return TableMigration::CreateFailed;
    }
    WriteOutputLine(migrator, "Create table [%s] SUCCESSFULLY!!!", table.c_str());
    const adapters::TransferResult transfer =
        adapters::TransferTableRows(migrator, source, migrator.targetHolder(), database, table);
    return transfer.failed() ? TableMigration::RowsFailed : TableMigration::Migrated;
}

TablesConversion ConvertDatabaseTables(Migrator& migrator, connect::ConnectionHolder& source,
                                       const std::string& database) {
    WriteOutputLine(migrator, "Convert Tables of database [%s]", database.c_str());
    TablesConversion conversion;
    const auto tables = ListObjects(migrator, source, "TABLE", "Open tables Error: ");
    if (!tables) {
        conversion.result = -1;
        return conversion;
    }
    for (const ListedObject& table : *tables) {
        if (table.type == "VIEW") continue;
        // Names with blanks are migrated only one at a time; say which are left out.
        if (table.name.find(' ') != std::string::npos) {
            WriteOutputLine(migrator, "E::TABLE: [%s].[%s] left out: a name with blanks is migrated only alone",
                            database.c_str(), table.name.c_str());
            conversion.leftOutTables.push_back(table.name);
            continue;
        }
        if (MigrateTable(migrator, source, database, table.name) != TableMigration::Migrated)
            conversion.failedTables.push_back(table.name);
        if (migrator.stopping()) {
            WriteOutputLine(migrator, "Tables Converting Terminaled!");
            conversion.stopped = true;
            break;
        }
    }
    conversion.saved = adapters::SetExcelTableHead(migrator, database);
    if (!conversion.failedTables.empty())
        WriteOutputLine(migrator, "E::Tables of [%s] not migrated completely: %s", database.c_str(),
                        JoinBracketed(conversion.failedTables).c_str());
    return conversion;
}

bool ConvertView(Migrator& migrator, const std::string& database, const std::string& view) {
    auto cacheFile = CreateCacheFile(view + ".vw");
    if (!cacheFile) {
        WriteOutputLine(migrator, "%s", kCacheFileFailure);
        return false;
    }
    WriteOutputLine(migrator, "VIEW: [%s].[%s] Converting..... ", database.c_str(), view.c_str());
    WriteOutputLine(migrator, "No View(s)!");
    return true;
}

int ConvertDatabaseViews(Migrator& migrator, connect::ConnectionHolder& source, const std::string& database) {
    WriteOutputLine(migrator, "Convert Views of database [%s]", database.c_str());
    const auto views = ListObjects(migrator, source, "VIEW", "Open views Error: ");
    if (!views) return -1;
    for (const ListedObject& view : *views) {
        if (view.type == "VIEW" && view.schema != "sys" && view.schema != "INFORMATION_SCHEMA")
            ConvertView(migrator, database, view.name);
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
    const TablesConversion tables = ConvertDatabaseTables(migrator, *context.source, context.sourceDatabase);
    context.SetProgress(50);
    ConvertDatabaseViews(migrator, *context.source, context.sourceDatabase);
    context.SetProgress(100);
    browser::FillTree(migrator, migrator.targetTree());
    return tables.complete();
}

bool MigrateDatabaseTablesBody(WorkerContext& context) {
    Migrator& migrator = *context.migrator;
    PointSidesAtTaskDatabases(context);
    const TablesConversion tables = ConvertDatabaseTables(migrator, *context.source, context.sourceDatabase);
    context.SetProgress(50);
    browser::FillTree(migrator, migrator.targetTree());
    context.SetProgress(100);
    return tables.complete();
}

bool RefuseViewsBody(WorkerContext& context) {
    WriteOutputLine(*context.migrator, "Excel Datafiles have no Views to convert !!!");
    return false;
}

bool MigrateOneTableBody(WorkerContext& context) {
    Migrator& migrator = *context.migrator;
    PointSidesAtTaskDatabases(context);
    const TableMigration outcome =
        MigrateTable(migrator, *context.source, context.sourceDatabase, context.sourceObject);
    context.SetProgress(90);
    const bool saved = adapters::SetExcelTableHead(migrator, context.targetDatabase);
    browser::FillTree(migrator, migrator.targetTree());
    context.SetProgress(100);
    // A table stopped part way is not whole either.
    const bool whole = outcome == TableMigration::Migrated && saved && !migrator.stopping();
    if (!whole) WriteOutputLine(migrator, "E::Table [%s] not migrated completely", context.sourceObject.c_str());
    return whole;
}

}  // namespace tabvex::tasks
