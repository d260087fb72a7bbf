// Case handling of the ASCII letters only, as the settings and the file names of
// the program need it; bytes of other characters pass unchanged.
#pragma once

#include <string>
#include <string_view>

namespace tabvex::connect {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string_view text);

}  // namespace tabvex::connect
