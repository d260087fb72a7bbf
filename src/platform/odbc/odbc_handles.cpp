#include "platform/odbc/odbc_handles.h"

#include <sqlext.h>

#include <utility>
#include <vector>

#include "platform/odbc/odbc_error.h"

namespace tabvex::odbc {

namespace {

constexpr std::size_t kMdbtoolsLongTextLimit = 16383;  // its bind buffer, less the NUL

}  // namespace

Connection::Connection() {
    odbc::Check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_), SQL_HANDLE_ENV, SQL_NULL_HANDLE,
                "SQLAllocHandle(SQL_HANDLE_ENV)");
    try {
        odbc::Check(SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                    SQL_HANDLE_ENV, environment_, "SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION)");
        odbc::Check(SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_), SQL_HANDLE_ENV, environment_,
                    "SQLAllocHandle(SQL_HANDLE_DBC)");
    } catch (...) {
        SQLFreeHandle(SQL_HANDLE_ENV, environment_);  // no destructor runs for a half-made object
        throw;
    }
}

std::shared_ptr<Connection> Connection::Open(const std::string& connectionString) {
    std::shared_ptr<Connection> connection(new Connection());
    SqlText text(connectionString);
    SQLSMALLINT completedLength = 0;
    odbc::Check(SQLDriverConnect(connection->connection_, nullptr, text.data(), static_cast<SQLSMALLINT>(text.length()),
                                 nullptr, 0, &completedLength, SQL_DRIVER_NOPROMPT),
                SQL_HANDLE_DBC, connection->connection_, "SQLDriverConnect");
    connection->connected_ = true;
    const bool mdbtools = connection->InfoText(SQL_DBMS_NAME) == "MDBTOOLS";
    connection->knowsNullability_ = !mdbtools;
    connection->longTextLimit_ = mdbtools ? kMdbtoolsLongTextLimit : 0;
    return connection;
}

Connection::~Connection() {
    if (idleStatement_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, idleStatement_);
    if (connected_) SQLDisconnect(connection_);
    if (connection_ != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, connection_);
    if (environment_ != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, environment_);
}

std::string Connection::InfoText(SQLUSMALLINT info) const {
    SQLCHAR buffer[1024] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(connection_, info, buffer, sizeof buffer, &length))) return {};
    return reinterpret_cast<const char*>(buffer);
}

std::string Connection::CurrentCatalog() const {
    SQLCHAR buffer[4096] = {};
    SQLINTEGER length = 0;
    if (!SQL_SUCCEEDED(SQLGetConnectAttr(connection_, SQL_ATTR_CURRENT_CATALOG, buffer, sizeof buffer, &length))) {
        return {};
    }
    return reinterpret_cast<const char*>(buffer);
}

void Connection::SetCurrentCatalog(const std::string& catalog) {
    SqlText text(catalog);
    odbc::Check(SQLSetConnectAttr(connection_, SQL_ATTR_CURRENT_CATALOG, text.data(), text.length()),
                SQL_HANDLE_DBC, connection_, "SQLSetConnectAttr(SQL_ATTR_CURRENT_CATALOG)");
}

SQLHSTMT Connection::TakeIdleStatement() {
    std::lock_guard lock(idleMutex_);
    return std::exchange(idleStatement_, SQLHSTMT{SQL_NULL_HSTMT});
}

bool Connection::KeepIdleStatement(SQLHSTMT statement) {
    std::lock_guard lock(idleMutex_);
    if (idleStatement_ != SQL_NULL_HSTMT) return false;
    idleStatement_ = statement;
    return true;
}

Statement::Statement(std::shared_ptr<Connection> connection)
    : connection_(std::move(connection)), statement_(connection_->TakeIdleStatement()) {
    if (statement_ != SQL_NULL_HSTMT) return;
    odbc::Check(SQLAllocHandle(SQL_HANDLE_STMT, connection_->handle(), &statement_), SQL_HANDLE_DBC,
                connection_->handle(), "SQLAllocHandle(SQL_HANDLE_STMT)");
}

Statement::~Statement() {
    if (statement_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, statement_);
}

void Statement::Recycle() {
    if (!SQL_SUCCEEDED(SQLFreeStmt(statement_, SQL_CLOSE)) || !connection_->KeepIdleStatement(statement_)) return;
    statement_ = SQL_NULL_HSTMT;
}

void Statement::Check(SQLRETURN result, const char* call) const {
    odbc::Check(result, SQL_HANDLE_STMT, statement_, call);
}

}  // namespace tabvex::odbc
