#include "connect/dbms_kind.h"

#include "connect/ascii_case.h"

namespace tabvex::connect {

std::string_view DbmsKindName(DbmsKind kind) { return kDbmsKindNames.at(static_cast<std::size_t>(kind)); }

std::optional<DbmsKind> DbmsKindFromName(std::string_view name) {
    for (std::size_t code = 0; code < kDbmsKindNames.size(); ++code)
        if (EqualsIgnoringAsciiCase(kDbmsKindNames[code], name)) return static_cast<DbmsKind>(code);
    return std::nullopt;
}

}  // namespace tabvex::connect
