// The ODBC handles the provider holds: one environment and connection per
// initialized data source (shared by its sessions, commands and rowsets, which
// keep it open while they live), and a statement per schema rowset or command run.
#pragma once

#include <sql.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tabvex::odbc {

// Text handed to an ODBC call with its length, and NUL-terminated all the same:
// mdbtools' driver reads a connection string up to its NUL whatever length it is given.
class SqlText {
public:
    // Copied at once: a statement is sent per row.
    explicit SqlText(const std::string& text) : bytes_(text.size() + 1) {
        std::memcpy(bytes_.data(), text.data(), text.size());
    }
    SQLCHAR* data() { return bytes_.data(); }
    SQLINTEGER length() const { return static_cast<SQLINTEGER>(bytes_.size() - 1); }

private:
    std::vector<SQLCHAR> bytes_;
};

class Connection {
public:
    // Connects with SQLDriverConnect without prompting; throws OdbcError.
    static std::shared_ptr<Connection> Open(const std::string& connectionString);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    SQLHDBC handle() const { return connection_; }
    // A text answer of SQLGetInfo; empty when the driver has none.
    std::string InfoText(SQLUSMALLINT info) const;
    // The connection's current catalog (SQL_ATTR_CURRENT_CATALOG); empty when the
    // driver does not tell.
    std::string CurrentCatalog() const;
    void SetCurrentCatalog(const std::string& catalog);
    // False for mdbtools' driver, which reports every fixed-size column as NOT NULL
    // and every other as nullable, whatever the table says.
    bool KnowsNullability() const { return knowsNullability_; }
    // The most bytes of one character value the driver gives, 0 when it gives all:
    // mdbtools' driver silently cuts a memo at 16,383 bytes.
    std::size_t LongTextLimit() const { return longTextLimit_; }

    // One statement handle kept for the next statement: a migration runs one INSERT
    // per row, and allocating a handle through the driver manager for each costs.
    SQLHSTMT TakeIdleStatement();
    // Keeps a closed handle when none is kept; false when the caller must free it.
    bool KeepIdleStatement(SQLHSTMT statement);

private:
    Connection();

    SQLHENV environment_ = SQL_NULL_HENV;
    SQLHDBC connection_ = SQL_NULL_HDBC;
    bool connected_ = false;
    bool knowsNullability_ = true;
    std::size_t longTextLimit_ = 0;
    std::mutex idleMutex_;
    SQLHSTMT idleStatement_ = SQL_NULL_HSTMT;
};

class Statement {
public:
    explicit Statement(std::shared_ptr<Connection> connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    SQLHSTMT handle() const { return statement_; }
    const Connection& connection() const { return *connection_; }
    // Throws OdbcError with this statement's diagnostics when `result` failed.
    void Check(SQLRETURN result, const char* call) const;
    // Closes a statement that left no result set and hands its handle back to the
    // connection for the next statement.
    void Recycle();

private:
    std::shared_ptr<Connection> connection_;
    SQLHSTMT statement_ = SQL_NULL_HSTMT;
};

}  // namespace tabvex::odbc
