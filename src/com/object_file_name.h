// The file name a table's or view's own files take (cache, trace and backup scripts).
// Object names may hold anything a file name cannot ('/', NUL) or should not (the
// characters Windows refuses, so the files survive a copy to a shared disk), and may
// be longer than a file name may be. A name is encoded, never refused: an object's
// files always have a name, it is the same on every run, and two objects never share
// one. An object name therefore never becomes a path.
#pragma once

#include <string>
#include <string_view>

namespace tabvex::com {

// `name` with every character a file name should not hold written as %XX (and '%'
// itself, so the encoding is one to one); a leading '.' is encoded too, so the name
// is never hidden, ".", or "..". A result longer than a file name may be is cut at a
// character boundary and ends in "~" and a hash of the whole name. `extension` (with
// its dot) is appended and counted in the length.
std::string ObjectFileName(std::string_view name, std::string_view extension = {});

}  // namespace tabvex::com
