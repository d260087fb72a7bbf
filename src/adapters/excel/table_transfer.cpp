#include "adapters/excel/table_transfer.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "adapters/excel/cell_text.h"
#include "adapters/excel/option_hints.h"
#include "adapters/excel/source_query.h"
#include "adapters/excel/statement_text.h"
#include "adapters/excel/trace_file.h"
#include "adapters/excel/worksheet_capacity.h"
#include "app/output_lines.h"
#include "com/error_record_text.h"
#include "com/system_error_text.h"
#include "com/text_column_binding.h"
#include "platform/oledb/text_rows.h"
#include "platform/oledb/interface_ids.h"
#include "platform/xls/limits.h"
#include "connect/statement_runners.h"

namespace tabvex::adapters {

using namespace tabvex::oledb;

namespace {

constexpr const char* kNoSource = "No Source Connection!";
constexpr const char* kNoTarget = "No Target Connection!";
constexpr const char* kTransferred = "true";

TransferResult Ended(std::string text) {
    TransferResult result;
    result.text = std::move(text);
    return result;
}

// One table's copy, row by row: reads the source rowset, builds and runs each INSERT
// in one reused buffer, traces it, and counts what arrived and what did not.
class TableCopy {
public:
    TableCopy(app::Output& output, const app::TaskGate& gate, Session& target, const std::string& table,
              const std::string& sheet, Rowset& rowset, oledb::TextRowReader& reader, TraceFile& trace,
              RowProgress* rows, ContinuationSheets* continuation, const TransferHooks& hooks)
        : output_(output),
          gate_(gate),
          target_(target),
          table_(table),
          rowset_(rowset),
          reader_(reader),
          trace_(trace),
          rows_(rows),
          hooks_(hooks),
          rowsBefore_(rows ? rows->copied.load() : 0),
          continuation_(continuation),
          insertHead_(InsertHead(sheet)) {}

    // Copies until the rows end, the worksheet is full (and does not continue) or a
    // stop is requested, then notes what went missing.
    void Run(TransferResult& result) {
        HRESULT fetched;
        while ((fetched = reader_.Next()) == S_OK) {
            if (rowsOnSheet_ == kWorksheetDataRows && !ContinueOnNextSheet()) {
                rowsPastLimit_ = 1 + CountRemainingRows();
                break;
            }
            CopyRow(result);
            if (rowNumber_ % 1000 == 0) {
                app::WriteOutputLineOf(output_, app::LineKind::RowCount, "[%s] %lld records converted!", table_.c_str(),
                                       rowNumber_);
            }
            if (gate_.stopRequested()) {
                app::WriteOutputLine(output_, "Data Converting Terminaled!");
                result.stopped = reader_.Next() == S_OK;
                break;
            }
        }
        if (Failed(fetched)) result.text = com::ErrorRecordText(&rowset_, IID_IRowset);
        NoteLosses(result);
    }

private:
    static std::string InsertHead(const std::string& sheet) {
        return "insert into " + StatementTableName(sheet) + " values (";
    }

    // Rows go on to a new sheet when long tables continue; false when they do not.
    bool ContinueOnNextSheet() {
        const std::optional<std::string> next = continuation_ ? continuation_->Open() : std::nullopt;
        if (!next) return false;
        insertHead_ = InsertHead(*next);
        rowsOnSheet_ = 0;
        if (hooks_.sentCells) hooks_.sentCells->ContinueOnSheet(*next);
        return true;
    }

    void CopyRow(TransferResult& result) {
        ++rowNumber_;
        rowLosesValue_ = false;
        BuildInsert();
        trace_.Append(statement_);
        std::shared_ptr<Command> command;
        if (Failed(RunInsert(command))) {
            if (failedInserts_++ == 0) result.firstError = com::ErrorRecordText(command.get(), IID_ICommandPrepare);
            if (hooks_.sentCells) hooks_.sentCells->DropRow();
        } else {
            if (hooks_.sentCells) hooks_.sentCells->KeepRow();
            ++result.rowsCopied;
            if (rowLosesValue_) ++rowsNotWhole_;
            ++rowsOnSheet_;
            if (rows_) rows_->copied.store(rowsBefore_ + result.rowsCopied, std::memory_order_relaxed);
        }
    }

    // Every row's INSERT runs on one command, made whole for the first row (a command
    // that could not be made is tried again for the next). `command` is the one that
    // tells why a failure happened.
    HRESULT RunInsert(std::shared_ptr<Command>& command) {
        if (!insert_) {
            const HRESULT made = connect::CreateStatementCommand(target_, command);
            if (Failed(made)) return made;
            insert_ = command;
        }
        command = insert_;
        std::shared_ptr<Rowset> rows;
        return connect::RunCommandText(*insert_, DBGUID_DBSQL, statement_, rows);
    }

    void BuildInsert() {
        statement_.assign(insertHead_);
        for (std::size_t i = 0; i < reader_.size(); ++i) {
            if (i > 0) statement_ += ',';
            const std::string_view cell = CellValue(i);
            AppendTextLiteral(statement_, cell);
            if (hooks_.sentCells) hooks_.sentCells->AddCell(cell);
        }
        statement_ += ");\n";
    }

    // The i-th value as a cell takes it; a value past the cell's limit is reported,
    // or saved as a file when it is binary and files are wanted.
    std::string_view CellValue(std::size_t i) {
        const CellText cell = CellTextOf(reader_, i);
        if (cell.cut && hooks_.binaryFiles && IsBinaryColumn(i)) return SavedAsFile(i);
        if (cell.cut) {
            ++valuesCut_;
            if (IsBinaryColumn(i)) ++binaryValuesCut_;
            rowLosesValue_ = true;
            app::WriteOutputLine(output_, "E::[%s] row %lld, column [%s]: value longer than %zu characters, cut!",
                                 table_.c_str(), rowNumber_, ColumnName(i).c_str(), xls::kMaxCellText);
        }
        return cell.text;
    }

    // The file's name for a long binary value, or empty text (the table then fails)
    // when the file cannot be written or the value cannot be read whole.
    std::string_view SavedAsFile(std::size_t i) {
        try {
            const std::optional<std::string> whole = reader_.WholeValue(i);
            if (!whole) throw std::runtime_error("the value cannot be read whole");
            savedFileName_ = hooks_.binaryFiles->Save(ColumnName(i), rowNumber_, *whole);
            return savedFileName_;
        } catch (const std::runtime_error& error) {
            ++filesNotWritten_;
            rowLosesValue_ = true;
            app::WriteOutputLine(output_, "E::[%s] row %lld, column [%s]: the value was not saved as a file: %s",
                                 table_.c_str(), rowNumber_, ColumnName(i).c_str(), error.what());
            return {};
        }
    }

    // Columns are looked up only for the rare value that needs more than its text.
    std::string ColumnName(std::size_t i) {
        if (columns_.empty()) oledb::TextRowReader::DataColumns(rowset_, columns_);
        return i < columns_.size() ? columns_[i].name : std::to_string(i + 1);
    }
    bool IsBinaryColumn(std::size_t i) {
        if (columns_.empty()) oledb::TextRowReader::DataColumns(rowset_, columns_);
        return i < columns_.size() && columns_[i].type == DBTYPE_BYTES;
    }

    // Rows past the worksheet's end are counted, never tried.
    std::int64_t CountRemainingRows() {
        std::int64_t remaining = 0;
        while (reader_.Next() == S_OK) ++remaining;
        return remaining;
    }

    void NoteLosses(TransferResult& result) {
        result.rowsNotCopied = failedInserts_ + rowsPastLimit_;
        result.valuesCut = valuesCut_;
        result.binaryValuesCut = binaryValuesCut_;
        result.rowsNotWhole = rowsNotWhole_;
        result.filesNotWritten = filesNotWritten_;
        if (failedInserts_ > 0) {
            app::WriteOutputLine(output_, "E::[%s] %lld rows not copied: %s", table_.c_str(), failedInserts_,
                                 result.firstError.c_str());
        }
        if (rowsPastLimit_ > 0) {
            app::WriteOutputLine(output_, "E::[%s] The worksheet is full: %lld rows copied, %lld rows not copied!",
                                 table_.c_str(), static_cast<long long>(result.rowsCopied), rowsPastLimit_);
            if (result.firstError.empty()) result.firstError = std::string("the worksheet is full; ") + kSplitLongTablesHint;
        }
        // Every row was read when nothing stopped the reading early.
        if (!result.stopped && result.text == kTransferred) result.rowsExpected = rowNumber_ + rowsPastLimit_;
    }

    app::Output& output_;
    const app::TaskGate& gate_;
    Session& target_;
    const std::string& table_;
    Rowset& rowset_;
    oledb::TextRowReader& reader_;
    TraceFile& trace_;
    RowProgress* rows_;
    const TransferHooks& hooks_;
    const std::int64_t rowsBefore_;  // rows the task copied from its earlier tables
    ContinuationSheets* continuation_;
    std::string insertHead_;         // the INSERT's start, naming the sheet rows go to
    std::int64_t rowsOnSheet_ = 0;
    std::string statement_;
    std::shared_ptr<Command> insert_;
    std::vector<DBCOLUMNINFO> columns_;
    std::string savedFileName_;
    long long rowNumber_ = 0;
    long long failedInserts_ = 0;
    long long rowsPastLimit_ = 0;
    long long valuesCut_ = 0;
    long long binaryValuesCut_ = 0;
    long long filesNotWritten_ = 0;
    long long rowsNotWhole_ = 0;
    bool rowLosesValue_ = false;  // the row being copied has a value cut or not saved as a file
};

// The rows are in the workbook only once it is saved: a table whose save fails (a
// read-only folder, a full disk) has copied none of them, whatever its INSERTs said.
void SaveCopiedRows(Session& target, RowProgress* rows, TransferResult& result) {
    if (!Failed(target.Commit())) return;
    result.text = com::ErrorRecordText(&target, IID_ITransactionLocal);
    if (rows) rows->copied.fetch_sub(result.rowsCopied, std::memory_order_relaxed);
    result.rowsNotCopied += result.rowsCopied;
    result.rowsCopied = 0;
    result.rowsNotWhole = 0;
}

TransferResult TransferRows(app::Output& output, const app::TaskGate& gate, Session& source, Session& target,
                            const std::filesystem::path& conditionFile, const std::string& database,
                            const std::string& table, const std::string& sheet,
                            const std::filesystem::path& traceFile, RowProgress* rows,
                            ContinuationSheets* continuation, const TransferHooks& hooks) {
    std::shared_ptr<Command> command;
    std::shared_ptr<Rowset> rowset;
    if (Failed(connect::RunStatementCommand(source, DBGUID_DEFAULT, SourceRowsQuery(conditionFile, database, table), command,
                                          rowset))) {
        return Ended(com::ErrorRecordText(command.get(), IID_ICommandPrepare));
    }
    if (!rowset) {
        app::WritePlainOutputLine(output, connect::kOperationCompleted);
        return Ended(connect::kOperationCompleted);
    }
    oledb::TextRowReader reader(kCellValueSlotCapacity);
    if (auto failure = com::BindAllColumns(reader, *rowset)) return Ended(*failure);
    if (rows) rows->SetTable(table);
    TraceFile trace(traceFile);
    if (!traceFile.empty() && !trace.isOpen()) return Ended("the trace file cannot be created: " + std::string(std::strerror(errno)));
    TransferResult result = Ended(kTransferred);
    TableCopy(output, gate, target, table, sheet, *rowset, reader, trace, rows, continuation, hooks).Run(result);
    SaveCopiedRows(target, rows, result);
    return result;
}

// Why the rows that did not arrive are missing, the most telling reason first.
std::string LossReason(const TransferResult& result) {
    if (result.text != kTransferred) return result.text;
    if (result.stopped) return "stopped before the last row";
    if (!result.firstError.empty()) return result.firstError;
    if (result.filesNotWritten > 0)
        return result.filesNotWritten == 1 ? "1 long binary value was not saved as a file"
                                           : std::to_string(result.filesNotWritten) +
                                                 " long binary values were not saved as files";
    const bool one = result.valuesCut == 1;
    std::string reason = std::to_string(result.valuesCut) + (one ? " value" : " values") + " longer than " +
                         std::to_string(xls::kMaxCellText) + " characters " + (one ? "was" : "were") + " cut";
    if (result.binaryValuesCut > 0) reason += std::string("; ") + kBinaryFilesHint;
    return reason;
}

// The table's closing line: success only when every row arrived whole.
void ReportEnd(app::Output& output, const std::string& table, const TransferResult& result) {
    const auto copied = static_cast<long long>(result.rowsCopied);
    const auto whole = static_cast<long long>(result.rowsCopied - result.rowsNotWhole);
    if (!result.failed()) {
        app::WriteOutputLine(output, "[%s] %lld records converted, convertion completed SUCCESSFULLY!", table.c_str(),
                             copied);
    } else if (result.rowsExpected) {
        app::WriteOutputLine(output, "E::[%s] %lld of %lld rows copied whole: %s", table.c_str(), whole,
                             static_cast<long long>(*result.rowsExpected), LossReason(result).c_str());
    } else {
        app::WriteOutputLine(output, "E::[%s] %lld rows copied, not the whole table: %s", table.c_str(), copied,
                             LossReason(result).c_str());
    }
}

}  // namespace

TransferResult TransferTableRows(app::Output& output, const app::TaskGate& gate, browser::Sides& sides,
                                 const std::string& database, const std::string& table, const std::string& sheet,
                                 const std::filesystem::path& traceFile, RowProgress* rows,
                                 ContinuationSheets* continuation, const TransferHooks& hooks) {
    connect::ConnectionHolder& source = sides.source().holder();
    connect::ConnectionHolder& target = sides.target().holder();
    TransferResult result;
    for (auto [holder, label] : {std::pair{&source, kNoSource}, {&target, kNoTarget}}) {
        if (!holder->HasSession()) {
            app::WritePlainOutputLine(output, com::SystemErrorText(label));
            result = Ended(label);
            break;
        }
    }
    if (result.text.empty()) {
        try {
            result = TransferRows(output, gate, *source.session, *target.session, sides.conditionFile(), database,
                                  table, sheet, traceFile, rows, continuation, hooks);
        } catch (const std::exception& error) {
            // A provider that throws mid-table has lost the table's remaining rows.
            result = Ended(error.what());
        }
    }
    ReportEnd(output, table, result);
    return result;
}

}  // namespace tabvex::adapters
