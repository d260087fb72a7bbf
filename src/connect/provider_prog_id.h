// The programmatic identifier that creates a provider, from the display name the
// configuration dialog lists.
#pragma once

#include <string>
#include <string_view>

namespace tabvex::connect {

// Compares without regard to case, first match wins; a name no row knows comes back
// unchanged.
std::string ProviderProgId(std::string_view displayName);

}  // namespace tabvex::connect
