// Names in a workbook are compared as Excel compares them: UTF-16 with simple case
// folding. (UTF-8 to and from UTF-16 is platform/text/utf8.h.)
#pragma once

#include <string>
#include <string_view>

#include "platform/text/utf8.h"

namespace tabvex::xls {

// Simple case folding over ASCII and Latin-1, for names compared without regard to case.
std::u16string FoldCase(std::u16string_view text);

}  // namespace tabvex::xls
