// One value as a field of tabvex-cli's row output, so that every row stays one record
// whatever its values hold: tab-separated fields with the backslash escapes "\t",
// "\n", "\r" and "\\", or CSV fields quoted as RFC 4180 asks (a field holding a comma,
// a quote or a line break between quotes, its quotes doubled).
#pragma once

#include <string>
#include <string_view>

namespace tabvex::cli {

std::string TabSeparatedField(std::string_view value);

std::string CsvField(std::string_view value);

}  // namespace tabvex::cli
