// How tabvex-cli reaches a side: the provider the configuration dialog would show
// (Jet unless told otherwise) and, for an ODBC driver, the data source it names.
// A file given beside an ODBC route is the driver's catalog, as the dialog's catalog
// field holds it.
#pragma once

#include <string>
#include <vector>

#include "connect/connection_settings.h"

namespace tabvex::cli {

struct SideRoute {
    std::string providerName;  // a display name of the side's provider list
    std::string dataSource;    // an ODBC data source; empty for a file alone
};

struct SideRoutes {
    SideRoute source;
    SideRoute target;
};

// Takes --source-provider NAME, --target-provider NAME, --source-dsn NAME and
// --target-dsn NAME out of `args`. A data source without a provider goes through the
// family's "Microsoft ... Driver". A provider the side's list does not hold, or an
// option without its value, is a UsageError.
SideRoutes TakeRouteOptions(std::vector<std::string>& args);

// The options' lines for a command's help.
extern const char* const kRouteOptionsHelp;

// Points the settings at `file` along the route, without connecting.
void ConfigureSide(connect::ConnectionSettings& settings, const SideRoute& route, const std::string& file);

}  // namespace tabvex::cli
