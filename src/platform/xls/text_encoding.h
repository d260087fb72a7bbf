// Names in a workbook are compared as Excel compares them: UTF-16 with simple case
// folding.
#pragma once

#include <string>
#include <string_view>

namespace tabvex::xls {

// Simple case folding over ASCII and Latin-1, for names compared without regard to case.
std::u16string FoldCase(std::u16string_view text);

}  // namespace tabvex::xls
