#include "cli/delimited_text.h"

namespace tabvex::cli {

std::string TabSeparatedField(std::string_view value) {
    std::string field;
    field.reserve(value.size());
    for (const char c : value) {
        switch (c) {
            case '\\': field += "\\\\"; break;
            case '\t': field += "\\t"; break;
            case '\n': field += "\\n"; break;
            case '\r': field += "\\r"; break;
            default: field += c;
        }
    }
    return field;
}

std::string CsvField(std::string_view value) {
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(value);
    std::string field = "\"";
    for (const char c : value) {
        if (c == '"') field += '"';
        field += c;
    }
    return field + '"';
}

}  // namespace tabvex::cli
