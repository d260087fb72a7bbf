// The parameter markers of a statement and the statement with values put in their
// place. A marker is a '?' outside quoted text and dates ('…', "…", #…#) and outside
// quoted names ([…], `…`): "LIKE 'a?c'" and "[Why?]" hold none.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tabvex::odbc::xls {

// Byte offsets of the markers, in order. A quote left open hides the rest of the
// text (the Jet command then reports the missing closing quote).
std::vector<std::size_t> FindParameterMarkers(std::string_view statement);

// The statement with the marker at markers[i] replaced by literals[i]; both lists
// have the same length.
std::string SubstituteParameters(std::string_view statement, const std::vector<std::size_t>& markers,
                                 const std::vector<std::string>& literals);

}  // namespace tabvex::odbc::xls
