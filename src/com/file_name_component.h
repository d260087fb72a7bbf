// Whether an object's name can name a file of its own in the current folder: the
// cache, trace and script files are named after tables and views, and a name that
// is a path (or the folder itself, or its parent) must never reach the file system.
#pragma once

#include <string_view>

namespace tabvex::com {

// False for an empty name, ".", "..", and any name holding '/' or a zero byte.
bool IsFileNameComponent(std::string_view name);

}  // namespace tabvex::com
