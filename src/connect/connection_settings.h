// What the program knows about one side's connection. The main window keeps one for
// the source and one for the target; the configuration dialog fills them on Connect
// and connecting reads them.
#pragma once

#include <string>

namespace tabvex::connect {

struct ConnectionSettings {
    std::string providerName;    // display name, e.g. "Microsoft Jet 4.0 OLE DB Provider"
    std::string providerProgId;  // what connecting creates, e.g. "Microsoft.Jet.OLEDB.4.0"
    std::string catalogName;     // lower case; the database name the tree shows
    std::string sourceName;      // lower case; the database file's path for Jet
    std::string password;        // as typed
    std::string userId;          // as typed
    std::string dbmsName;        // "<DBMS name>[<version>]" once connected

    bool operator==(const ConnectionSettings&) const = default;
};

}  // namespace tabvex::connect
