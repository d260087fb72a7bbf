// What a connection needs to know, gathered from a connection string and, for a
// data-source name, from that data source's keys in odbc.ini (the string wins).
#pragma once

#include <filesystem>
#include <string>

#include "platform/odbc/xls_driver/connection_string.h"

namespace tabvex::odbc::xls {

struct ConnectionSettings {
    std::string dataSourceName;  // DSN, empty when connecting by driver
    std::string workbook;        // DBQ as given, empty when none is named yet
    std::string defaultDir;
    std::string driverId;
    bool readOnly = true;
};

// Throws ConnectionStringError for a ReadOnly value that is not 0 or 1.
ConnectionSettings SettingsFromConnectionString(const ConnectionString& text);
// The keys of a data source as SQLConnect reads them.
ConnectionSettings SettingsOfDataSource(const std::string& dataSourceName);

// The workbook file a DBQ or catalog names, a relative name taken inside `defaultDir`
// when one is given: the name itself when it ends in ".xls" (any case), else the
// existing file of that name with ".xls" in any case, else the name with ".xls".
std::filesystem::path WorkbookPath(const std::string& name, const std::string& defaultDir);

// The workbook path without ".xls": what catalogs are called.
std::string CatalogName(const std::filesystem::path& workbook);

}  // namespace tabvex::odbc::xls
