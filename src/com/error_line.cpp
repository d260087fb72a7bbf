#include "com/error_line.h"

#include <cstdio>

namespace tabvex::com {

std::string FormatErrorLine(std::string_view label, std::uint32_t code, std::string_view description) {
    char codeText[16];
    std::snprintf(codeText, sizeof codeText, "0x%08x", static_cast<unsigned>(code));
    std::string line;
    line.reserve(label.size() + description.size() + 64);
    line.append(label).append(" \r\n failed with error code:[").append(codeText).append("] \r\n discription:");
    return line.append(description);
}

}  // namespace tabvex::com
