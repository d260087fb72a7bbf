#include "app/output_line.h"

#include <array>
#include <utility>

namespace tabvex::app {

MarkedMessage SplitMarker(std::string_view message) {
    static constexpr std::array<std::pair<std::string_view, LineColours>, 3> kMarkers = {{
        {"E::", kErrorColours},
        {"S::", kSuccessColours},
        {"T::", kProviderTextColours},
    }};
    for (const auto& [marker, colours] : kMarkers)
        if (message.starts_with(marker)) return {colours, message.substr(marker.size())};
    return {std::nullopt, message};
}

}  // namespace tabvex::app
