// What the program knows about one side's connection. Each side (browser::Side) keeps
// one; the configuration dialog fills them on Connect and connecting reads them.
#pragma once

#include <string>
#include <string_view>
#include <strings.h>

namespace tabvex::connect {

struct ConnectionSettings {
    std::string providerName;    // display name, e.g. "Microsoft Jet 4.0 OLE DB Provider"
    std::string providerProgId;  // what connecting creates, e.g. "Microsoft.Jet.OLEDB.4.0"
    std::string catalogName;     // the database name the tree shows
    std::string sourceName;      // the database file's path for Jet
    std::string password;        // as typed
    std::string userId;          // as typed
    std::string dbmsName;        // "<DBMS name>[<version>]" once connected

    bool operator==(const ConnectionSettings&) const = default;
};

// The Jet provider, which serves both sides; other providers are reached through ODBC.
inline constexpr std::string_view kJetProgId = "Microsoft.Jet.OLEDB.4.0";

// Whether a ProgID names the Jet provider (compared without regard to case).
inline bool IsJetProvider(std::string_view progId) {
    return progId.size() == kJetProgId.size() && strncasecmp(progId.data(), kJetProgId.data(), progId.size()) == 0;
}

}  // namespace tabvex::connect
