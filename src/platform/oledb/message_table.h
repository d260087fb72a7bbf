// The message table of the result codes: the text a person reads for a code, as
// the OLE DB error message module gives it. It holds every code the provider
// layer returns.
#pragma once

#include <optional>
#include <string_view>

#include "platform/oledb/result_code.h"

namespace tabvex::oledb {

// The text of `code` (one sentence, no trailing line break), or nullopt when the
// table holds none.
std::optional<std::string_view> ResultCodeMessage(HRESULT code);

}  // namespace tabvex::oledb
