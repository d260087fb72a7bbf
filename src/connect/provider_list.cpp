#include "connect/provider_list.h"

#include <algorithm>
#include <array>

namespace tabvex::connect {

namespace {

constexpr std::array<std::string_view, 4> kOdbcDrivers = {"Driver do Microsoft Access", "Microsoft Access Driver",
                                                          "Driver do Microsoft Excel", "Microsoft Excel Driver"};

}  // namespace

std::vector<std::string> ProviderList(DbmsKind kind) {
    switch (kind) {
    case DbmsKind::Access:
        return {kJet40ProviderName, kJet351ProviderName, "Driver do Microsoft Access", "Microsoft Access Driver"};
    case DbmsKind::Excel:
        return {kJet40ProviderName, kJet351ProviderName, "Driver do Microsoft Excel", "Microsoft Excel Driver"};
    default:
        return {};  // families without an adapter, which the dialog never selects
    }
}

bool IsJetProviderName(std::string_view providerName) {
    return providerName == kJet40ProviderName || providerName == kJet351ProviderName;
}

bool IsOdbcDriverName(std::string_view providerName) {
    return std::find(kOdbcDrivers.begin(), kOdbcDrivers.end(), providerName) != kOdbcDrivers.end();
}

}  // namespace tabvex::connect
