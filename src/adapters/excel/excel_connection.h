// How an OLE DB connection to a workbook is described (the initialization
// properties of the target data source) and the version text the target shows
// when its provider names no DBMS.
#pragma once

#include <string>

#include "app/output.h"
#include "connect/connection_holder.h"
#include "connect/connection_settings.h"
#include "platform/oledb/property.h"

namespace tabvex::adapters {

// Provider strings: the Jet provider's Excel ISAM, and the ODBC Excel driver when
// connecting or when the configuration dialog tests the connection.
inline constexpr const char* kExcelJetProviderString = "Excel 8.0;HDR=Yes;";
inline constexpr const char* kExcelOdbcProviderString =
    "Driver={Microsoft Excel Driver (*.xls)};DriverId=790;ReadOnly=0;";
inline constexpr const char* kExcelOdbcTestProviderString = "Driver={Microsoft Excel Driver (*.xls)};DriverId=790;";

// Appends the target's initialization properties to an empty DBINIT set. The
// catalog goes in only when set and, when connecting (not for the dialog's test),
// only when the source name is not the catalog name followed by ".xls" (the ending
// in any case). For Jet the settings' catalog name then becomes the source name
// without its ".xls" ending (in any case), or the whole source name. Always true.
bool BuildExcelInitProperties(connect::ConnectionSettings& settings, oledb::DBPROPSET& set, bool forTest);

// Runs "select @@Version" on the side's session and gives the first column of the
// last row. A failing command gives its provider's description; a statement
// without rows writes the completion line to the Log and gives it. Without a
// session the "No Connection!" error line goes to the Log and the text is
// "No Connection!".
std::string QueryExcelVersion(app::Output& output, const connect::ConnectionHolder& holder);

}  // namespace tabvex::adapters
