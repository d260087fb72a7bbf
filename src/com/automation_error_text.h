// The text of a failed automation call's result code, as a COM error object gives it.
#pragma once

#include <string>

#include "platform/oledb/result_code.h"

namespace tabvex::com {

// The message table's text of the code without a trailing line break; for a code it
// does not know, "IDispatch error #<n>" for the dispatch range 0x80040200 to
// 0x8004FFFF (n = code - 0x200, low 16 bits, 0x80040200 itself excluded) and
// "Unknown error 0x<code in upper-case hex>" otherwise.
std::string AutomationErrorText(oledb::HRESULT code);

}  // namespace tabvex::com
