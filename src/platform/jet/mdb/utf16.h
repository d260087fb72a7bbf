// UTF-8 to the UTF-16LE that Jet 4 stores names and text in.
#pragma once

#include <optional>
#include <string_view>

#include "platform/jet/mdb/byte_buffer.h"

namespace tabvex::mdb {

// The UTF-16LE bytes of a UTF-8 text, or nullopt when the text is not valid UTF-8.
std::optional<Bytes> Utf8ToUtf16Le(std::string_view utf8);

// Number of UTF-16 code units the text takes (what Jet counts as characters).
size_t Utf16Length(const Bytes& utf16le);

}  // namespace tabvex::mdb
