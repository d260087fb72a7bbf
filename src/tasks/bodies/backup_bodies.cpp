#include "tasks/bodies/backup_bodies.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "adapters/excel/excel_create_table.h"
#include "adapters/excel/excel_workbook.h"
#include "adapters/excel/statement_text.h"
#include "app/output_lines.h"
#include "browser/fill_tree.h"
#include "browser/schema_rows.h"
#include "com/object_file_name.h"
#include "com/regex.h"
#include "com/folders.h"
#include "connect/ascii_case.h"
#include "tasks/bodies/backup_data_script.h"
#include "tasks/bodies/backup_scripts.h"
#include "tasks/bodies/object_list.h"
#include "tasks/statement_runners.h"

namespace tabvex::tasks {

namespace fs = std::filesystem;

namespace {

using app::Migrator;
using app::WriteOutputLine;

// The folder `name` below `parent`, made when missing; nullopt after an error line.
std::optional<fs::path> Subfolder(Migrator& migrator, const fs::path& parent, std::string_view name) {
    const com::FolderResult made = com::NamedSubfolder(parent, name);
    if (!made) {
        WriteOutputLine(migrator, "E::%s", made.error.c_str());
        return std::nullopt;
    }
    return made.folder;
}

// The database's folder below the task's backup folder, named after the last
// component of the database's name without a drive prefix.
std::optional<fs::path> DatabaseFolder(Migrator& migrator, const fs::path& backupFolder, const std::string& database) {
    return Subfolder(migrator, backupFolder, com::RegexReplace(database, "[a-zA-Z]:[\\\\|/]", ""));
}

// Creates or empties the object's script file in `folder` (its name encoded as a file
// name); nullopt when the file cannot be opened.
std::optional<std::ofstream> CreateObjectScript(const fs::path& folder, const std::string& object,
                                                const char* extension) {
    std::ofstream file(folder / com::ObjectFileName(object, extension), std::ios::binary | std::ios::trunc);
    if (!file) return std::nullopt;
    return file;
}

std::size_t Number(std::string_view text) {
    std::size_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The table's columns as the COLUMNS schema rowset gives them; nullopt when the list
// cannot be read.
std::optional<std::vector<ScriptColumn>> ReadScriptColumns(Migrator& migrator, connect::ConnectionHolder& target,
                                                           const std::string& table) {
    browser::SchemaRows rows;
    if (!target.HasSession() ||
        oledb::Failed(rows.Open(*target.session, oledb::DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, table},
                                {"COLUMN_NAME", "COLUMN_HASDEFAULT", "COLUMN_DEFAULT", "COLUMN_FLAGS", "DATA_TYPE",
                                 "CHARACTER_MAXIMUM_LENGTH"})))
        return std::nullopt;
    const auto typeName = connect::IsJetProvider(migrator.targetSettings().providerProgId) ? adapters::ExcelTypeNameJet
                                                                                            : adapters::ExcelTypeNameOdbc;
    std::vector<ScriptColumn> columns;
    while (rows.Next()) {
        ScriptColumn column{adapters::StatementTableName(rows.text(0)),
                            typeName(static_cast<oledb::DBCOLUMNFLAGS>(Number(rows.text(3))),
                                     static_cast<oledb::DBTYPE>(Number(rows.text(4))), Number(rows.text(5))),
                            std::nullopt};
        if (rows.text(1) == "True") column.defaultText = std::string(rows.text(2));
        columns.push_back(std::move(column));
    }
    return columns;
}

std::string TableScriptOf(Migrator& migrator, connect::ConnectionHolder& target, const std::string& table) {
    if (IsWorksheetTableName(table)) return kUserDefinedNameScript;
    const auto columns = ReadScriptColumns(migrator, target, table);
    return columns ? TableScript(adapters::StatementTableName(table), *columns) : std::string();
}

// The table's script, then its data script; counts its rows in `summary` unless the
// table script failed.
int BackupTableScripts(Migrator& migrator, connect::ConnectionHolder& target, const fs::path& folder,
                       const std::string& table, TaskSummary& summary) {
    const auto tables = Subfolder(migrator, folder, "TABLES");
    if (!tables) return kObjectScriptFailed;
    auto tableScript = CreateObjectScript(*tables, table, ".tbl");
    if (!tableScript) {
        WriteOutputLine(migrator, "E::[%s] The table script cannot be created: %s", table.c_str(), std::strerror(errno));
        return kObjectScriptFailed;
    }
    *tableScript << TableScriptOf(migrator, target, table);
    tableScript->close();
    DataScriptResult rows;
    if (const auto data = Subfolder(migrator, folder, "DATA"))
        rows = WriteDataScript(migrator, target, *data / com::ObjectFileName(table, ".data"), table);
    if (rows.whole) summary.Arrived(table, rows.rows);
    else summary.Failed(table, rows.rows);
    return rows.whole ? kObjectBackedUp : kObjectRowsFailed;
}

void LogBackupFolder(Migrator& migrator, const fs::path& folder) {
    WriteOutputLine(migrator, "Backup folder: [%s]", folder.string().c_str());
}

}  // namespace

int BackupTable(Migrator& migrator, connect::ConnectionHolder& target, const fs::path& folder,
                const std::string& table, TaskSummary& summary) {
    const int result = BackupTableScripts(migrator, target, folder, table, summary);
    if (result == kObjectScriptFailed) summary.Failed(table, 0);
    return result;
}

int BackupView(Migrator& migrator, const fs::path& folder, const std::string& database, const std::string& view) {
    const auto views = Subfolder(migrator, folder, "VIEWS");
    if (!views) return kObjectScriptFailed;
    auto viewScript = CreateObjectScript(*views, view, ".vw");
    if (!viewScript) {
        WriteOutputLine(migrator, "E::[%s] The view script cannot be created: %s", view.c_str(), std::strerror(errno));
        return kObjectScriptFailed;
    }
    WriteOutputLine(migrator, "Bakcup View [%s].[%s]", database.c_str(), view.c_str());
    const std::string definition = connect::ToLowerAscii(adapters::ExcelViewDefinition(migrator, database, view));
    if (definition.find("create view") != std::string::npos) WriteOutputLine(migrator, "%s", kOperationCompleted);
    *viewScript << ViewScript(definition);
    viewScript->close();
    return kObjectBackedUp;
}

int BackupDatabaseTables(Migrator& migrator, connect::ConnectionHolder& target, const fs::path& backupFolder,
                         const std::string& database, TaskSummary& summary) {
    WriteOutputLine(migrator, "Backup Tables of database [%s]", database.c_str());
    const auto folder = DatabaseFolder(migrator, backupFolder, database);
    if (!folder) return kGroupListFailed;
    LogBackupFolder(migrator, *folder);
    const auto tables = ListObjects(migrator, target, "TABLE", "Open tables Error: ");
    if (!tables) return kGroupListFailed;
    int result = kGroupBackedUp;
    for (const auto& table : *tables) {
        if (table.type == "VIEW") continue;
        if (migrator.stopping()) {
            summary.LeftOut(table.name);
            continue;
        }
        if (BackupTable(migrator, target, *folder, table.name, summary) != kObjectBackedUp)
            result = kGroupObjectFailed;
        if (migrator.stopping()) WriteOutputLine(migrator, "Tables Backup Terminaled!");
    }
    return result;
}

int BackupDatabaseViews(Migrator& migrator, connect::ConnectionHolder& target, const fs::path& backupFolder,
                        const std::string& database) {
    WriteOutputLine(migrator, "Backup Views of database [%s]", database.c_str());
    const auto folder = DatabaseFolder(migrator, backupFolder, database);
    if (!folder) return kGroupListFailed;
    const auto views = ListObjects(migrator, target, "VIEW", "Open views Error: ");
    if (!views) return kGroupListFailed;
    int result = kGroupBackedUp;
    for (const auto& view : *views) {
        const bool userView = view.type == "VIEW" && view.schema != "sys" && view.schema != "INFORMATION_SCHEMA";
        if (userView && BackupView(migrator, *folder, database, view.name) != kObjectBackedUp)
            result = kGroupObjectFailed;
        if (migrator.stopping()) {
            WriteOutputLine(migrator, "Views Backup Terminaled!");
            break;
        }
    }
    return result;
}

bool BackupGroupBody(WorkerContext& context) {
    Migrator& migrator = *context.migrator;
    adapters::SelectExcelWorkbook(migrator, browser::kTargetSide, context.targetDatabase);
    TaskSummary summary("backed up");
    bool backedUp = true;
    if (context.scope == "A" || context.scope == "T") {
        backedUp &= BackupDatabaseTables(migrator, *context.target, context.folder, context.targetDatabase, summary) ==
                    kGroupBackedUp;
        context.SetProgress(50);
    }
    if (context.scope == "A" || context.scope == "V") {
        backedUp &=
            BackupDatabaseViews(migrator, *context.target, context.folder, context.targetDatabase) == kGroupBackedUp;
        context.SetProgress(100);
    }
    summary.Write(migrator);
    return backedUp && summary.whole() && !migrator.stopping();
}

bool BackupObjectBody(WorkerContext& context) {
    Migrator& migrator = *context.migrator;
    adapters::SelectExcelWorkbook(migrator, browser::kTargetSide, context.targetDatabase);
    LogBackupFolder(migrator, context.folder);
    TaskSummary summary("backed up");
    int result = kObjectScriptFailed;
    if (context.scope == "T") {
        result = BackupTable(migrator, *context.target, context.folder, context.targetObject, summary);
    } else if (context.scope == "V") {
        result = BackupView(migrator, context.folder, context.targetDatabase, context.targetObject);
    }
    context.SetProgress(80);
    browser::FillTree(migrator, migrator.targetTree());
    context.SetProgress(100);
    summary.Write(migrator);
    return result == kObjectBackedUp;
}

}  // namespace tabvex::tasks
