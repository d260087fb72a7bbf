#include "tasks/bodies/restore_body.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "adapters/excel/excel_automation.h"
#include "adapters/excel/excel_workbook.h"
#include "app/output_lines.h"
#include "browser/fill_tree.h"
#include "connect/statement_runners.h"
#include "tasks/bodies/backup_script_reading.h"
#include "tasks/bodies/backup_scripts.h"
#include "tasks/bodies/object_list.h"
#include "tasks/bodies/task_summary.h"

namespace tabvex::tasks {

namespace fs = std::filesystem;

namespace {

using app::WriteOutputLine;

constexpr int kProgressEvery = 1000;

// One table of the backup: its Create Table script and the statements of its data
// script (none when the backup has no data script for it).
struct BackedUpTable {
    std::string fileStem;  // the table's name as a file name, shared by both scripts
    std::string createScript;
    std::vector<std::string> inserts;
};

std::optional<std::string> ReadWholeFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The backup's tables in the order of their file names, so every restore goes alike.
std::vector<BackedUpTable> ReadBackup(const fs::path& folder) {
    std::vector<fs::path> scripts;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder / "TABLES", error))
        if (entry.path().extension() == ".tbl") scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    std::vector<BackedUpTable> tables;
    for (const fs::path& script : scripts) {
        BackedUpTable table{script.stem().string(), ReadWholeFile(script).value_or(""), {}};
        if (const auto data = ReadWholeFile(folder / "DATA" / (table.fileStem + ".data")))
            table.inserts = DataScriptStatements(*data);
        tables.push_back(std::move(table));
    }
    return tables;
}

// The workbook the task names, made when missing, as the target side's current one.
bool OpenTargetWorkbook(TaskContext& context) {
    const std::string& workbook = context.names().targetDatabase;
    std::error_code error;
    const bool exists = fs::exists(adapters::WorkbookFileOf(context.sides.target().settings(), workbook), error);
    if (!exists && !adapters::CreateExcelWorkbook(context.output, context.sides, workbook, true)) {
        WriteOutputLine(context.output, "E::Create Target Database[%s] Error!", workbook.c_str());
        return false;
    }
    adapters::SelectExcelWorkbook(context.sides, browser::kTargetSide, workbook);
    return context.sides.target().holder().HasSession();
}

// A sheet of the table's name gives way when the task replaces sheets, through a
// replacement that keeps it in the file until the table is restored whole; otherwise
// it stays and the table fails. False when the table cannot go on.
bool MakeRoomFor(TaskContext& context, const std::string& table, const std::vector<std::string>& sheets,
                 std::optional<adapters::SheetReplacement>& replacement) {
    if (!HoldsSheet(sheets, table)) return true;
    if (!context.names().replaceSheets) {
        WriteOutputLine(context.output, "E::[%s] The workbook has a sheet of that name already; it is kept", table.c_str());
        return false;
    }
    WriteOutputLine(context.output, "TABLE: [%s] replaces the workbook's sheet of that name", table.c_str());
    replacement.emplace(context.output, context.sides, table);
    return replacement->oldSheetDeleted();
}

// A replaced sheet goes for good only when its table was restored whole. False when
// the table's rows did not stay in the workbook.
bool EndReplacement(TaskContext& context, const std::string& table,
                    std::optional<adapters::SheetReplacement>& replacement, bool whole) {
    if (!replacement) return true;
    if (whole && replacement->Keep()) return true;
    replacement->Abandon();
    WriteOutputLine(context.output, "E::[%s] not replaced: the workbook keeps the sheet it had", table.c_str());
    return false;
}

// Runs the table's INSERTs; the rows that ran.
std::int64_t InsertRows(TaskContext& context, const std::string& table, const std::vector<std::string>& inserts) {
    connect::ConnectionHolder& target = context.sides.target().holder();
    const std::int64_t rowsBefore = context.rows()->copied.load();
    std::int64_t inserted = 0;
    for (std::size_t i = 0; i < inserts.size() && !context.gate.stopRequested(); ++i) {
        if (connect::ExecuteStatement(context.output, target, inserts[i], false)) ++inserted;
        context.rows()->copied.store(rowsBefore + inserted, std::memory_order_relaxed);
        if ((i + 1) % kProgressEvery == 0)
            app::WriteOutputLineOf(context.output, app::LineKind::RowCount, "[%s] %zu records restored!", table.c_str(), i + 1);
    }
    return inserted;
}

void RestoreTable(TaskContext& context, const BackedUpTable& backedUp, const std::vector<std::string>& sheets,
                  TaskSummary& summary) {
    const std::string table = CreatedTableName(backedUp.createScript);
    if (table.empty()) {
        WriteOutputLine(context.output, "E::[%s] TABLES/%s.tbl holds no Create Table script", backedUp.fileStem.c_str(),
                        backedUp.fileStem.c_str());
        summary.Failed(backedUp.fileStem, 0);
        return;
    }
    WriteOutputLine(context.output, "TABLE: [%s] Restoring..... ", table.c_str());
    context.rows()->SetTable(table);
    std::optional<adapters::SheetReplacement> replacement;
    if (!MakeRoomFor(context, table, sheets, replacement) ||
        !connect::ExecuteStatement(context.output, context.sides.target().holder(), backedUp.createScript, true)) {
        EndReplacement(context, table, replacement, false);
        summary.Failed(table, 0);
        return;
    }
    const std::int64_t inserted = InsertRows(context, table, backedUp.inserts);
    const auto expected = static_cast<std::int64_t>(backedUp.inserts.size());
    const bool kept = EndReplacement(context, table, replacement, inserted == expected);
    if (kept && inserted == expected) {
        WriteOutputLine(context.output, "[%s] %lld records restored SUCCESSFULLY!", table.c_str(), static_cast<long long>(inserted));
        summary.Arrived(table, inserted);
        return;
    }
    WriteOutputLine(context.output, "E::[%s] %lld of %lld rows restored%s", table.c_str(), static_cast<long long>(inserted),
                    static_cast<long long>(expected), context.gate.stopRequested() ? ": stopped" : "");
    summary.Failed(table, kept ? inserted : 0);
}

std::int64_t RowsOf(const std::vector<BackedUpTable>& tables) {
    std::int64_t rows = 0;
    for (const auto& table : tables) rows += static_cast<std::int64_t>(table.inserts.size());
    return rows;
}

}  // namespace

bool RestoreBody(TaskContext& context) {
    const TaskNames& names = context.names();
    WriteOutputLine(context.output, "Restore [%s] into [%s]", names.folder.string().c_str(), names.targetDatabase.c_str());
    TaskSummary summary("restored");
    if (!OpenTargetWorkbook(context)) {
        summary.Write(context);
        return false;
    }
    const std::vector<BackedUpTable> tables = ReadBackup(names.folder);
    context.rows()->expected = RowsOf(tables);
    const std::vector<std::string> sheets = WorkbookSheetNames(context.output, context.sides.target().holder());
    for (const BackedUpTable& table : tables) {
        // A worksheet reached by its own name ("T$") comes back with the table T.
        if (table.createScript == kUserDefinedNameScript) continue;
        if (context.gate.stopRequested()) summary.LeftOut(CreatedTableName(table.createScript));
        else RestoreTable(context, table, sheets, summary);
    }
    context.SetProgress(50);
    if (!adapters::SetExcelTableHead(context.output, context.sides, names.targetDatabase)) summary.ArrivedTablesLost();
    browser::FillTree(context.output, context.sides.conditionFile(), context.sides.target().tree());
    context.SetProgress(100);
    summary.Write(context);
    return summary.whole() && !context.gate.stopRequested();
}

}  // namespace tabvex::tasks
