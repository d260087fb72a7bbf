#include "platform/jet/sql/value.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tabvex::jet::sql {

bool Value::isNumeric() const {
    switch (kind()) {
    case ValueKind::Boolean:
    case ValueKind::Integer:
    case ValueKind::Double:
    case ValueKind::Decimal:
        return true;
    default:
        return false;
    }
}

std::optional<double> Value::ToNumber() const {
    switch (kind()) {
    case ValueKind::Boolean:
        return asBoolean() ? -1.0 : 0.0;
    case ValueKind::Integer:
        return static_cast<double>(asInteger());
    case ValueKind::Double:
        return asDouble();
    case ValueKind::Decimal:
        return std::strtod(asDecimalText().c_str(), nullptr);
    case ValueKind::DateTime:
        return asDate().serial();
    case ValueKind::Text:
        return ParseNumberText(asText());
    case ValueKind::Null:
        break;
    }
    return std::nullopt;
}

std::string Value::ToText() const {
    switch (kind()) {
    case ValueKind::Null:
        return {};
    case ValueKind::Boolean:
        return asBoolean() ? "True" : "False";
    case ValueKind::Integer:
        return std::to_string(asInteger());
    case ValueKind::Double:
        return FormatDouble(asDouble());
    case ValueKind::Decimal:
        return asDecimalText();
    case ValueKind::DateTime:
        return asDate().ToText();
    case ValueKind::Text:
        return asText();
    }
    return {};
}

std::optional<double> ParseNumberText(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    double value = std::strtod(std::string(text).c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

bool IsPlainDecimalText(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    std::size_t intDigits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++intDigits;
    if (intDigits == 0) return false;
    if (i == text.size()) return true;
    if (text[i++] != '.') return false;
    std::size_t fractionDigits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++fractionDigits;
    return fractionDigits > 0 && i == text.size();
}

std::string FormatDouble(double d) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    if (d == std::trunc(d) && std::fabs(d) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", d);
        return std::string(buffer) == "-0" ? "0" : buffer;
    }
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.15g", d);
    std::string text = buffer;
    if (text.find('e') == std::string::npos) return text;
    // Plain notation even for very small or large numbers: print with enough decimals
    // and strip trailing zeros.
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(d))));
    int decimals = exponent < 0 ? 14 - exponent : 0;
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, d);
    text = buffer;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

}  // namespace tabvex::jet::sql
