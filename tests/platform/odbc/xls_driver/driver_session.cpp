#include "driver_session.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/test_support.h"

namespace tabvex::test {

std::string DriverPath() { return TABVEX_XLS_ODBC_DRIVER; }

namespace {

constexpr const char* kDriverName = "Microsoft Excel Driver (*.xls)";

std::string Registration(const std::string& driverName) {
    return "[" + driverName + "]\nDriver=" + DriverPath() + "\nSetup=" + DriverPath() + "\n\n";
}

}  // namespace

void RegisterDataSource(const std::filesystem::path& folder, const std::string& dsn, const std::string& catalog,
                        bool readOnly) {
    WriteFile(folder / "odbcinst.ini", Registration(kDriverName) + Registration("Driver do Microsoft Excel (*.xls)"));
    WriteFile(folder / "odbc.ini", "[ODBC Data Sources]\n" + dsn + "=" + kDriverName + "\n\n[" + dsn + "]\nDriver=" +
                                       kDriverName + "\nDBQ=" + catalog + "\nReadOnly=" + (readOnly ? "1" : "0") +
                                       "\n");
    WriteFile(folder / "user.ini", "");
}

void UseOdbcFilesIn(const std::filesystem::path& folder) {
    setenv("ODBCSYSINI", folder.c_str(), 1);
    setenv("ODBCINI", (folder / "user.ini").c_str(), 1);
}

DiagRecord FirstDiagnostic(SQLSMALLINT type, SQLHANDLE handle) {
    DiagRecord record;
    SQLCHAR state[6] = {};
    SQLCHAR message[2048] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetDiagRec(type, handle, 1, state, &record.native, message, sizeof message, &length))) {
        record.state = reinterpret_cast<char*>(state);
        record.message = reinterpret_cast<char*>(message);
    }
    return record;
}

DriverSession::DriverSession(SQLINTEGER odbcVersion) {
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_);
    SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(static_cast<SQLLEN>(odbcVersion)), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_);
}

DriverSession::~DriverSession() {
    Disconnect();
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
}

SQLRETURN DriverSession::Disconnect() {
    // A disconnection frees the connection's statements in the driver manager, so the
    // handle must not outlive it.
    if (stmt_) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
    stmt_ = SQL_NULL_HSTMT;
    if (!connected_) return SQL_SUCCESS;
    connected_ = false;
    return SQLDisconnect(dbc_);
}

SQLRETURN DriverSession::Connect(const std::string& rest) { return ConnectWith("DRIVER=" + DriverPath() + ";" + rest); }

SQLRETURN DriverSession::ConnectWith(const std::string& connectionString) {
    SQLCHAR out[4096] = {};
    SQLSMALLINT outLength = 0;
    SQLRETURN rc = SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectionString.data())),
                                    static_cast<SQLSMALLINT>(connectionString.size()), out, sizeof out, &outLength,
                                    SQL_DRIVER_NOPROMPT);
    connected_ = SQL_SUCCEEDED(rc);
    completed_ = reinterpret_cast<char*>(out);
    return rc;
}

SQLHSTMT DriverSession::NewStatement() {
    if (stmt_) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
    stmt_ = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &stmt_);
    return stmt_;
}

SQLRETURN DriverSession::Execute(const std::string& sql) {
    NewStatement();
    return SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
}

std::vector<std::string> DriverSession::ColumnNames() {
    SQLSMALLINT count = 0;
    SQLNumResultCols(stmt_, &count);
    std::vector<std::string> names;
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
        SQLCHAR name[256] = {};
        SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeCol(stmt_, i, name, sizeof name, &length, &type, &size, &digits, &nullable);
        names.emplace_back(reinterpret_cast<char*>(name));
    }
    return names;
}

std::vector<Row> DriverSession::FetchAll() {
    SQLSMALLINT count = 0;
    SQLNumResultCols(stmt_, &count);
    std::vector<Row> rows;
    SQLRETURN rc;
    while ((rc = SQLFetch(stmt_)) == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) {
        Row row;
        for (SQLUSMALLINT i = 1; i <= count; ++i) {
            char buffer[1024] = {};
            SQLLEN indicator = 0;
            SQLRETURN got = SQLGetData(stmt_, i, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
            EXPECT_TRUE(SQL_SUCCEEDED(got)) << StatementDiagnostic().message;
            row.push_back(indicator == SQL_NULL_DATA ? std::nullopt : std::optional<std::string>(buffer));
        }
        rows.push_back(std::move(row));
    }
    EXPECT_EQ(rc, SQL_NO_DATA) << StatementDiagnostic().message;
    return rows;
}

}  // namespace tabvex::test
