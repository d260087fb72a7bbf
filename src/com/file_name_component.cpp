#include "com/file_name_component.h"

namespace tabvex::com {

bool IsFileNameComponent(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

}  // namespace tabvex::com
