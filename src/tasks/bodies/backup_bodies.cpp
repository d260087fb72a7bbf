#include "tasks/bodies/backup_bodies.h"

#include <algorithm>
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
#include "connect/statement_runners.h"

namespace tabvex::tasks {

namespace fs = std::filesystem;

namespace {

using app::WriteOutputLine;

// The folder `name` below `parent`, made when missing; nullopt after an error line.
std::optional<fs::path> Subfolder(app::Output& output, const fs::path& parent, std::string_view name) {
    const com::FolderResult made = com::NamedSubfolder(parent, name);
    if (!made) {
        WriteOutputLine(output, "E::%s", made.error.c_str());
        return std::nullopt;
    }
    return made.folder;
}

// Whether an earlier backup wrote into the folder.
bool HoldsBackup(const fs::path& folder) {
    std::error_code error;
    for (const char* scripts : {"TABLES", "DATA", "VIEWS"})
        if (fs::exists(folder / scripts, error)) return true;
    return false;
}

// The worksheet "N$" of a workbook that lists its defined name "N" too: the rows a
// migration wrote, under both names.
bool SheetOfListedName(const std::string& table, const std::vector<ListedObject>& tables) {
    if (!IsWorksheetTableName(table)) return false;
    const std::string name = table.substr(0, table.size() - 1);
    return std::any_of(tables.begin(), tables.end(),
                       [&](const ListedObject& other) { return connect::EqualsIgnoringAsciiCase(other.name, name); });
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
std::optional<std::vector<ScriptColumn>> ReadScriptColumns(const browser::Side& target, const std::string& table) {
    browser::SchemaRows rows;
    if (!target.holder().HasSession() ||
        oledb::Failed(rows.Open(*target.holder().session, oledb::DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, table},
                                {"COLUMN_NAME", "COLUMN_HASDEFAULT", "COLUMN_DEFAULT", "COLUMN_FLAGS", "DATA_TYPE",
                                 "CHARACTER_MAXIMUM_LENGTH"})))
        return std::nullopt;
    const auto typeName = connect::IsJetProvider(target.settings().providerProgId) ? adapters::ExcelTypeNameJet
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

std::string TableScriptOf(const browser::Side& target, const std::string& table) {
    if (IsWorksheetTableName(table)) return kUserDefinedNameScript;
    const auto columns = ReadScriptColumns(target, table);
    return columns ? TableScript(adapters::StatementTableName(table), *columns) : std::string();
}

// The table's script, then its data script; counts its rows in `summary` unless the
// table script failed.
int BackupTableScripts(TaskContext& context, const fs::path& folder, const std::string& table, TaskSummary& summary) {
    app::Output& output = context.output;
    const auto tables = Subfolder(output, folder, "TABLES");
    if (!tables) return kObjectScriptFailed;
    auto tableScript = CreateObjectScript(*tables, table, ".tbl");
    if (!tableScript) {
        WriteOutputLine(output, "E::[%s] The table script cannot be created: %s", table.c_str(), std::strerror(errno));
        return kObjectScriptFailed;
    }
    *tableScript << TableScriptOf(context.sides.target(), table);
    tableScript->close();
    DataScriptResult rows;
    if (const auto data = Subfolder(output, folder, "DATA"))
        rows = WriteDataScript(output, context.gate, context.sides.target().holder(),
                               *data / com::ObjectFileName(table, ".data"), table, context.rows());
    if (rows.whole) summary.Arrived(table, rows.rows);
    else summary.Failed(table, rows.rows);
    return rows.whole ? kObjectBackedUp : kObjectRowsFailed;
}

}  // namespace

std::optional<fs::path> NewBackupFolder(app::Output& output, const fs::path& backupFolder, const std::string& database) {
    // Without a drive prefix, for names written on Windows.
    auto folder = Subfolder(output, backupFolder, com::RegexReplace(database, "[a-zA-Z]:[\\\\|/]", ""));
    if (!folder) return std::nullopt;
    const std::string name = folder->filename().string();
    for (int number = 2; HoldsBackup(*folder); ++number) {
        folder = Subfolder(output, backupFolder, name + "_" + std::to_string(number));
        if (!folder) return std::nullopt;
    }
    WriteOutputLine(output, "Backup folder: [%s]", folder->string().c_str());
    return folder;
}

int BackupTable(TaskContext& context, const fs::path& folder, const std::string& table, TaskSummary& summary) {
    const int result = BackupTableScripts(context, folder, table, summary);
    if (result == kObjectScriptFailed) summary.Failed(table, 0);
    return result;
}

int BackupView(app::Output& output, const fs::path& folder, const std::string& database, const std::string& view) {
    const auto views = Subfolder(output, folder, "VIEWS");
    if (!views) return kObjectScriptFailed;
    auto viewScript = CreateObjectScript(*views, view, ".vw");
    if (!viewScript) {
        WriteOutputLine(output, "E::[%s] The view script cannot be created: %s", view.c_str(), std::strerror(errno));
        return kObjectScriptFailed;
    }
    WriteOutputLine(output, "Bakcup View [%s].[%s]", database.c_str(), view.c_str());
    const std::string definition = connect::ToLowerAscii(adapters::ExcelViewDefinition(database, view));
    if (definition.find("create view") != std::string::npos) WriteOutputLine(output, "%s", connect::kOperationCompleted);
    *viewScript << ViewScript(definition);
    viewScript->close();
    return kObjectBackedUp;
}

int BackupDatabaseTables(TaskContext& context, const fs::path& folder, const std::string& database,
                         TaskSummary& summary) {
    app::Output& output = context.output;
    connect::ConnectionHolder& target = context.sides.target().holder();
    WriteOutputLine(output, "Backup Tables of database [%s]", database.c_str());
    const auto tables = ListObjects(output, target, "TABLE", "Open tables Error: ");
    if (!tables) return kGroupListFailed;
    int result = kGroupBackedUp;
    for (const auto& table : *tables) {
        if (table.type == "VIEW" || SheetOfListedName(table.name, *tables)) continue;
        if (context.gate.stopRequested()) {
            summary.LeftOut(table.name);
            continue;
        }
        if (BackupTable(context, folder, table.name, summary) != kObjectBackedUp)
            result = kGroupObjectFailed;
        if (context.gate.stopRequested()) WriteOutputLine(output, "Tables Backup Terminaled!");
    }
    return result;
}

int BackupDatabaseViews(TaskContext& context, const fs::path& folder, const std::string& database) {
    app::Output& output = context.output;
    connect::ConnectionHolder& target = context.sides.target().holder();
    WriteOutputLine(output, "Backup Views of database [%s]", database.c_str());
    const auto views = ListObjects(output, target, "VIEW", "Open views Error: ");
    if (!views) return kGroupListFailed;
    int result = kGroupBackedUp;
    for (const auto& view : *views) {
        const bool userView = view.type == "VIEW" && view.schema != "sys" && view.schema != "INFORMATION_SCHEMA";
        if (userView && BackupView(output, folder, database, view.name) != kObjectBackedUp)
            result = kGroupObjectFailed;
        if (context.gate.stopRequested()) {
            WriteOutputLine(output, "Views Backup Terminaled!");
            break;
        }
    }
    return result;
}

bool BackupGroupBody(TaskContext& context) {
    const TaskNames& names = context.names();
    adapters::SelectExcelWorkbook(context.sides, browser::kTargetSide, names.targetDatabase);
    TaskSummary summary("backed up");
    const auto folder = NewBackupFolder(context.output, names.folder, names.targetDatabase);
    bool backedUp = folder.has_value();
    if (folder && (names.scope == "A" || names.scope == "T")) {
        backedUp &= BackupDatabaseTables(context, *folder, names.targetDatabase, summary) == kGroupBackedUp;
        context.SetProgress(50);
    }
    if (folder && (names.scope == "A" || names.scope == "V")) {
        backedUp &= BackupDatabaseViews(context, *folder, names.targetDatabase) == kGroupBackedUp;
        context.SetProgress(100);
    }
    summary.Write(context);
    return backedUp && summary.whole() && !context.gate.stopRequested();
}

bool BackupObjectBody(TaskContext& context) {
    const TaskNames& names = context.names();
    adapters::SelectExcelWorkbook(context.sides, browser::kTargetSide, names.targetDatabase);
    // One object's scripts go below the workbook's own folder too, as a whole workbook's do.
    const auto folder = NewBackupFolder(context.output, names.folder, names.targetDatabase);
    TaskSummary summary("backed up");
    int result = kObjectScriptFailed;
    if (folder && names.scope == "T") {
        result = BackupTable(context, *folder, names.targetObject, summary);
    } else if (folder && names.scope == "V") {
        result = BackupView(context.output, *folder, names.targetDatabase, names.targetObject);
    }
    context.SetProgress(80);
    browser::FillTree(context.output, context.sides.conditionFile(), context.sides.target().tree());
    context.SetProgress(100);
    summary.Write(context);
    return result == kObjectBackedUp;
}

}  // namespace tabvex::tasks
