// Failures of ODBC calls: the diagnostic records the driver manager and the driver
// leave (SQLGetDiagRec), carried in an exception and turned into OLE DB error
// records, one per diagnostic, each description ending with its SQLSTATE, e.g.
// "[unixODBC][Driver Manager]Data source name not found and no default driver
// specified (SQLSTATE IM002)".
#pragma once

#include <sql.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/oledb/error_info.h"

namespace tabvex::odbc {

// The source every error record of this provider names.
inline constexpr const char* kProviderName = "Microsoft OLE DB Provider for ODBC Drivers";

struct Diagnostic {
    std::string state;  // SQLSTATE, five characters
    SQLINTEGER nativeError = 0;
    std::string message;
};

class OdbcError : public std::runtime_error {
public:
    // `what` says which call failed, for when the driver left no diagnostics.
    OdbcError(const std::string& what, std::vector<Diagnostic> diagnostics);
    const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
    // Whether any record has this SQLSTATE.
    bool HasState(const std::string& state) const;

private:
    std::vector<Diagnostic> diagnostics_;
};

std::vector<Diagnostic> ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// Throws an OdbcError with the handle's diagnostics when `result` is a failure.
void Check(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle, const char* call);

// The text of one diagnostic as an error record shows it.
std::string DiagnosticText(const Diagnostic& diagnostic);

// Leaves the error's diagnostics on the calling thread as error records (the
// error's own text when there are none) and returns `code`.
oledb::HRESULT ReportOdbcError(const OdbcError& error, oledb::HRESULT code, const oledb::Guid& interfaceId);

}  // namespace tabvex::odbc
