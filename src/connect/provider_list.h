// The providers and drivers the configuration dialog lists for a database family,
// and what kind of entry each is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "connect/dbms_kind.h"

namespace tabvex::connect {

inline constexpr const char* kJet40ProviderName = "Microsoft Jet 4.0 OLE DB Provider";
inline constexpr const char* kJet351ProviderName = "Microsoft Jet 3.51 OLE DB Provider";

// The dialog's provider list for the family, in list order.
std::vector<std::string> ProviderList(DbmsKind kind);

// One of the two Jet providers (exact display names, as the list holds them).
bool IsJetProviderName(std::string_view providerName);

// An ODBC driver of the Access or Excel lists, whose source names are ODBC data sources.
bool IsOdbcDriverName(std::string_view providerName);

}  // namespace tabvex::connect
