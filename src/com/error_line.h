// The one-line form every failure report takes: the failing step, the result code
// and the text of that code. The line breaks keep the original layout, a blank on
// either side of each.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tabvex::com {

// "<label> \r\n failed with error code:[0x<8 lower-case hex digits>] \r\n discription:<text>";
// neither part is ever cut.
std::string FormatErrorLine(std::string_view label, std::uint32_t code, std::string_view description);

}  // namespace tabvex::com
