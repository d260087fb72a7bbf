#include "platform/oledb/value.h"

#include <charconv>
#include <cmath>

namespace tabvex::oledb {
namespace {

std::string DoubleText(double number) {
    if (std::isnan(number)) return "NaN";
    if (std::isinf(number)) return number < 0 ? "-Infinity" : "Infinity";
    char buffer[400];
    // Shortest text that reads back to the same double; written out in full when
    // the shortest form would be in exponent notation.
    auto shortest = std::to_chars(buffer, buffer + sizeof buffer, number);
    std::string text(buffer, shortest.ptr);
    if (text.find('e') == std::string::npos) return text;
    auto plain = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    return std::string(buffer, plain.ptr);
}

std::string BytesText(const Bytes& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.data.size() * 2);
    for (std::uint8_t byte : bytes.data) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

struct TextOf {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(bool flag) const { return flag ? "True" : "False"; }
    std::string operator()(std::int64_t number) const { return std::to_string(number); }
    std::string operator()(double number) const { return DoubleText(number); }
    std::string operator()(const Decimal& decimal) const { return decimal.text; }
    std::string operator()(const DateTime& when) const { return calendar::IsoText(when); }
    std::string operator()(const std::string& text) const { return text; }
    std::string operator()(const Bytes& bytes) const { return BytesText(bytes); }
};

}  // namespace

std::string ValueText(const Value& value) { return std::visit(TextOf{}, value); }

}  // namespace tabvex::oledb
