// The driver check: which providers and ODBC drivers each side needs are installed
// (registered) and usable (their library is there). Nothing is changed by it.
//
// The result is text of rows, each of three fields followed by "|": name,
// "Installed" / "Not Installed", "Usable" / "Unusable".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "connect/odbc_config.h"
#include "platform/registry/class_registry.h"

namespace tabvex::connect {

inline constexpr int kDriverCheckCommand = 32793;

// Where the check looks: the class registry and unixODBC's driver list.
struct DriverCheckSources {
    const registry::ClassRegistry* classes;
    OdbcConfigFiles odbc;
};

// The installed class registry and unixODBC's files.
DriverCheckSources InstalledDriverCheckSources();

// The Jet provider's row, the ODBC provider's row and, when that one is usable, a row
// per ODBC driver whose name holds "Access" (or the fallback row "Microsoft Access
// Driver|Not installed|Unusable|").
std::string CheckAccessDrivers(const DriverCheckSources& sources);
// The same for drivers whose name holds "Excel" ("Microsoft Excel Driver" the fallback).
std::string CheckExcelDrivers(const DriverCheckSources& sources);

struct DriverCheckRow {
    std::string name;
    std::string status;     // "Installed", "Not Installed" (the fallback row: "Not installed")
    std::string usability;  // "Usable", "Unusable"
    bool operator==(const DriverCheckRow&) const = default;
};

// The rows of a check result, three fields each.
std::vector<DriverCheckRow> DriverCheckRows(std::string_view result);

}  // namespace tabvex::connect
