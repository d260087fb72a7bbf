#include "platform/automation/variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <strings.h>

#include "platform/automation/automation_error.h"
#include "platform/automation/automation_failure.h"

namespace tabvex::automation {
namespace {

// Numbers become text in general notation with the significant digits of their
// type, as the automation runtime writes them ("0.1", "1E+20", never "-0").
std::string NumberText(double value, int significantDigits) {
    if (value == 0) return "0";
    char text[40];
    std::snprintf(text, sizeof text, "%.*G", significantDigits, value);
    return text;
}

double ParseNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    while (end != nullptr && *end == ' ') ++end;
    if (end == begin || end == nullptr || *end != '\0' || !std::isfinite(value)) RaiseTypeMismatch();
    return value;
}

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

bool Variant::IsMissing() const {
    const auto* error = std::get_if<Error>(&value_);
    return error != nullptr && error->code == DISP_E_PARAMNOTFOUND;
}

bool Variant::IsNumber() const {
    return std::holds_alternative<std::int16_t>(value_) || std::holds_alternative<std::int32_t>(value_) ||
           std::holds_alternative<float>(value_) || std::holds_alternative<double>(value_);
}

std::string Variant::ToText() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return std::string(); },
                          [](bool value) { return std::string(value ? "True" : "False"); },
                          [](std::int16_t value) { return std::to_string(value); },
                          [](std::int32_t value) { return std::to_string(value); },
                          [](float value) { return NumberText(value, 7); },
                          [](double value) { return NumberText(value, 15); },
                          [](const std::string& value) { return value; },
                          [](Error) -> std::string { RaiseTypeMismatch(); },
                      },
                      value_);
}

double Variant::ToDouble() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0; },
                          [](bool value) { return value ? -1.0 : 0.0; },
                          [](std::int16_t value) { return static_cast<double>(value); },
                          [](std::int32_t value) { return static_cast<double>(value); },
                          [](float value) { return static_cast<double>(value); },
                          [](double value) { return value; },
                          [](const std::string& value) { return ParseNumber(value); },
                          [](Error) -> double { RaiseTypeMismatch(); },
                      },
                      value_);
}

std::int32_t Variant::ToInt32() const {
    const double rounded = std::nearbyint(ToDouble());
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
        throw AutomationError(DISP_E_OVERFLOW, "Overflow.");
    }
    return static_cast<std::int32_t>(rounded);
}

bool Variant::ToBool() const {
    if (const auto* text = std::get_if<std::string>(&value_)) {
        if (strcasecmp(text->c_str(), "True") == 0) return true;
        if (strcasecmp(text->c_str(), "False") == 0) return false;
    }
    return ToDouble() != 0;
}

}  // namespace tabvex::automation
