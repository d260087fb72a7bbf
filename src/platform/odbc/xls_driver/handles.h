// The driver's handles as the entry points hand them out. Each starts with a tag, so
// a handle of the wrong kind (or a stray pointer a client passes) is refused with
// SQL_INVALID_HANDLE instead of being used.
#pragma once

#include <cstdint>
#include <memory>
#include <set>

#include <sql.h>
#include <sqlext.h>

#include "platform/odbc/xls_driver/connection.h"
#include "platform/odbc/xls_driver/diagnostics.h"
#include "platform/odbc/xls_driver/statement.h"

namespace tabvex::odbc::xls {

enum class HandleTag : std::uint32_t {
    Environment = 0x45564e58,  // "XNVE"
    Connection = 0x4e4e4f43,
    Statement = 0x544d5453,
    Freed = 0,
};

struct EnvironmentHandle {
    HandleTag tag = HandleTag::Environment;
    SQLINTEGER odbcVersion = SQL_OV_ODBC3;
    Diagnostics diagnostics;
};

struct StatementHandle;

struct ConnectionHandle {
    explicit ConnectionHandle(EnvironmentHandle& owner) : environment(owner) {}
    HandleTag tag = HandleTag::Connection;
    EnvironmentHandle& environment;
    Connection connection;
    SQLUINTEGER autocommit = SQL_AUTOCOMMIT_ON;
    // Disconnecting frees the statements still allocated: the driver manager forgets
    // them without freeing them one by one.
    std::set<StatementHandle*> statements;
};

struct StatementHandle {
    explicit StatementHandle(ConnectionHandle& owner) : connection(owner), statement(owner.connection) {}
    HandleTag tag = HandleTag::Statement;
    ConnectionHandle& connection;
    Statement statement;
    SQLULEN maxRows = 0;
    SQLULEN queryTimeout = 0;
};

// The handle behind a pointer, or nullptr when it is not a live handle of that kind.
template <typename Handle>
Handle* HandleOf(SQLHANDLE handle, HandleTag tag) {
    if (!handle) return nullptr;
    auto* typed = static_cast<Handle*>(handle);
    return typed->tag == tag ? typed : nullptr;
}

}  // namespace tabvex::odbc::xls
