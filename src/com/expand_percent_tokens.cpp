#include "com/expand_percent_tokens.h"

#include <cstdlib>

namespace tabvex::com {

namespace {

std::string EnvironmentValue(const std::string& name) {
    if (const char* value = std::getenv(name.c_str())) return value;
    if (name == "USERPROFILE") return EnvironmentValue("HOME");
    return {};
}

}  // namespace

std::string ExpandPercentTokens(std::string_view text) {
    std::string expanded;
    for (;;) {
        const auto open = text.find('%');
        const auto close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) break;
        expanded.append(text.substr(0, open));
        expanded += EnvironmentValue(std::string(text.substr(open + 1, close - open - 1)));
        text.remove_prefix(close + 1);
    }
    return expanded.append(text);
}

}  // namespace tabvex::com
