// Error line of an OLE DB result code, its text taken from the provider layer's
// message table.
#pragma once

#include <string>
#include <string_view>

#include "platform/oledb/result_code.h"

namespace tabvex::com {

// A code the table does not know still gives a line; its description says so. The
// reason in the thread's error record, when a provider left one, follows the code's
// message (and is taken, as GetErrorInfo does).
std::string ProviderErrorText(oledb::HRESULT code, std::string_view label);

}  // namespace tabvex::com
