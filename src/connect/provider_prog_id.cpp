#include "connect/provider_prog_id.h"

#include <array>
#include <utility>

#include "connect/ascii_case.h"

namespace tabvex::connect {

namespace {

// "Divers" is how the dialog's list spells it; the row must match that text.
constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kProviders = {{
    {"Microsoft OLE DB Provider for ODBC Divers", "MSDASQL"},
    {"TCP/IP:Port", "MSDASQL"},
    {"Microsoft OLE DB Provider for SQL Server", "SQLOLEDB"},
    {"Driver do Microsoft Excel", "MSDASQL"},
    {"Microsoft Excel Driver", "MSDASQL"},
    {"Driver do Microsoft Access", "MSDASQL"},
    {"Microsoft Access Driver", "MSDASQL"},
    {"Microsoft Jet 4.0 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0"},
    {"Microsoft Jet 3.51 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0"},
    {"Microsoft OLE DB Provider for Oracle", "MSDAORA"},
    {"Oracle Provider for OLE DB", "OraOLEDB.Oracle"},
}};

}  // namespace

std::string ProviderProgId(std::string_view displayName) {
    for (const auto& [name, progId] : kProviders)
        if (EqualsIgnoringAsciiCase(name, displayName)) return std::string(progId);
    return std::string(displayName);
}

}  // namespace tabvex::connect
