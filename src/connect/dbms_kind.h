// The database family of a side: its code is the position of the family's name in
// the configuration dialog's family lists. The source is always Access, the target
// always Excel; the other families are listed but have no adapter.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tabvex::connect {

enum class DbmsKind : int {
    TextDataFile = 0,
    Mssql = 1,
    Mysql = 2,
    Sybase = 3,
    Access = 4,
    Excel = 5,
    Oracle = 6,
    SybaseIq = 7,
};

// The family lists' entries, in code order.
inline constexpr std::array<std::string_view, 8> kDbmsKindNames = {
    "Text Data File", "MSSQL", "MySQL", "Sybase", "Access", "Excel", "Oracle", "SybaseIQ"};

inline constexpr DbmsKind kSourceDbmsKind = DbmsKind::Access;
inline constexpr DbmsKind kTargetDbmsKind = DbmsKind::Excel;

std::string_view DbmsKindName(DbmsKind kind);

// The family whose name equals the text without regard to case ("access", "EXCEL").
std::optional<DbmsKind> DbmsKindFromName(std::string_view name);

}  // namespace tabvex::connect
