// unixODBC's configuration: the driver list (odbcinst.ini) and the data sources
// (the system odbc.ini and the user's), found where `odbcinst -j` finds them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "connect/dbms_kind.h"

namespace tabvex::connect {

struct OdbcConfigFiles {
    std::filesystem::path drivers;            // odbcinst.ini: one section per driver
    std::filesystem::path systemDataSources;  // odbc.ini: one section per data source
    std::filesystem::path userDataSources;    // ~/.odbc.ini
};

// The files unixODBC uses on this computer (ODBCSYSINI, ODBCINSTINI and ODBCINI
// move them, as they move them for every ODBC program).
OdbcConfigFiles InstalledOdbcConfigFiles();

// The data sources whose driver is one of the family's Excel or Access drivers: the
// entries of "[ODBC Data Sources]" whose description, and the sections whose "Driver"
// value, begins with "Driver do Microsoft Access" or "Microsoft Access Driver" (Excel
// alike), case-sensitively. The program's sources (the system file, which
// ODBCSYSINI puts beside the program) first, then the user's; each name once.
std::vector<std::string> ListOdbcDataSources(DbmsKind family, const OdbcConfigFiles& files);

}  // namespace tabvex::connect
