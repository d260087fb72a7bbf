// Binding a rowset's columns as text, with what failed told as the Log tells it.
#pragma once

#include <optional>
#include <string>

#include "platform/oledb/rowset.h"
#include "platform/oledb/text_rows.h"

namespace tabvex::com {

// Binds every data column (the bookmark column is never bound). On failure gives
// the text of what failed: the rowset's error record when its columns cannot be
// read, else the provider error line of the accessor step.
std::optional<std::string> BindAllColumns(oledb::TextRowReader& reader, oledb::Rowset& rowset);

}  // namespace tabvex::com
