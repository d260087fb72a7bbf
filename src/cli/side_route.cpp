#include "cli/side_route.h"

#include <strings.h>

#include <algorithm>
#include <optional>

#include "cli/usage_error.h"

#include "connect/dbms_kind.h"
#include "connect/provider_list.h"
#include "connect/provider_prog_id.h"

namespace tabvex::cli {

namespace {

struct RouteOption {
    const char* name;
    bool target;
    std::string SideRoute::*field;
};

constexpr const char* kAccessOdbcDriver = "Microsoft Access Driver";
constexpr const char* kExcelOdbcDriver = "Microsoft Excel Driver";

const RouteOption kRouteOptions[] = {
    {"--source-provider", false, &SideRoute::providerName},
    {"--target-provider", true, &SideRoute::providerName},
    {"--source-dsn", false, &SideRoute::dataSource},
    {"--target-dsn", true, &SideRoute::dataSource},
};

const RouteOption* FindRouteOption(const std::string& argument) {
    for (const auto& option : kRouteOptions) {
        if (argument == option.name) return &option;
    }
    return nullptr;
}

// The list's own spelling of a provider named without regard to case.
std::optional<std::string> ListedProvider(connect::DbmsKind family, const std::string& name) {
    for (const auto& listed : connect::ProviderList(family)) {
        if (strcasecmp(listed.c_str(), name.c_str()) == 0) return listed;
    }
    return std::nullopt;
}

void CompleteRoute(SideRoute& route, connect::DbmsKind family) {
    if (route.providerName.empty()) {
        route.providerName = route.dataSource.empty()              ? connect::kJet40ProviderName
                             : family == connect::DbmsKind::Access ? kAccessOdbcDriver
                                                                   : kExcelOdbcDriver;
        return;
    }
    const auto listed = ListedProvider(family, route.providerName);
    if (!listed) {
        std::string error = "'" + route.providerName + "' is not in the " +
                            (family == connect::DbmsKind::Access ? "Access" : "Excel") + " provider list:";
        for (const auto& name : connect::ProviderList(family)) error += " '" + name + "'";
        throw UsageError(error);
    }
    route.providerName = *listed;
}

}  // namespace

const char* const kRouteOptionsHelp =
    "                       --source-provider/--target-provider NAME: a provider of the configuration\n"
    "                       dialog's lists, e.g. \"Microsoft Access Driver\" (ODBC); --source-dsn/\n"
    "                       --target-dsn NAME: an ODBC data source (the file is then its catalog)";

SideRoutes TakeRouteOptions(std::vector<std::string>& args) {
    SideRoutes routes;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const RouteOption* option = FindRouteOption(args[i]);
        if (!option) {
            rest.push_back(args[i]);
            continue;
        }
        if (i + 1 >= args.size() || args[i + 1].empty())
            throw UsageError("missing argument for \"" + args[i] + "\"");
        (option->target ? routes.target : routes.source).*(option->field) = args[++i];
    }
    CompleteRoute(routes.source, connect::DbmsKind::Access);
    CompleteRoute(routes.target, connect::DbmsKind::Excel);
    args = std::move(rest);
    return routes;
}

void ConfigureSide(connect::ConnectionSettings& settings, const SideRoute& route, const std::string& file) {
    settings.providerName = route.providerName;
    settings.providerProgId = connect::ProviderProgId(route.providerName);
    if (connect::IsJetProviderName(route.providerName)) {
        settings.sourceName = file;
        return;
    }
    settings.sourceName = route.dataSource;
    settings.catalogName = file;
}

}  // namespace tabvex::cli
