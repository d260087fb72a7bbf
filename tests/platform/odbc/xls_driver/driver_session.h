// The driver as an application meets it: through unixODBC's driver manager in this
// process, connecting by the driver's path so that no ini file is read.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tabvex::test {

std::string DriverPath();

// Sets up unixODBC's files in `folder` as a person would: odbcinst.ini registering the
// driver under its English and Portuguese names, odbc.ini with the data source `dsn`
// over `catalog`, and an empty user odbc.ini.
void RegisterDataSource(const std::filesystem::path& folder, const std::string& dsn, const std::string& catalog,
                        bool readOnly);
// Makes the calling process (a test's child) read unixODBC's files from `folder`.
void UseOdbcFilesIn(const std::filesystem::path& folder);

struct DiagRecord {
    std::string state;
    SQLINTEGER native = 0;
    std::string message;
};

// The first diagnostic record of a handle.
DiagRecord FirstDiagnostic(SQLSMALLINT type, SQLHANDLE handle);

using Row = std::vector<std::optional<std::string>>;

class DriverSession {
public:
    // An environment of the given ODBC version (SQL_OV_ODBC3 or SQL_OV_ODBC2).
    explicit DriverSession(SQLINTEGER odbcVersion = SQL_OV_ODBC3);
    ~DriverSession();
    DriverSession(const DriverSession&) = delete;
    DriverSession& operator=(const DriverSession&) = delete;

    // "DRIVER=<path>;" followed by `rest`; the return code of SQLDriverConnect.
    SQLRETURN Connect(const std::string& rest);
    SQLRETURN ConnectWith(const std::string& connectionString);
    // Frees the statement, then disconnects (the driver saves the workbook here).
    SQLRETURN Disconnect();
    const std::string& completed() const { return completed_; }

    // A fresh statement handle (the previous one is freed).
    SQLHSTMT NewStatement();
    SQLRETURN Execute(const std::string& sql);
    // Every row of the statement's result, each column read by SQLGetData as text.
    std::vector<Row> FetchAll();
    // Column names of the statement's result.
    std::vector<std::string> ColumnNames();

    DiagRecord ConnectionDiagnostic() const { return FirstDiagnostic(SQL_HANDLE_DBC, dbc_); }
    DiagRecord StatementDiagnostic() const { return FirstDiagnostic(SQL_HANDLE_STMT, stmt_); }

    SQLHDBC dbc() const { return dbc_; }
    SQLHSTMT stmt() const { return stmt_; }

private:
    SQLHENV env_ = SQL_NULL_HENV;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    SQLHSTMT stmt_ = SQL_NULL_HSTMT;
    bool connected_ = false;
    std::string completed_;
};

}  // namespace tabvex::test
