// Pattern replacement and matching on text: ECMAScript syntax (for the patterns the
// program uses the same as VBScript's), every match (global), case-sensitive.
#pragma once

#include <string>
#include <string_view>

namespace tabvex::com {

// Every match of the pattern replaced; the replacement may use $&, $1..$99, $`, $'
// and $$. Throws automation::AutomationError when the pattern does not compile.
std::string RegexReplace(std::string_view source, std::string_view pattern, std::string_view replacement);

// The text of the last match, or an empty text when there is none. Throws
// automation::AutomationError when the pattern does not compile.
std::string RegexLastMatch(std::string_view source, std::string_view pattern);

}  // namespace tabvex::com
