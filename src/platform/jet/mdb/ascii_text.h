// Stored text read without a character conversion when it is plain ASCII, as most
// cells are: libmdb's conversion runs iconv for every value.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tabvex::mdb {

// Appends the stored text to `out` when every character of it is ASCII (1-127) and
// returns true; otherwise leaves `out` as it was and returns false, for the full
// conversion. `singleByte`: Jet 3's code-page bytes; else Jet 4's UTF-16LE, possibly
// in the compressed form (FF FE, then single bytes, a zero byte switching between
// single bytes and two-byte units).
bool AppendAsciiText(std::span<const std::uint8_t> stored, bool singleByte, std::string& out);

}  // namespace tabvex::mdb
