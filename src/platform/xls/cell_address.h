// Cell references as Excel writes them: column letters, "$A$1", and sheet names
// quoted when they need it ("'My Sheet'!$A$1").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tabvex::xls {

// "A" for 0, "Z" for 25, "AA" for 26, ... "IV" for 255.
std::string ColumnLetters(uint16_t column);
// "$A$1"-style reference; the dollars are left out where the part is relative.
std::string CellReference(uint32_t row, uint16_t column, bool rowRelative = false, bool columnRelative = false);
// The sheet name as a formula shows it: quoted, with inner quotes doubled, unless
// it is a plain identifier.
std::string QuotedSheetName(std::string_view name);

}  // namespace tabvex::xls
