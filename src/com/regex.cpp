#include "com/regex.h"

#include <regex>

#include "platform/automation/automation_error.h"

namespace tabvex::com {

namespace {

// What the scripting runtime raises for a pattern it cannot compile.
constexpr oledb::HRESULT kRegexSyntaxError = oledb::MakeResult(0x800A1399);

std::regex Compile(std::string_view pattern) {
    try {
        return std::regex(pattern.begin(), pattern.end(), std::regex::ECMAScript);
    } catch (const std::regex_error& e) {
        throw automation::AutomationError(
            kRegexSyntaxError, "Syntax error in regular expression \"" + std::string(pattern) + "\": " + e.what());
    }
}

}  // namespace

std::string RegexReplace(std::string_view source, std::string_view pattern, std::string_view replacement) {
    const std::regex expression = Compile(pattern);
    std::string result;
    std::regex_replace(std::back_inserter(result), source.begin(), source.end(), expression,
                       std::string(replacement));
    return result;
}

std::string RegexLastMatch(std::string_view source, std::string_view pattern) {
    const std::regex expression = Compile(pattern);
    std::string last;
    using Iterator = std::regex_iterator<std::string_view::const_iterator>;
    for (Iterator match(source.begin(), source.end(), expression), end; match != end; ++match)
        last = match->str();
    return last;
}

}  // namespace tabvex::com
