// A statement handle: SQL text run by the Jet provider's command over the
// connection's workbook, or a catalog function's rows; a forward-only cursor over
// the result with bound columns and SQLGetData in pieces. Parameter markers take
// the bound values as literals, once per set of an array of values; each set that
// gives rows leaves a result for SQLMoreResults.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/odbc/xls_driver/c_data.h"
#include "platform/odbc/xls_driver/connection.h"
#include "platform/odbc/xls_driver/diagnostics.h"
#include "platform/odbc/xls_driver/parameter_bindings.h"
#include "platform/odbc/xls_driver/result_set.h"

namespace tabvex::odbc::xls {

class Statement {
public:
    explicit Statement(Connection& connection) : connection_(connection) {}

    SQLRETURN Prepare(std::string text);
    SQLRETURN Execute();
    SQLRETURN ExecDirect(std::string text);
    // Makes a catalog function's rows the statement's result (nullptr: it failed).
    SQLRETURN TakeResult(std::unique_ptr<ResultSet> result);
    // Moves to the next set's result: SQL_NO_DATA when there is none.
    SQLRETURN MoreResults();

    SQLRETURN Fetch();
    SQLRETURN GetData(SQLUSMALLINT column, const CTarget& target);
    SQLRETURN BindColumn(SQLUSMALLINT column, const CTarget& target);
    void Unbind() { bindings_.clear(); }
    // Closes the cursor and drops the results still waiting.
    void CloseCursor();
    bool HasCursor() const { return result_ != nullptr; }

    // The markers of the statement prepared or run last.
    std::size_t ParameterCount() const { return markers_.size(); }
    ParameterBindings parameters;

    SQLSMALLINT ColumnCount() const;
    // The column (from 1), or nullptr with 07009 when there is none.
    const ResultColumn* Column(SQLUSMALLINT column);
    SQLLEN RowCount() const { return rowCount_; }

    Connection& connection() const { return connection_; }
    // Where SQLFetch reports how many rows it fetched and their status, when set.
    SQLULEN* rowsFetched = nullptr;
    SQLUSMALLINT* rowStatus = nullptr;

    Diagnostics diagnostics;

private:
    SQLRETURN RunWithParameters(const std::string& text);
    SQLRETURN RunSet(const std::string& text, SQLULEN set);
    // Drops the sets' results and says which set failed.
    SQLRETURN StoppedAt(SQLULEN set);
    SQLRETURN Run(const std::string& text);
    SQLRETURN Adopt(std::unique_ptr<ResultSet> result);
    void ResetCursor();
    bool RefusedAsReadOnly(const std::string& text);
    SQLRETURN WriteBoundColumns();

    Connection& connection_;
    std::optional<std::string> prepared_;
    std::vector<std::size_t> markers_;
    std::unique_ptr<ResultSet> result_;
    std::deque<std::unique_ptr<ResultSet>> waiting_;  // the later sets' results
    bool onRow_ = false;
    SQLLEN rowCount_ = -1;
    std::map<SQLUSMALLINT, CTarget> bindings_;
    SQLUSMALLINT pieceColumn_ = 0;  // the column SQLGetData read last on this row
    std::size_t pieceOffset_ = 0;
};

}  // namespace tabvex::odbc::xls
