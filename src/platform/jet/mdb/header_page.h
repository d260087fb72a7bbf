// Page 0 of a Jet 4 file: the format's signature and version, then a region
// scrambled with a fixed RC4 key holding the code page, the (zero) encryption key,
// the password field masked with the creation date, the sort order and that date.
#pragma once

#include "platform/jet/mdb/byte_buffer.h"

namespace tabvex::mdb {

// Fills a zeroed 4096-byte page; `created` is a Jet date serial.
void WriteHeaderPage(Bytes& page, double created);

}  // namespace tabvex::mdb
