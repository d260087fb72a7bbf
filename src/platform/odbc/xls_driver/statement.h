// A statement handle: SQL text run by the Jet provider's command over the
// connection's workbook, or a catalog function's rows; a forward-only cursor over
// the result with bound columns and SQLGetData in pieces.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/odbc/xls_driver/c_data.h"
#include "platform/odbc/xls_driver/connection.h"
#include "platform/odbc/xls_driver/diagnostics.h"
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

    SQLRETURN Fetch();
    SQLRETURN GetData(SQLUSMALLINT column, const CTarget& target);
    SQLRETURN BindColumn(SQLUSMALLINT column, const CTarget& target);
    void Unbind() { bindings_.clear(); }
    void CloseCursor();
    bool HasCursor() const { return result_ != nullptr; }

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
    SQLRETURN Run(const std::string& text);
    bool RefusedAsReadOnly(const std::string& text);
    SQLRETURN WriteBoundColumns();

    Connection& connection_;
    std::optional<std::string> prepared_;
    std::unique_ptr<ResultSet> result_;
    bool onRow_ = false;
    SQLLEN rowCount_ = -1;
    std::map<SQLUSMALLINT, CTarget> bindings_;
    SQLUSMALLINT pieceColumn_ = 0;  // the column SQLGetData read last on this row
    std::size_t pieceOffset_ = 0;
};

}  // namespace tabvex::odbc::xls
