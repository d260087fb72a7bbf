#include "platform/odbc/odbc_error.h"

#include <sqlext.h>

#include <algorithm>

namespace tabvex::odbc {
namespace {

std::string MessageOf(const std::string& what, const std::vector<Diagnostic>& diagnostics) {
    return diagnostics.empty() ? what : what + ": " + DiagnosticText(diagnostics.front());
}

}  // namespace

OdbcError::OdbcError(const std::string& what, std::vector<Diagnostic> diagnostics)
    : std::runtime_error(MessageOf(what, diagnostics)), diagnostics_(std::move(diagnostics)) {}

bool OdbcError::HasState(const std::string& state) const {
    return std::any_of(diagnostics_.begin(), diagnostics_.end(),
                       [&](const Diagnostic& diagnostic) { return diagnostic.state == state; });
}

std::vector<Diagnostic> ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::vector<Diagnostic> diagnostics;
    if (handle == SQL_NULL_HANDLE) return diagnostics;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, record, state, &nativeError, nullptr, 0, &length))) {
            break;
        }
        std::string message(static_cast<std::size_t>(length) + 1, '\0');
        SQLGetDiagRec(handleType, handle, record, state, &nativeError, reinterpret_cast<SQLCHAR*>(message.data()),
                      static_cast<SQLSMALLINT>(message.size()), &length);
        message.resize(std::min(static_cast<std::size_t>(length), message.size() - 1));
        // Some drivers end their message with a line break (mdbtools': "Couldn't parse SQL\n").
        message.erase(message.find_last_not_of(" \r\n") + 1);
        diagnostics.push_back({reinterpret_cast<const char*>(state), nativeError, std::move(message)});
    }
    return diagnostics;
}

void Check(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle, const char* call) {
    if (SQL_SUCCEEDED(result) || result == SQL_NO_DATA) return;
    throw OdbcError(std::string(call) + " failed", ReadDiagnostics(handleType, handle));
}

std::string DiagnosticText(const Diagnostic& diagnostic) {
    // mdbtools' driver leaves the SQLSTATE empty and puts a code in the native error.
    std::vector<std::string> parts;
    if (!diagnostic.state.empty()) parts.push_back("SQLSTATE " + diagnostic.state);
    if (diagnostic.nativeError != 0) parts.push_back("native error " + std::to_string(diagnostic.nativeError));
    std::string text = diagnostic.message;
    for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? " (" : ", ") + parts[i];
    return parts.empty() ? text : text + ")";
}

oledb::HRESULT ReportOdbcError(const OdbcError& error, oledb::HRESULT code, const oledb::Guid& interfaceId) {
    std::vector<oledb::ErrorRecord> records;
    for (const auto& diagnostic : error.diagnostics()) {
        records.push_back({code, {DiagnosticText(diagnostic), kProviderName, interfaceId, 0, {}}});
    }
    if (records.empty()) records.push_back({code, {error.what(), kProviderName, interfaceId, 0, {}}});
    oledb::SetErrorInfo(oledb::ErrorObject::WithRecords(std::move(records)));
    return code;
}

}  // namespace tabvex::odbc
