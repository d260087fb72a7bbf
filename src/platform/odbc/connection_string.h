// The ODBC connection string a data source connects with, built from its
// initialization properties: the provider string as given, then "DSN=<name>;"
// when a data source name is given, then "UID=" and "PWD=" when not empty. Values
// holding ';', '{', '}' or blanks at either end are enclosed in braces.
//
// The catalog (DBPROP_INIT_CATALOG) names the database: for the file-based drivers
// (Access, Excel) a file path, possibly without its ending. When the string names
// neither a DSN nor a DBQ, the catalog becomes "DBQ=<file>;", so a provider string
// "Driver=...;" with a catalog opens that file without any DSN; the file is the
// catalog itself or, when that does not exist, the catalog with ".mdb", ".accdb"
// or ".xls" added, if such a file exists. Otherwise the data source sets it after
// connecting (SQL_ATTR_CURRENT_CATALOG), see OdbcDataSource.
#pragma once

#include <string>

namespace tabvex::odbc {

struct ConnectionRequest {
    std::string providerString;
    std::string dataSourceName;
    std::string catalog;
    std::string userId;
    std::string password;
};

// Whether the catalog goes into the connection string as DBQ: when the string names
// no DBQ itself and either names no data source or the catalog is a file. A DBQ
// written after a data source's name wins over the data source's own (drivers that
// take files, like mdbtools', cannot switch files after connecting).
bool CatalogIsDatabaseFile(const ConnectionRequest& request);

std::string ConnectionString(const ConnectionRequest& request);

// "KEY=value;" with the value in braces when it needs them.
std::string Attribute(const std::string& keyword, const std::string& value);

// Whether the connection string has the keyword (compared without regard to case).
bool HasKeyword(const std::string& connectionString, const std::string& keyword);

}  // namespace tabvex::odbc
