#include "platform/odbc/xls_driver/statement.h"

#include <algorithm>
#include <variant>

#include "platform/jet/sql/parser.h"
#include "platform/jet/sql/sql_error.h"
#include "platform/odbc/xls_driver/parameter_markers.h"

namespace tabvex::odbc::xls {

using namespace tabvex::oledb;

namespace {

// Fixed-size C types give their value once; text and bytes come in pieces.
bool IsPiecewise(SQLSMALLINT cType, SQLSMALLINT sqlType) {
    if (cType == SQL_C_DEFAULT) cType = DefaultCType(sqlType);
    return cType == SQL_C_CHAR || cType == SQL_C_WCHAR || cType == SQL_C_BINARY;
}

SQLRETURN Worse(SQLRETURN a, SQLRETURN b) {
    if (a == SQL_ERROR || b == SQL_ERROR) return SQL_ERROR;
    if (a == SQL_SUCCESS_WITH_INFO || b == SQL_SUCCESS_WITH_INFO) return SQL_SUCCESS_WITH_INFO;
    return SQL_SUCCESS;
}

}  // namespace

SQLRETURN Statement::Prepare(std::string text) {
    CloseCursor();
    markers_ = FindParameterMarkers(text);
    prepared_ = std::move(text);
    return SQL_SUCCESS;
}

SQLRETURN Statement::Execute() {
    if (!prepared_) {
        diagnostics.Add("HY010", "No statement was prepared.");
        return SQL_ERROR;
    }
    return RunWithParameters(*prepared_);
}

SQLRETURN Statement::ExecDirect(std::string text) {
    prepared_.reset();
    markers_ = FindParameterMarkers(text);
    return RunWithParameters(text);
}

// Runs the text once, or once per parameter set with the set's values in place of
// the markers. The first set that fails stops the run; the sets before it stay done.
SQLRETURN Statement::RunWithParameters(const std::string& text) {
    CloseCursor();
    if (markers_.empty()) return Run(text);
    if (std::size_t unbound = parameters.FirstUnbound(markers_.size())) {
        diagnostics.Add("07002", "Parameter " + std::to_string(unbound) + " of " + std::to_string(markers_.size()) +
                                     " has no value bound (SQLBindParameter).");
        return SQL_ERROR;
    }
    parameters.ReportStart();
    SQLLEN affected = -1;
    for (SQLULEN set = 0; set < parameters.setSize; ++set) {
        SQLRETURN outcome = RunSet(text, set);
        parameters.ReportSet(set, outcome);
        if (outcome == SQL_ERROR) return StoppedAt(set);
        if (rowCount_ >= 0) affected = std::max<SQLLEN>(affected, 0) + rowCount_;
        if (result_) waiting_.push_back(std::move(result_));
    }
    if (!waiting_.empty()) MoreResults();
    rowCount_ = affected;
    return SQL_SUCCESS;
}

SQLRETURN Statement::StoppedAt(SQLULEN set) {
    CloseCursor();
    const SQLULEN sets = parameters.setSize;
    if (sets > 1) {
        const auto& records = diagnostics.records();
        diagnostics.Add(records.empty() ? "HY000" : records.back().state,
                        "Parameter set " + std::to_string(set + 1) + " of " + std::to_string(sets) +
                            " failed; the sets before it were carried out, the ones after it were not.");
    }
    return SQL_ERROR;
}

SQLRETURN Statement::RunSet(const std::string& text, SQLULEN set) {
    std::vector<std::string> literals;
    literals.reserve(markers_.size());
    for (std::size_t i = 0; i < markers_.size(); ++i) {
        auto number = static_cast<SQLUSMALLINT>(i + 1);
        auto literal = JetLiteralOf(parameters.ValueOf(number, set), number, diagnostics);
        if (!literal) return SQL_ERROR;
        literals.push_back(std::move(*literal));
    }
    return Run(SubstituteParameters(text, markers_, literals));
}

bool Statement::RefusedAsReadOnly(const std::string& text) {
    if (!connection_.readOnly()) return false;
    try {
        if (std::holds_alternative<jet::sql::SelectStatement>(jet::sql::ParseStatement(text))) return false;
    } catch (const jet::sql::SqlError&) {
        return false;  // the command reports what is wrong with the text
    }
    diagnostics.Add("HY000", "The workbook is open read-only (ReadOnly=1): CREATE TABLE and INSERT are refused. "
                             "Connect with ReadOnly=0 to change it.");
    return true;
}

SQLRETURN Statement::Run(const std::string& text) {
    std::shared_ptr<Session> session = connection_.RequireSession(diagnostics);
    if (!session || RefusedAsReadOnly(text)) return SQL_ERROR;
    std::shared_ptr<Command> command;
    HRESULT result = session->CreateCommand(command);
    if (Succeeded(result)) result = command->SetCommandText(DBGUID_DBSQL, text);
    std::shared_ptr<Rowset> rowset;
    std::int64_t affected = -1;
    if (Succeeded(result)) result = command->Execute(rowset, &affected);
    if (Failed(result)) {
        diagnostics.AddProviderFailure(result, "The statement failed.");
        return SQL_ERROR;
    }
    rowCount_ = static_cast<SQLLEN>(affected);
    if (!rowset) return SQL_SUCCESS;
    return Adopt(RowsetResultSet::Open(std::move(session), std::move(rowset), diagnostics));
}

SQLRETURN Statement::TakeResult(std::unique_ptr<ResultSet> result) {
    CloseCursor();
    return Adopt(std::move(result));
}

SQLRETURN Statement::Adopt(std::unique_ptr<ResultSet> result) {
    ResetCursor();
    if (!result) return SQL_ERROR;
    result_ = std::move(result);
    return SQL_SUCCESS;
}

SQLRETURN Statement::MoreResults() {
    if (waiting_.empty()) {
        CloseCursor();
        return SQL_NO_DATA;
    }
    std::unique_ptr<ResultSet> next = std::move(waiting_.front());
    waiting_.pop_front();
    return Adopt(std::move(next));
}

void Statement::CloseCursor() {
    waiting_.clear();
    ResetCursor();
}

void Statement::ResetCursor() {
    result_.reset();
    onRow_ = false;
    rowCount_ = -1;
    pieceColumn_ = 0;
    pieceOffset_ = 0;
}

SQLSMALLINT Statement::ColumnCount() const {
    return result_ ? static_cast<SQLSMALLINT>(result_->Columns().size()) : 0;
}

const ResultColumn* Statement::Column(SQLUSMALLINT column) {
    if (!result_ || column == 0 || column > result_->Columns().size()) {
        diagnostics.Add("07009", "Column " + std::to_string(column) + " does not exist; the result has " +
                                     std::to_string(ColumnCount()) + " columns.");
        return nullptr;
    }
    return &result_->Columns()[column - 1];
}

SQLRETURN Statement::Fetch() {
    if (!result_) {
        diagnostics.Add("24000", "There is no result to fetch from.");
        return SQL_ERROR;
    }
    pieceColumn_ = 0;
    pieceOffset_ = 0;
    if (rowsFetched) *rowsFetched = 0;
    FetchOutcome outcome = result_->Next(diagnostics);
    onRow_ = outcome == FetchOutcome::Row;
    if (outcome == FetchOutcome::End) return SQL_NO_DATA;
    if (outcome == FetchOutcome::Failed) return SQL_ERROR;
    if (rowsFetched) *rowsFetched = 1;
    SQLRETURN written = WriteBoundColumns();
    if (rowStatus) *rowStatus = written == SQL_SUCCESS ? SQL_ROW_SUCCESS : written == SQL_ERROR ? SQL_ROW_ERROR : SQL_ROW_SUCCESS_WITH_INFO;
    return written;
}

SQLRETURN Statement::WriteBoundColumns() {
    SQLRETURN outcome = SQL_SUCCESS;
    for (const auto& [column, target] : bindings_) {
        if (column > result_->Columns().size()) continue;
        std::size_t offset = 0;
        outcome = Worse(outcome, WriteCValue(result_->Columns()[column - 1], result_->Value(column - 1), target, offset,
                                             diagnostics));
    }
    return outcome;
}

SQLRETURN Statement::GetData(SQLUSMALLINT column, const CTarget& target) {
    if (!onRow_) {
        diagnostics.Add("24000", "No row is fetched.");
        return SQL_ERROR;
    }
    const ResultColumn* described = Column(column);
    if (!described) return SQL_ERROR;
    if (!IsSupportedCType(target.type)) {
        diagnostics.Add("HY003", "The C type " + std::to_string(target.type) + " is not supported.");
        return SQL_ERROR;
    }
    if (column != pieceColumn_) {
        pieceColumn_ = column;
        pieceOffset_ = 0;
    }
    const bool piecewise = IsPiecewise(target.type, described->sqlType);
    if (pieceOffset_ > 0 && !piecewise) return SQL_NO_DATA;
    std::size_t offset = pieceOffset_;
    SQLRETURN result = WriteCValue(*described, result_->Value(column - 1), target, offset, diagnostics);
    if (result != SQL_ERROR) pieceOffset_ = piecewise ? offset : 1;
    return result;
}

SQLRETURN Statement::BindColumn(SQLUSMALLINT column, const CTarget& target) {
    if (column == 0) {
        diagnostics.Add("07009", "Bookmark columns are not supported.");
        return SQL_ERROR;
    }
    if (!target.buffer) {
        bindings_.erase(column);
        return SQL_SUCCESS;
    }
    if (!IsSupportedCType(target.type)) {
        diagnostics.Add("HY003", "The C type " + std::to_string(target.type) + " is not supported.");
        return SQL_ERROR;
    }
    if (target.bufferLength < 0) {
        diagnostics.Add("HY090", "The buffer length is negative.");
        return SQL_ERROR;
    }
    bindings_[column] = target;
    return SQL_SUCCESS;
}

}  // namespace tabvex::odbc::xls
