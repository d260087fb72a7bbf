// Writes one value into a consumer's buffer as a binding asks: value, length and
// status parts, converted to the binding's type. Text (DBTYPE_STR) is cut at a
// UTF-8 character boundary when it does not fit, and marked truncated.
#pragma once

#include "platform/oledb/db_types.h"
#include "platform/oledb/value.h"

namespace tabvex::oledb {

// Whether a binding of this type can be written by WriteBoundValue.
bool IsBindableType(DBTYPE type);

// Writes `value` for `binding` into `buffer`; returns the status also written to
// the status part.
DBSTATUS WriteBoundValue(const DBBINDING& binding, const Value& value, std::byte* buffer);

}  // namespace tabvex::oledb
