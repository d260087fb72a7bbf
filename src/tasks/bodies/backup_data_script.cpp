#include "tasks/bodies/backup_data_script.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "adapters/excel/statement_text.h"
#include "app/output_lines.h"
#include "com/error_record_text.h"
#include "com/provider_error_text.h"
#include "com/system_error_text.h"
#include "platform/oledb/text_rows.h"
#include "platform/oledb/interface_ids.h"
#include "tasks/bodies/backup_scripts.h"
#include "connect/statement_runners.h"

namespace tabvex::tasks {

namespace {

using app::WriteOutputLine;
using namespace tabvex::oledb;

// A cell holds at most 32,767 UTF-16 units, none longer than 3 bytes of UTF-8, so
// a slot this size carries every workbook value whole.
constexpr std::size_t kWholeCellCapacity = 32767 * 3 + 1;
constexpr int kProgressEvery = 1000;

// The table's rows with every column bound as text; nullptr after an error line.
struct BoundRows {
    std::shared_ptr<Command> command;
    std::shared_ptr<Rowset> rowset;
    std::vector<DBCOLUMNINFO> columns;
    oledb::TextRowReader reader{kWholeCellCapacity};
};

bool QueryRows(app::Output& output, Session& session, const std::string& table, BoundRows& rows) {
    const std::string statement = "select * from " + adapters::StatementTableName(table);
    if (Failed(connect::RunStatementCommand(session, DBGUID_DBSQL, statement, rows.command, rows.rowset)) || !rows.rowset) {
        WriteOutputLine(output, "E::%s", com::ErrorRecordText(rows.command.get(), IID_ICommandPrepare).c_str());
        return false;
    }
    if (Failed(oledb::TextRowReader::DataColumns(*rows.rowset, rows.columns))) {
        WriteOutputLine(output, "E::%s", com::ErrorRecordText(rows.rowset.get(), IID_IColumnsInfo).c_str());
        return false;
    }
    const char* failedStep = "";
    if (const HRESULT result = rows.reader.Bind(*rows.rowset, rows.columns, failedStep); Failed(result)) {
        WriteOutputLine(output, "E::%s", com::ProviderErrorText(result, failedStep).c_str());
        return false;
    }
    return true;
}

std::string DataLine(const std::string& start, const BoundRows& rows) {
    std::string line = start;
    for (std::size_t i = 0; i < rows.columns.size(); ++i) {
        if (i > 0) line += ',';
        AppendScriptValue(line, rows.columns[i].type, rows.reader.value(i));
    }
    return line + ")\n";
}

// Writes every row; not whole after an error line when a fetch fails or a stop
// ends it before the last row.
DataScriptResult WriteRows(app::Output& output, const app::TaskGate& gate, const std::string& table, BoundRows& rows,
                           std::ofstream& file, adapters::RowProgress* progress) {
    const std::string start = DataLineStart(table);
    const std::int64_t rowsBefore = progress ? progress->copied.load() : 0;
    DataScriptResult written{true, 0};
    HRESULT result = S_OK;
    while ((result = rows.reader.Next()) == S_OK) {
        file << DataLine(start, rows);
        if (progress) progress->copied.store(rowsBefore + written.rows + 1, std::memory_order_relaxed);
        if (++written.rows % kProgressEvery == 0)
            app::WriteOutputLineOf(output, app::LineKind::RowCount, "[%s] %lld records backuped!", table.c_str(),
                                   static_cast<long long>(written.rows));
        if (gate.stopRequested()) {
            WriteOutputLine(output, "Data Backup Terminaled!");
            if (rows.reader.Next() == S_OK) {
                WriteOutputLine(output, "E::[%s] %lld rows backed up, not the whole table: stopped before the last row",
                                table.c_str(), static_cast<long long>(written.rows));
                written.whole = false;
            }
            break;
        }
    }
    WriteOutputLine(output, "[%s]%8lld records backuped!", table.c_str(), static_cast<long long>(written.rows));
    if (Failed(result)) {
        WriteOutputLine(output, "E::%s", com::ProviderErrorText(result, "Bind Entry").c_str());
        written.whole = false;
    }
    return written;
}

}  // namespace

DataScriptResult WriteDataScript(app::Output& output, const app::TaskGate& gate, connect::ConnectionHolder& target,
                                 const std::filesystem::path& file, const std::string& table,
                                 adapters::RowProgress* progress) {
    if (!target.HasSession()) {
        app::WritePlainOutputLine(output, com::SystemErrorText("No Connection!"));
        return {};
    }
    BoundRows rows;
    if (!QueryRows(output, *target.session, table, rows)) return {};
    std::ofstream script(file, std::ios::binary | std::ios::trunc);
    if (!script) {
        WriteOutputLine(output, "E::[%s] The data script cannot be created: %s", table.c_str(), std::strerror(errno));
        return {};
    }
    if (progress) progress->SetTable(table);
    DataScriptResult written = WriteRows(output, gate, table, rows, script, progress);
    script.close();
    if (script.fail()) {
        WriteOutputLine(output, "E::[%s] The data script could not be written completely!", table.c_str());
        written.whole = false;
    }
    return written;
}

}  // namespace tabvex::tasks
