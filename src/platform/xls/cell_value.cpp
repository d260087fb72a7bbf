#include "platform/xls/cell_value.h"

#include <charconv>
#include <cmath>

namespace tabvex::xls {

std::string ErrorText(uint8_t code) {
    switch (code) {
        case 0x00: return "#NULL!";
        case 0x07: return "#DIV/0!";
        case 0x0F: return "#VALUE!";
        case 0x17: return "#REF!";
        case 0x1D: return "#NAME?";
        case 0x24: return "#NUM!";
        case 0x2A: return "#N/A";
        default: return "#ERR";
    }
}

namespace {
std::string NumberText(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
}  // namespace

std::string CellValue::Shown() const {
    switch (type) {
        case CellType::Text: return text;
        case CellType::Number: return NumberText(number);
        case CellType::Boolean: return number != 0 ? "TRUE" : "FALSE";
        case CellType::Error: return ErrorText(static_cast<uint8_t>(number));
        case CellType::Empty: break;
    }
    return "";
}

}  // namespace tabvex::xls
