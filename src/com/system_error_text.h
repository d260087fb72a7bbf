// Error line of the calling thread's last system error (errno).
#pragma once

#include <string>
#include <string_view>

namespace tabvex::com {

// Reads errno first thing, so call it before any other library call that could
// change it. errno 0 gives the system's text for success.
std::string SystemErrorText(std::string_view label);

}  // namespace tabvex::com
