#include "adapters/excel/cell_text.h"

#include <optional>

#include "platform/text/utf8.h"

namespace tabvex::adapters {

std::string_view CutToCellLimit(std::string_view value) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < value.size();) {
        const std::size_t start = pos;
        const std::optional<char32_t> character = text::DecodeUtf8(value, pos);
        units += character && *character >= 0x10000 ? 2 : 1;
        if (units > xls::kMaxCellText) return value.substr(0, start);
    }
    return value;
}

}  // namespace tabvex::adapters
