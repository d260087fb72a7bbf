// Values given as text (in the notation the reader gives them back) turned into
// the bytes a Jet 4 row stores for a column type.
#pragma once

#include <optional>
#include <string_view>

#include "platform/jet/mdb/byte_buffer.h"
#include "platform/jet/mdb/jet_type.h"

namespace tabvex::mdb {

// The stored bytes of `text` for a column of `type`, or nullopt when the text is no
// value of that type. Yes/No gives one byte, 1 or 0 (the row keeps it in the null
// mask); Text and Memo give UTF-16LE; Binary and OLE Object take hexadecimal.
std::optional<Bytes> EncodeValue(JetType type, std::string_view text);

}  // namespace tabvex::mdb
