#include "adapters/excel/table_transfer.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "adapters/excel/statement_text.h"
#include "adapters/excel/trace_file.h"
#include "app/output_lines.h"
#include "browser/condition_file.h"
#include "com/error_record_text.h"
#include "com/system_error_text.h"
#include "com/text_rows.h"
#include "platform/oledb/interface_ids.h"
#include "platform/text/utf8.h"
#include "platform/xls/limits.h"
#include "tasks/statement_runners.h"

namespace tabvex::adapters {

using namespace tabvex::oledb;

namespace {

constexpr const char* kNoSource = "No Source Connection!";
constexpr const char* kNoTarget = "No Target Connection!";
constexpr const char* kTransferred = "true";

// The rows a worksheet holds under its header row.
constexpr std::int64_t kWorksheetDataRows = xls::kMaxRows - 1;
// A slot takes a cell's longest text whole: at most three UTF-8 bytes per UTF-16
// unit, and the terminating zero. A longer value still arrives past the cell's limit.
constexpr std::size_t kSlotCapacity = xls::kMaxCellText * 3 + 1;

TransferResult Ended(std::string text) {
    TransferResult result;
    result.text = std::move(text);
    return result;
}

std::string SourceQuery(const app::Migrator& migrator, const std::string& database, const std::string& table) {
    std::string query = "select * from " + StatementTableName(table);
    const std::string condition = browser::TableCondition(migrator, database, table);
    if (!condition.empty()) query += " where " + condition;
    return query;
}

// The longest start of the value that a cell holds, never cut inside a character.
std::string_view CutToCellLimit(std::string_view value) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < value.size();) {
        const std::size_t start = pos;
        const std::optional<char32_t> character = text::DecodeUtf8(value, pos);
        units += character && *character >= 0x10000 ? 2 : 1;
        if (units > xls::kMaxCellText) return value.substr(0, start);
    }
    return value;
}

// One table's copy, row by row: reads the source rowset, builds and runs each INSERT
// in one reused buffer, traces it, and counts what arrived and what did not.
class TableCopy {
public:
    TableCopy(app::Migrator& migrator, Session& target, const std::string& table, const std::string& sheet,
              Rowset& rowset, com::TextRowReader& reader, TraceFile& trace, tasks::RowProgress* rows)
        : migrator_(migrator),
          target_(target),
          table_(table),
          rowset_(rowset),
          reader_(reader),
          trace_(trace),
          rows_(rows),
          rowsBefore_(rows ? rows->copied.load() : 0),
          insertHead_("insert into " + StatementTableName(sheet) + " values (") {}

    // Copies until the rows end, the worksheet is full or a stop is requested, then
    // notes what went missing.
    void Run(TransferResult& result) {
        HRESULT fetched;
        while ((fetched = reader_.Next()) == S_OK) {
            if (result.rowsCopied == kWorksheetDataRows) {
                rowsPastLimit_ = 1 + CountRemainingRows();
                break;
            }
            CopyRow(result);
            if (rowNumber_ % 1000 == 0) {
                app::WriteOutputLine(migrator_, "[%s] %lld records converted!", table_.c_str(), rowNumber_);
            }
            if (migrator_.stopping()) {
                app::WriteOutputLine(migrator_, "Data Converting Terminaled!");
                result.stopped = reader_.Next() == S_OK;
                break;
            }
        }
        if (Failed(fetched)) result.text = com::ErrorRecordText(&rowset_, IID_IRowset);
        NoteLosses(result);
    }

private:
    void CopyRow(TransferResult& result) {
        ++rowNumber_;
        BuildInsert();
        trace_.Append(statement_);
        std::shared_ptr<Command> command;
        std::shared_ptr<Rowset> rows;
        if (Failed(tasks::RunStatementCommand(target_, DBGUID_DBSQL, statement_, command, rows))) {
            if (failedInserts_++ == 0) result.firstError = com::ErrorRecordText(command.get(), IID_ICommandPrepare);
        } else {
            ++result.rowsCopied;
            if (rows_) rows_->copied.store(rowsBefore_ + result.rowsCopied, std::memory_order_relaxed);
        }
    }

    void BuildInsert() {
        statement_.assign(insertHead_);
        for (std::size_t i = 0; i < reader_.size(); ++i) {
            if (i > 0) statement_ += ',';
            AppendTextLiteral(statement_, CellValue(i));
        }
        statement_ += ");\n";
    }

    // The i-th value as a cell takes it: NULL as empty text, a value past the cell's
    // limit cut there and reported.
    std::string_view CellValue(std::size_t i) {
        const std::string_view value = reader_.value(i).value_or(std::string_view());
        if (value.size() <= xls::kMaxCellText && !reader_.truncated(i)) return value;
        const std::string_view cut = CutToCellLimit(value);
        if (cut.size() < value.size() || reader_.truncated(i)) {
            ++valuesCut_;
            app::WriteOutputLine(migrator_, "E::[%s] row %lld, column [%s]: value longer than %zu characters, cut!",
                                 table_.c_str(), rowNumber_, ColumnName(i).c_str(), xls::kMaxCellText);
        }
        return cut;
    }

    // Column names are looked up only for the rare value that needs reporting.
    std::string ColumnName(std::size_t i) {
        if (columns_.empty()) com::TextRowReader::DataColumns(rowset_, columns_);
        return i < columns_.size() ? columns_[i].name : std::to_string(i + 1);
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
        if (failedInserts_ > 0) {
            app::WriteOutputLine(migrator_, "E::[%s] %lld rows not copied: %s", table_.c_str(), failedInserts_,
                                 result.firstError.c_str());
        }
        if (rowsPastLimit_ > 0) {
            app::WriteOutputLine(migrator_, "E::[%s] The worksheet is full: %lld rows copied, %lld rows not copied!",
                                 table_.c_str(), static_cast<long long>(result.rowsCopied), rowsPastLimit_);
            if (result.firstError.empty()) result.firstError = "the worksheet is full";
        }
        // Every row was read when nothing stopped the reading early.
        if (!result.stopped && result.text == kTransferred) result.rowsExpected = rowNumber_ + rowsPastLimit_;
    }

    app::Migrator& migrator_;
    Session& target_;
    const std::string& table_;
    Rowset& rowset_;
    com::TextRowReader& reader_;
    TraceFile& trace_;
    tasks::RowProgress* rows_;
    const std::int64_t rowsBefore_;  // rows the task copied from its earlier tables
    const std::string insertHead_;
    std::string statement_;
    std::vector<DBCOLUMNINFO> columns_;
    long long rowNumber_ = 0;
    long long failedInserts_ = 0;
    long long rowsPastLimit_ = 0;
    long long valuesCut_ = 0;
};

TransferResult TransferRows(app::Migrator& migrator, Session& source, Session& target, const std::string& database,
                            const std::string& table, const std::string& sheet,
                            const std::filesystem::path& traceFile, tasks::RowProgress* rows) {
    std::shared_ptr<Command> command;
    std::shared_ptr<Rowset> rowset;
    if (Failed(tasks::RunStatementCommand(source, DBGUID_DEFAULT, SourceQuery(migrator, database, table), command,
                                          rowset))) {
        return Ended(com::ErrorRecordText(command.get(), IID_ICommandPrepare));
    }
    if (!rowset) {
        app::WritePlainOutputLine(migrator, tasks::kOperationCompleted);
        return Ended(tasks::kOperationCompleted);
    }
    com::TextRowReader reader(kSlotCapacity);
    if (auto failure = reader.BindAllColumns(*rowset)) return Ended(*failure);
    TraceFile trace(traceFile);
    if (!trace.isOpen()) return Ended("the trace file cannot be created: " + std::string(std::strerror(errno)));
    TransferResult result = Ended(kTransferred);
    TableCopy(migrator, target, table, sheet, *rowset, reader, trace, rows).Run(result);
    return result;
}

// Why the rows that did not arrive are missing, the most telling reason first.
std::string LossReason(const TransferResult& result) {
    if (result.text != kTransferred) return result.text;
    if (result.stopped) return "stopped before the last row";
    if (!result.firstError.empty()) return result.firstError;
    return std::to_string(result.valuesCut) + " values longer than " + std::to_string(xls::kMaxCellText) +
           " characters were cut";
}

// The table's closing line: success only when every row arrived whole.
void ReportEnd(app::Migrator& migrator, const std::string& table, const TransferResult& result) {
    const auto copied = static_cast<long long>(result.rowsCopied);
    if (!result.failed()) {
        app::WriteOutputLine(migrator, "[%s] %lld records converted, convertion completed SUCCESSFULLY!", table.c_str(),
                             copied);
    } else if (result.rowsExpected) {
        app::WriteOutputLine(migrator, "E::[%s] %lld of %lld rows copied whole: %s", table.c_str(), copied,
                             static_cast<long long>(*result.rowsExpected), LossReason(result).c_str());
    } else {
        app::WriteOutputLine(migrator, "E::[%s] %lld rows copied, not the whole table: %s", table.c_str(), copied,
                             LossReason(result).c_str());
    }
}

}  // namespace

TransferResult TransferTableRows(app::Migrator& migrator, connect::ConnectionHolder& source,
                                 connect::ConnectionHolder& target, const std::string& database,
                                 const std::string& table, const std::string& sheet,
                                 const std::filesystem::path& traceFile, tasks::RowProgress* rows) {
    TransferResult result;
    for (auto [holder, label] : {std::pair{&source, kNoSource}, {&target, kNoTarget}}) {
        if (!holder->HasSession()) {
            app::WritePlainOutputLine(migrator, com::SystemErrorText(label));
            result = Ended(label);
            break;
        }
    }
    if (result.text.empty()) {
        try {
            result = TransferRows(migrator, *source.session, *target.session, database, table, sheet, traceFile, rows);
        } catch (const std::exception& error) {
            // A provider that throws mid-table has lost the table's remaining rows.
            result = Ended(error.what());
        }
    }
    ReportEnd(migrator, table, result);
    return result;
}

}  // namespace tabvex::adapters
