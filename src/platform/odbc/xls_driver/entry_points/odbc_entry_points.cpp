// The ODBC functions of the workbook driver (ANSI, text in UTF-8). Each checks its
// handle, clears the handle's diagnostics and hands the work to the core library;
// no exception leaves the library.
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "platform/odbc/xls_driver/catalog_functions.h"
#include "platform/odbc/xls_driver/column_attribute.h"
#include "platform/odbc/xls_driver/driver_info.h"
#include "platform/odbc/xls_driver/handles.h"
#include "platform/odbc/xls_driver/string_out.h"
#include "platform/odbc/xls_driver/text_argument.h"

#define TABVEX_ODBC_EXPORT extern "C" __attribute__((visibility("default")))

using namespace tabvex::odbc::xls;

namespace {

EnvironmentHandle* Env(SQLHANDLE handle) { return HandleOf<EnvironmentHandle>(handle, HandleTag::Environment); }
ConnectionHandle* Dbc(SQLHANDLE handle) { return HandleOf<ConnectionHandle>(handle, HandleTag::Connection); }
StatementHandle* Stmt(SQLHANDLE handle) { return HandleOf<StatementHandle>(handle, HandleTag::Statement); }

// Runs `work` with the handle's diagnostics cleared; a thrown failure becomes HY001
// (memory) or HY000 instead of crossing into the caller.
template <typename Work>
SQLRETURN Guarded(Diagnostics& diagnostics, Work work) {
    diagnostics.Clear();
    try {
        return work();
    } catch (const std::bad_alloc&) {
        diagnostics.Add("HY001", "Out of memory.");
    } catch (const std::exception& failure) {
        diagnostics.Add("HY000", failure.what());
    }
    return SQL_ERROR;
}

SQLRETURN Truncated(Diagnostics& diagnostics) {
    diagnostics.Add("01004", "String data, right truncated.");
    return SQL_SUCCESS_WITH_INFO;
}

SQLRETURN BadLength(Diagnostics& diagnostics) {
    diagnostics.Add("HY090", "Invalid string or buffer length.");
    return SQL_ERROR;
}

SQLRETURN Outcome(bool succeeded) { return succeeded ? SQL_SUCCESS : SQL_ERROR; }

Diagnostics* DiagnosticsOf(SQLSMALLINT type, SQLHANDLE handle) {
    switch (type) {
        case SQL_HANDLE_ENV:
            if (auto* env = Env(handle)) return &env->diagnostics;
            return nullptr;
        case SQL_HANDLE_DBC:
            if (auto* dbc = Dbc(handle)) return &dbc->connection.diagnostics;
            return nullptr;
        case SQL_HANDLE_STMT:
            if (auto* stmt = Stmt(handle)) return &stmt->statement.diagnostics;
            return nullptr;
        default: return nullptr;
    }
}

SQLRETURN AllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output) {
    if (!output) return SQL_ERROR;
    *output = SQL_NULL_HANDLE;
    switch (type) {
        case SQL_HANDLE_ENV: *output = new (std::nothrow) EnvironmentHandle; break;
        case SQL_HANDLE_DBC:
            if (auto* env = Env(input)) {
                *output = new (std::nothrow) ConnectionHandle(*env);
                break;
            }
            return SQL_INVALID_HANDLE;
        case SQL_HANDLE_STMT:
            if (auto* dbc = Dbc(input)) {
                if (!dbc->connection.connected()) {
                    dbc->connection.diagnostics.Add("08003", "The connection is not open.");
                    return SQL_ERROR;
                }
                auto* stmt = new (std::nothrow) StatementHandle(*dbc);
                if (stmt) dbc->statements.insert(stmt);
                *output = stmt;
                break;
            }
            return SQL_INVALID_HANDLE;
        default: return SQL_ERROR;
    }
    return *output ? SQL_SUCCESS : SQL_ERROR;
}

template <typename Handle>
void Free(Handle* handle) {
    handle->tag = HandleTag::Freed;
    delete handle;
}

void FreeStatement(StatementHandle* stmt) {
    stmt->connection.statements.erase(stmt);
    Free(stmt);
}

void FreeStatements(ConnectionHandle& dbc) {
    while (!dbc.statements.empty()) FreeStatement(*dbc.statements.begin());
}

SQLRETURN FreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
    switch (type) {
        case SQL_HANDLE_ENV:
            if (auto* env = Env(handle)) return Free(env), SQL_SUCCESS;
            break;
        case SQL_HANDLE_DBC:
            if (auto* dbc = Dbc(handle)) {
                if (dbc->connection.connected()) {
                    dbc->connection.diagnostics.Add("HY010", "Disconnect before freeing the connection.");
                    return SQL_ERROR;
                }
                return Free(dbc), SQL_SUCCESS;
            }
            break;
        case SQL_HANDLE_STMT:
            if (auto* stmt = Stmt(handle)) return FreeStatement(stmt), SQL_SUCCESS;
            break;
        default: return SQL_ERROR;
    }
    return SQL_INVALID_HANDLE;
}

SQLRETURN ExecuteOn(SQLHSTMT handle, const SQLCHAR* text, SQLINTEGER length, bool prepareOnly) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics, [&]() -> SQLRETURN {
        bool valid = true;
        auto sql = TextArgument(text, length, valid);
        if (!valid) return BadLength(stmt->statement.diagnostics);
        if (!sql) {
            stmt->statement.diagnostics.Add("HY009", "The statement text is a null pointer.");
            return SQL_ERROR;
        }
        return prepareOnly ? stmt->statement.Prepare(*sql) : stmt->statement.ExecDirect(*sql);
    });
}

// A catalog function's name argument (SQLSMALLINT length).
struct Names {
    bool valid = true;
    Argument Take(const SQLCHAR* text, SQLSMALLINT length) {
        bool ok = true;
        auto value = TextArgument(text, length, ok);
        valid = valid && ok;
        return value;
    }
};

DateTypeNumbers DateTypesOf(const StatementHandle& stmt) {
    return stmt.connection.environment.odbcVersion == SQL_OV_ODBC2 ? DateTypeNumbers::Odbc2 : DateTypeNumbers::Odbc3;
}

template <typename Produce>
SQLRETURN CatalogFunction(SQLHSTMT handle, Produce produce) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics, [&]() -> SQLRETURN {
        Names names;
        auto result = produce(names, stmt->statement, DateTypesOf(*stmt));
        if (!names.valid) return BadLength(stmt->statement.diagnostics);
        return stmt->statement.TakeResult(std::move(result));
    });
}

SQLRETURN SetConnectionAttribute(ConnectionHandle& dbc, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length) {
    Diagnostics& diagnostics = dbc.connection.diagnostics;
    switch (attribute) {
        case SQL_ATTR_AUTOCOMMIT:
            dbc.autocommit = static_cast<SQLUINTEGER>(reinterpret_cast<SQLULEN>(value));
            return SQL_SUCCESS;
        case SQL_ATTR_CURRENT_CATALOG: {
            bool valid = true;
            auto name = TextArgument(static_cast<const SQLCHAR*>(value), length, valid);
            if (!valid) return BadLength(diagnostics);
            if (!dbc.connection.SwitchCatalog(name.value_or(""))) return SQL_ERROR;
            return SQL_SUCCESS;
        }
        case SQL_ATTR_LOGIN_TIMEOUT:
        case SQL_ATTR_CONNECTION_TIMEOUT:
        case SQL_ATTR_ACCESS_MODE:
        case SQL_ATTR_TXN_ISOLATION:
        case SQL_ATTR_QUIET_MODE:
        case SQL_ATTR_PACKET_SIZE:
        case SQL_ATTR_ODBC_CURSORS:
        case SQL_ATTR_TRACE:
        case SQL_ATTR_TRACEFILE: return SQL_SUCCESS;
        default:
            diagnostics.Add("HY092", "Connection attribute " + std::to_string(attribute) + " is not supported.");
            return SQL_ERROR;
    }
}

SQLRETURN GetConnectionAttribute(ConnectionHandle& dbc, SQLINTEGER attribute, SQLPOINTER value,
                                 SQLINTEGER bufferLength, SQLINTEGER* length) {
    Diagnostics& diagnostics = dbc.connection.diagnostics;
    auto number = [&](SQLUINTEGER answer) -> SQLRETURN {
        if (value) std::memcpy(value, &answer, sizeof answer);
        if (length) *length = sizeof answer;
        return SQL_SUCCESS;
    };
    switch (attribute) {
        case SQL_ATTR_AUTOCOMMIT: return number(dbc.autocommit);
        case SQL_ATTR_ACCESS_MODE: return number(dbc.connection.readOnly() ? SQL_MODE_READ_ONLY : SQL_MODE_READ_WRITE);
        case SQL_ATTR_CONNECTION_DEAD: return number(SQL_CD_FALSE);
        case SQL_ATTR_LOGIN_TIMEOUT:
        case SQL_ATTR_CONNECTION_TIMEOUT: return number(0);
        case SQL_ATTR_TXN_ISOLATION: return number(0);
        case SQL_ATTR_CURRENT_CATALOG:
            if (bufferLength < 0) return BadLength(diagnostics);
            return CopyOutString(dbc.connection.Catalog(), value, bufferLength, length) ? SQL_SUCCESS
                                                                                        : Truncated(diagnostics);
        default:
            diagnostics.Add("HY092", "Connection attribute " + std::to_string(attribute) + " is not supported.");
            return SQL_ERROR;
    }
}

SQLRETURN SetStatementAttribute(StatementHandle& stmt, SQLINTEGER attribute, SQLPOINTER value) {
    Diagnostics& diagnostics = stmt.statement.diagnostics;
    const SQLULEN number = reinterpret_cast<SQLULEN>(value);
    auto onlyValue = [&](SQLULEN allowed, const char* what) -> SQLRETURN {
        if (number == allowed) return SQL_SUCCESS;
        diagnostics.Add("01S02", std::string("Only ") + what + " is supported; the value was changed.");
        return SQL_SUCCESS_WITH_INFO;
    };
    switch (attribute) {
        case SQL_ATTR_CURSOR_TYPE: return onlyValue(SQL_CURSOR_FORWARD_ONLY, "a forward-only cursor");
        case SQL_ATTR_CONCURRENCY: return onlyValue(SQL_CONCUR_READ_ONLY, "read-only concurrency");
        case SQL_ATTR_ROW_ARRAY_SIZE:
        case SQL_ROWSET_SIZE: return onlyValue(1, "a row array of one row");
        case SQL_ATTR_CURSOR_SCROLLABLE: return onlyValue(SQL_NONSCROLLABLE, "a cursor that does not scroll");
        case SQL_ATTR_ROWS_FETCHED_PTR: stmt.statement.rowsFetched = static_cast<SQLULEN*>(value); return SQL_SUCCESS;
        case SQL_ATTR_ROW_STATUS_PTR: stmt.statement.rowStatus = static_cast<SQLUSMALLINT*>(value); return SQL_SUCCESS;
        case SQL_ATTR_MAX_ROWS: stmt.maxRows = number; return SQL_SUCCESS;
        case SQL_ATTR_QUERY_TIMEOUT: stmt.queryTimeout = number; return SQL_SUCCESS;
        case SQL_ATTR_ROW_BIND_TYPE: return onlyValue(SQL_BIND_BY_COLUMN, "binding by column");
        case SQL_ATTR_PARAMSET_SIZE:
            if (number == 0) {
                diagnostics.Add("HY024", "A parameter set size of 0 is not valid.");
                return SQL_ERROR;
            }
            stmt.statement.parameters.setSize = number;
            return SQL_SUCCESS;
        case SQL_ATTR_PARAM_BIND_TYPE: stmt.statement.parameters.bindType = number; return SQL_SUCCESS;
        case SQL_ATTR_PARAM_BIND_OFFSET_PTR:
            stmt.statement.parameters.bindOffset = static_cast<SQLULEN*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_PARAMS_PROCESSED_PTR:
            stmt.statement.parameters.processed = static_cast<SQLULEN*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_PARAM_STATUS_PTR:
            stmt.statement.parameters.statusArray = static_cast<SQLUSMALLINT*>(value);
            return SQL_SUCCESS;
        case SQL_ATTR_CURSOR_SENSITIVITY:
        case SQL_ATTR_MAX_LENGTH:
        case SQL_ATTR_NOSCAN:
        case SQL_ATTR_RETRIEVE_DATA:
        case SQL_ATTR_USE_BOOKMARKS:
        case SQL_ATTR_ASYNC_ENABLE:
        case SQL_ATTR_ENABLE_AUTO_IPD:
        case SQL_ATTR_ROW_BIND_OFFSET_PTR: return SQL_SUCCESS;
        default:
            diagnostics.Add("HY092", "Statement attribute " + std::to_string(attribute) + " is not supported.");
            return SQL_ERROR;
    }
}

SQLRETURN GetStatementAttribute(StatementHandle& stmt, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER* length) {
    auto answer = [&](auto result) -> SQLRETURN {
        if (value) std::memcpy(value, &result, sizeof result);
        if (length) *length = sizeof result;
        return SQL_SUCCESS;
    };
    switch (attribute) {
        case SQL_ATTR_CURSOR_TYPE: return answer(SQLULEN{SQL_CURSOR_FORWARD_ONLY});
        case SQL_ATTR_CONCURRENCY: return answer(SQLULEN{SQL_CONCUR_READ_ONLY});
        case SQL_ATTR_CURSOR_SCROLLABLE: return answer(SQLULEN{SQL_NONSCROLLABLE});
        case SQL_ATTR_CURSOR_SENSITIVITY: return answer(SQLULEN{SQL_INSENSITIVE});
        case SQL_ATTR_ROW_ARRAY_SIZE:
        case SQL_ROWSET_SIZE: return answer(SQLULEN{1});
        case SQL_ATTR_ROW_BIND_TYPE: return answer(SQLULEN{SQL_BIND_BY_COLUMN});
        case SQL_ATTR_MAX_ROWS: return answer(stmt.maxRows);
        case SQL_ATTR_QUERY_TIMEOUT: return answer(stmt.queryTimeout);
        case SQL_ATTR_MAX_LENGTH: return answer(SQLULEN{0});
        case SQL_ATTR_ASYNC_ENABLE: return answer(SQLULEN{SQL_ASYNC_ENABLE_OFF});
        case SQL_ATTR_USE_BOOKMARKS: return answer(SQLULEN{SQL_UB_OFF});
        case SQL_ATTR_NOSCAN: return answer(SQLULEN{SQL_NOSCAN_OFF});
        case SQL_ATTR_RETRIEVE_DATA: return answer(SQLULEN{SQL_RD_ON});
        case SQL_ATTR_ROWS_FETCHED_PTR: return answer(stmt.statement.rowsFetched);
        case SQL_ATTR_ROW_STATUS_PTR: return answer(stmt.statement.rowStatus);
        case SQL_ATTR_ROW_NUMBER: return answer(SQLULEN{0});
        case SQL_ATTR_PARAMSET_SIZE: return answer(stmt.statement.parameters.setSize);
        case SQL_ATTR_PARAM_BIND_TYPE: return answer(stmt.statement.parameters.bindType);
        case SQL_ATTR_PARAM_BIND_OFFSET_PTR: return answer(stmt.statement.parameters.bindOffset);
        case SQL_ATTR_PARAMS_PROCESSED_PTR: return answer(stmt.statement.parameters.processed);
        case SQL_ATTR_PARAM_STATUS_PTR: return answer(stmt.statement.parameters.statusArray);
        default:
            stmt.statement.diagnostics.Add("HY092",
                                           "Statement attribute " + std::to_string(attribute) + " is not supported.");
            return SQL_ERROR;
    }
}

SQLRETURN DiagnosticField(const Diagnostics& diagnostics, SQLSMALLINT record, SQLSMALLINT field, SQLPOINTER info,
                          SQLSMALLINT bufferLength, SQLSMALLINT* length, const Statement* statement) {
    const auto& records = diagnostics.records();
    auto number = [&](auto value) -> SQLRETURN {
        if (info) std::memcpy(info, &value, sizeof value);
        return SQL_SUCCESS;
    };
    auto text = [&](const std::string& value) -> SQLRETURN {
        return CopyOutString(value, info, bufferLength, length) ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
    };
    switch (field) {
        case SQL_DIAG_NUMBER: return number(static_cast<SQLINTEGER>(records.size()));
        case SQL_DIAG_RETURNCODE: return number(static_cast<SQLRETURN>(records.empty() ? SQL_SUCCESS : SQL_ERROR));
        case SQL_DIAG_ROW_COUNT: return number(static_cast<SQLLEN>(statement ? statement->RowCount() : 0));
        case SQL_DIAG_CURSOR_ROW_COUNT: return number(SQLLEN{0});
        case SQL_DIAG_DYNAMIC_FUNCTION: return text("");
        case SQL_DIAG_DYNAMIC_FUNCTION_CODE: return number(SQLINTEGER{SQL_DIAG_UNKNOWN_STATEMENT});
        default: break;
    }
    if (record < 1 || static_cast<std::size_t>(record) > records.size()) return SQL_NO_DATA;
    const Diagnostic& diagnostic = records[static_cast<std::size_t>(record) - 1];
    switch (field) {
        case SQL_DIAG_SQLSTATE: return text(diagnostic.state);
        case SQL_DIAG_NATIVE: return number(diagnostic.native);
        case SQL_DIAG_MESSAGE_TEXT: return text(diagnostic.message);
        case SQL_DIAG_CLASS_ORIGIN:
        case SQL_DIAG_SUBCLASS_ORIGIN:
            return text(diagnostic.state.compare(0, 2, "IM") == 0 ? "ODBC 3.0" : "ISO 9075");
        case SQL_DIAG_CONNECTION_NAME:
        case SQL_DIAG_SERVER_NAME: return text("");
        case SQL_DIAG_COLUMN_NUMBER: return number(SQLINTEGER{SQL_COLUMN_NUMBER_UNKNOWN});
        case SQL_DIAG_ROW_NUMBER: return number(SQLLEN{SQL_ROW_NUMBER_UNKNOWN});
        default: return SQL_ERROR;
    }
}

}  // namespace

// Handles and attributes.

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output) {
    try {
        return AllocHandle(type, input, output);
    } catch (...) {
        return SQL_ERROR;
    }
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
    return FreeHandle(type, handle);
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT handle, SQLUSMALLINT option) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->statement.diagnostics.Clear();
    switch (option) {
        case SQL_CLOSE: stmt->statement.CloseCursor(); return SQL_SUCCESS;
        case SQL_UNBIND: stmt->statement.Unbind(); return SQL_SUCCESS;
        case SQL_RESET_PARAMS: stmt->statement.parameters.Reset(); return SQL_SUCCESS;
        case SQL_DROP: return FreeHandle(SQL_HANDLE_STMT, handle);
        default:
            stmt->statement.diagnostics.Add("HY092", "SQLFreeStmt option " + std::to_string(option) + " is not valid.");
            return SQL_ERROR;
    }
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV handle, SQLINTEGER attribute, SQLPOINTER value,
                                                   SQLINTEGER) {
    auto* env = Env(handle);
    if (!env) return SQL_INVALID_HANDLE;
    env->diagnostics.Clear();
    const auto number = static_cast<SQLINTEGER>(reinterpret_cast<SQLLEN>(value));
    switch (attribute) {
        case SQL_ATTR_ODBC_VERSION:
            if (number != SQL_OV_ODBC2 && number != SQL_OV_ODBC3 && number != SQL_OV_ODBC3_80) {
                env->diagnostics.Add("HY024", "ODBC version " + std::to_string(number) + " is not supported.");
                return SQL_ERROR;
            }
            env->odbcVersion = number;
            return SQL_SUCCESS;
        case SQL_ATTR_OUTPUT_NTS:
        case SQL_ATTR_CONNECTION_POOLING:
        case SQL_ATTR_CP_MATCH: return SQL_SUCCESS;
        default:
            env->diagnostics.Add("HY092", "Environment attribute " + std::to_string(attribute) + " is not supported.");
            return SQL_ERROR;
    }
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLGetEnvAttr(SQLHENV handle, SQLINTEGER attribute, SQLPOINTER value,
                                                   SQLINTEGER, SQLINTEGER* length) {
    auto* env = Env(handle);
    if (!env) return SQL_INVALID_HANDLE;
    env->diagnostics.Clear();
    SQLINTEGER answer = 0;
    switch (attribute) {
        case SQL_ATTR_ODBC_VERSION: answer = env->odbcVersion; break;
        case SQL_ATTR_OUTPUT_NTS: answer = SQL_TRUE; break;
        case SQL_ATTR_CONNECTION_POOLING: answer = SQL_CP_OFF; break;
        default:
            env->diagnostics.Add("HY092", "Environment attribute " + std::to_string(attribute) + " is not supported.");
            return SQL_ERROR;
    }
    if (value) std::memcpy(value, &answer, sizeof answer);
    if (length) *length = sizeof answer;
    return SQL_SUCCESS;
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC handle, SQLINTEGER attribute, SQLPOINTER value,
                                                       SQLINTEGER length) {
    auto* dbc = Dbc(handle);
    if (!dbc) return SQL_INVALID_HANDLE;
    return Guarded(dbc->connection.diagnostics,
                   [&]() -> SQLRETURN { return SetConnectionAttribute(*dbc, attribute, value, length); });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC handle, SQLINTEGER attribute, SQLPOINTER value,
                                                       SQLINTEGER bufferLength, SQLINTEGER* length) {
    auto* dbc = Dbc(handle);
    if (!dbc) return SQL_INVALID_HANDLE;
    return Guarded(dbc->connection.diagnostics,
                   [&]() -> SQLRETURN { return GetConnectionAttribute(*dbc, attribute, value, bufferLength, length); });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT handle, SQLINTEGER attribute, SQLPOINTER value,
                                                    SQLINTEGER) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->statement.diagnostics.Clear();
    return SetStatementAttribute(*stmt, attribute, value);
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLGetStmtAttr(SQLHSTMT handle, SQLINTEGER attribute, SQLPOINTER value,
                                                    SQLINTEGER, SQLINTEGER* length) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->statement.diagnostics.Clear();
    return GetStatementAttribute(*stmt, attribute, value, length);
}

// Connecting.

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLConnect(SQLHDBC handle, SQLCHAR* dsn, SQLSMALLINT dsnLength, SQLCHAR*,
                                                SQLSMALLINT, SQLCHAR*, SQLSMALLINT) {
    auto* dbc = Dbc(handle);
    if (!dbc) return SQL_INVALID_HANDLE;
    return Guarded(dbc->connection.diagnostics, [&]() -> SQLRETURN {
        bool valid = true;
        auto name = TextArgument(dsn, dsnLength, valid);
        if (!valid) return BadLength(dbc->connection.diagnostics);
        try {
            return Outcome(dbc->connection.Connect(SettingsOfDataSource(name.value_or(""))));
        } catch (const ConnectionStringError& error) {
            dbc->connection.diagnostics.Add("08001", error.what());
            return SQL_ERROR;
        }
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLDriverConnect(SQLHDBC handle, SQLHWND, SQLCHAR* in, SQLSMALLINT inLength,
                                                      SQLCHAR* out, SQLSMALLINT outCapacity, SQLSMALLINT* outLength,
                                                      SQLUSMALLINT) {
    auto* dbc = Dbc(handle);
    if (!dbc) return SQL_INVALID_HANDLE;
    return Guarded(dbc->connection.diagnostics, [&]() -> SQLRETURN {
        bool valid = true;
        auto text = TextArgument(in, inLength, valid);
        if (!valid || outCapacity < 0) return BadLength(dbc->connection.diagnostics);
        std::string completed;
        // No prompting: every completion mode connects with what the string gives.
        if (!dbc->connection.ConnectWithString(text.value_or(""), completed)) return SQL_ERROR;
        return CopyOutString(completed, out, outCapacity, outLength) ? SQL_SUCCESS
                                                                     : Truncated(dbc->connection.diagnostics);
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLDisconnect(SQLHDBC handle) {
    auto* dbc = Dbc(handle);
    if (!dbc) return SQL_INVALID_HANDLE;
    return Guarded(dbc->connection.diagnostics, [&]() -> SQLRETURN {
        FreeStatements(*dbc);
        return Outcome(dbc->connection.Disconnect());
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLEndTran(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT completion) {
    if (type == SQL_HANDLE_ENV) return Env(handle) ? SQL_SUCCESS : SQL_INVALID_HANDLE;
    auto* dbc = type == SQL_HANDLE_DBC ? Dbc(handle) : nullptr;
    if (!dbc) return SQL_INVALID_HANDLE;
    return Guarded(dbc->connection.diagnostics, [&]() -> SQLRETURN {
        if (completion == SQL_ROLLBACK) {
            // Every statement is durable in the workbook held in memory; nothing to undo.
            return SQL_SUCCESS;
        }
        return Outcome(dbc->connection.Commit());
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLGetInfo(SQLHDBC handle, SQLUSMALLINT infoType, SQLPOINTER value,
                                                SQLSMALLINT bufferLength, SQLSMALLINT* length) {
    auto* dbc = Dbc(handle);
    if (!dbc) return SQL_INVALID_HANDLE;
    return Guarded(dbc->connection.diagnostics, [&]() -> SQLRETURN {
        return GetInfo(dbc->connection, infoType, value, bufferLength, length, dbc->connection.diagnostics);
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLGetFunctions(SQLHDBC handle, SQLUSMALLINT function, SQLUSMALLINT* supported) {
    if (!Dbc(handle)) return SQL_INVALID_HANDLE;
    return GetFunctions(function, supported);
}

// Statements.

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLExecDirect(SQLHSTMT handle, SQLCHAR* text, SQLINTEGER length) {
    return ExecuteOn(handle, text, length, false);
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLPrepare(SQLHSTMT handle, SQLCHAR* text, SQLINTEGER length) {
    return ExecuteOn(handle, text, length, true);
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLExecute(SQLHSTMT handle) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics, [&]() -> SQLRETURN { return stmt->statement.Execute(); });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT handle, SQLSMALLINT* count) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->statement.diagnostics.Clear();
    if (count) *count = stmt->statement.ColumnCount();
    return SQL_SUCCESS;
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLNumParams(SQLHSTMT handle, SQLSMALLINT* count) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->statement.diagnostics.Clear();
    if (count) *count = static_cast<SQLSMALLINT>(std::min<std::size_t>(stmt->statement.ParameterCount(), SHRT_MAX));
    return SQL_SUCCESS;
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLBindParameter(SQLHSTMT handle, SQLUSMALLINT number, SQLSMALLINT direction,
                                                      SQLSMALLINT cType, SQLSMALLINT sqlType, SQLULEN columnSize,
                                                      SQLSMALLINT digits, SQLPOINTER buffer, SQLLEN bufferLength,
                                                      SQLLEN* indicator) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics, [&]() -> SQLRETURN {
        ParameterBinding binding{cType, sqlType, columnSize, digits, buffer, bufferLength, indicator};
        return stmt->statement.parameters.Bind(number, direction, binding, stmt->statement.diagnostics);
    });
}

// The workbook does not type parameters: an unbound one is described as text, a
// bound one as the application bound it.
TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLDescribeParam(SQLHSTMT handle, SQLUSMALLINT number, SQLSMALLINT* type,
                                                      SQLULEN* size, SQLSMALLINT* digits, SQLSMALLINT* nullable) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics, [&]() -> SQLRETURN {
        Statement& statement = stmt->statement;
        if (number == 0 || number > statement.ParameterCount()) {
            statement.diagnostics.Add("07009", "Parameter " + std::to_string(number) + " does not exist; the statement has " +
                                                   std::to_string(statement.ParameterCount()) + " parameter markers.");
            return SQL_ERROR;
        }
        ParameterBinding described{SQL_C_CHAR, SQL_VARCHAR, 255, 0, nullptr, 0, nullptr};
        if (const ParameterBinding* bound = statement.parameters.Find(number)) described = *bound;
        if (type) *type = described.sqlType;
        if (size) *size = described.columnSize;
        if (digits) *digits = described.digits;
        if (nullable) *nullable = SQL_NULLABLE;
        return SQL_SUCCESS;
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT handle, SQLUSMALLINT column, SQLCHAR* name,
                                                    SQLSMALLINT nameCapacity, SQLSMALLINT* nameLength,
                                                    SQLSMALLINT* type, SQLULEN* size, SQLSMALLINT* digits,
                                                    SQLSMALLINT* nullable) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics, [&]() -> SQLRETURN {
        if (nameCapacity < 0) return BadLength(stmt->statement.diagnostics);
        const ResultColumn* described = stmt->statement.Column(column);
        if (!described) return SQL_ERROR;
        if (type) *type = described->sqlType;
        if (size) *size = described->size;
        if (digits) *digits = described->digits;
        if (nullable) *nullable = described->nullable;
        return CopyOutString(described->name, name, nameCapacity, nameLength) ? SQL_SUCCESS
                                                                              : Truncated(stmt->statement.diagnostics);
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLColAttribute(SQLHSTMT handle, SQLUSMALLINT column, SQLUSMALLINT field,
                                                     SQLPOINTER text, SQLSMALLINT textCapacity,
                                                     SQLSMALLINT* textLength, SQLLEN* number) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics, [&]() -> SQLRETURN {
        Statement& statement = stmt->statement;
        if (field == SQL_DESC_COUNT || field == SQL_COLUMN_COUNT) {
            if (number) *number = statement.ColumnCount();
            return SQL_SUCCESS;
        }
        const ResultColumn* described = statement.Column(column);
        if (!described) return SQL_ERROR;
        auto attribute = ColumnAttributeOf(*described, field, statement.ColumnCount());
        if (!attribute) {
            statement.diagnostics.Add("HY091", "Column field " + std::to_string(field) + " is not supported.");
            return SQL_ERROR;
        }
        if (auto* value = std::get_if<SQLLEN>(&*attribute)) {
            if (number) *number = *value;
            return SQL_SUCCESS;
        }
        if (textCapacity < 0) return BadLength(statement.diagnostics);
        return CopyOutString(std::get<std::string>(*attribute), text, textCapacity, textLength)
                   ? SQL_SUCCESS
                   : Truncated(statement.diagnostics);
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLBindCol(SQLHSTMT handle, SQLUSMALLINT column, SQLSMALLINT type,
                                                SQLPOINTER buffer, SQLLEN capacity, SQLLEN* indicator) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics,
                   [&]() -> SQLRETURN { return stmt->statement.BindColumn(column, CTarget{type, buffer, capacity, indicator}); });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLFetch(SQLHSTMT handle) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics, [&]() -> SQLRETURN { return stmt->statement.Fetch(); });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT handle, SQLSMALLINT orientation, SQLLEN) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics, [&]() -> SQLRETURN {
        if (orientation != SQL_FETCH_NEXT) {
            stmt->statement.diagnostics.Add("HY106", "The cursor is forward-only: only SQL_FETCH_NEXT is possible.");
            return SQL_ERROR;
        }
        return stmt->statement.Fetch();
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLGetData(SQLHSTMT handle, SQLUSMALLINT column, SQLSMALLINT type,
                                                SQLPOINTER buffer, SQLLEN capacity, SQLLEN* indicator) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    return Guarded(stmt->statement.diagnostics,
                   [&]() -> SQLRETURN { return stmt->statement.GetData(column, CTarget{type, buffer, capacity, indicator}); });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLRowCount(SQLHSTMT handle, SQLLEN* count) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->statement.diagnostics.Clear();
    if (count) *count = stmt->statement.RowCount();
    return SQL_SUCCESS;
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLMoreResults(SQLHSTMT handle) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->statement.diagnostics.Clear();
    return stmt->statement.MoreResults();
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT handle) {
    auto* stmt = Stmt(handle);
    if (!stmt) return SQL_INVALID_HANDLE;
    stmt->statement.diagnostics.Clear();
    if (!stmt->statement.HasCursor()) {
        stmt->statement.diagnostics.Add("24000", "No cursor is open.");
        return SQL_ERROR;
    }
    stmt->statement.CloseCursor();
    return SQL_SUCCESS;
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLCancel(SQLHSTMT handle) {
    // Statements run to completion inside the call; there is never one to cancel.
    return Stmt(handle) ? SQL_SUCCESS : SQL_INVALID_HANDLE;
}

// Catalog functions.

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLTables(SQLHSTMT handle, SQLCHAR* catalog, SQLSMALLINT catalogLength,
                                               SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table,
                                               SQLSMALLINT tableLength, SQLCHAR* types, SQLSMALLINT typesLength) {
    return CatalogFunction(handle, [&](Names& names, Statement& statement, DateTypeNumbers) {
        auto catalogName = names.Take(catalog, catalogLength);
        auto schemaName = names.Take(schema, schemaLength);
        auto tableName = names.Take(table, tableLength);
        auto typeList = names.Take(types, typesLength);
        return names.valid ? TablesResult(statement.connection(), catalogName, schemaName, tableName, typeList,
                                          statement.diagnostics)
                           : nullptr;
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLColumns(SQLHSTMT handle, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                                SQLCHAR* table, SQLSMALLINT tableLength, SQLCHAR* column,
                                                SQLSMALLINT columnLength) {
    return CatalogFunction(handle, [&](Names& names, Statement& statement, DateTypeNumbers dates) {
        auto tableName = names.Take(table, tableLength);
        auto columnName = names.Take(column, columnLength);
        return names.valid ? ColumnsResult(statement.connection(), tableName, columnName, dates, statement.diagnostics)
                           : nullptr;
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLStatistics(SQLHSTMT handle, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                                   SQLCHAR* table, SQLSMALLINT tableLength, SQLUSMALLINT unique,
                                                   SQLUSMALLINT) {
    return CatalogFunction(handle, [&](Names& names, Statement& statement, DateTypeNumbers) {
        auto tableName = names.Take(table, tableLength);
        return names.valid ? StatisticsResult(statement.connection(), tableName, unique == SQL_INDEX_UNIQUE,
                                              statement.diagnostics)
                           : nullptr;
    });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLPrimaryKeys(SQLHSTMT handle, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                                    SQLCHAR*, SQLSMALLINT) {
    return CatalogFunction(handle, [](Names&, Statement&, DateTypeNumbers) { return PrimaryKeysResult(); });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLSpecialColumns(SQLHSTMT handle, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*,
                                                       SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLUSMALLINT,
                                                       SQLUSMALLINT) {
    return CatalogFunction(handle, [](Names&, Statement&, DateTypeNumbers) { return SpecialColumnsResult(); });
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLGetTypeInfo(SQLHSTMT handle, SQLSMALLINT type) {
    return CatalogFunction(handle,
                           [type](Names&, Statement&, DateTypeNumbers dates) { return TypeInfoResult(type, dates); });
}

// Diagnostics.

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record,
                                                   SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                                                   SQLSMALLINT messageCapacity, SQLSMALLINT* messageLength) {
    Diagnostics* diagnostics = DiagnosticsOf(type, handle);
    if (!diagnostics) return SQL_INVALID_HANDLE;
    if (record < 1 || messageCapacity < 0) return SQL_ERROR;
    const auto& records = diagnostics->records();
    if (static_cast<std::size_t>(record) > records.size()) return SQL_NO_DATA;
    const Diagnostic& diagnostic = records[static_cast<std::size_t>(record) - 1];
    if (state) std::memcpy(state, diagnostic.state.c_str(), 6);
    if (native) *native = diagnostic.native;
    return CopyOutString(diagnostic.message, message, messageCapacity, messageLength) ? SQL_SUCCESS
                                                                                      : SQL_SUCCESS_WITH_INFO;
}

TABVEX_ODBC_EXPORT SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record,
                                                     SQLSMALLINT field, SQLPOINTER info, SQLSMALLINT bufferLength,
                                                     SQLSMALLINT* length) {
    Diagnostics* diagnostics = DiagnosticsOf(type, handle);
    if (!diagnostics) return SQL_INVALID_HANDLE;
    const Statement* statement = type == SQL_HANDLE_STMT ? &Stmt(handle)->statement : nullptr;
    return DiagnosticField(*diagnostics, record, field, info, bufferLength, length, statement);
}
