#include "platform/jet/provider_string.h"

#include <strings.h>

#include <string>

namespace tabvex::jet {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

IsamKind IsamKindOf(std::string_view providerString) {
    std::string first(Trimmed(providerString.substr(0, providerString.find(';'))));
    return strncasecmp(first.c_str(), "Excel ", 6) == 0 ? IsamKind::Excel : IsamKind::Access;
}

}  // namespace tabvex::jet
