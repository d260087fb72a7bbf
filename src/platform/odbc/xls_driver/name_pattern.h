// ODBC search patterns for catalog functions: '%' any run of characters, '_' one
// character, '\' takes the next character literally. Workbook names compare
// without ASCII case, as the ISAM finds tables.
#pragma once

#include <string_view>

namespace tabvex::odbc::xls {

bool MatchesNamePattern(std::string_view pattern, std::string_view name);

}  // namespace tabvex::odbc::xls
