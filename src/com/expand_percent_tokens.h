// Environment variables written as %NAME% inside a text, as Windows paths use them.
#pragma once

#include <string>
#include <string_view>

namespace tabvex::com {

// Replaces every %NAME% by the value of the environment variable NAME (empty when it
// is unset; %USERPROFILE% falls back to $HOME). Values are inserted once and not
// expanded again, so a value holding percent signs cannot make it loop; a lone "%"
// stays as it is.
std::string ExpandPercentTokens(std::string_view text);

}  // namespace tabvex::com
