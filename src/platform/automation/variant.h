// The value an automation argument or result carries: empty, a boolean, a
// number, a text, or an error code. An optional argument the caller leaves out
// is the error variant DISP_E_PARAMNOTFOUND ("missing"), as COM passes it.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/automation/dispatch_result.h"

namespace tabvex::automation {

class Variant {
public:
    struct Error {
        HRESULT code;
        bool operator==(const Error&) const = default;
    };

    Variant() = default;  // empty
    Variant(bool value) : value_(value) {}
    Variant(std::int16_t value) : value_(value) {}
    Variant(int value) : value_(static_cast<std::int32_t>(value)) {}
    Variant(float value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(std::string value) : value_(std::move(value)) {}
    Variant(const char* value) : value_(std::string(value)) {}
    Variant(Error error) : value_(error) {}

    static Variant Missing() { return Variant(Error{DISP_E_PARAMNOTFOUND}); }

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool IsMissing() const;
    bool IsText() const { return std::holds_alternative<std::string>(value_); }
    bool IsNumber() const;
    bool IsError() const { return std::holds_alternative<Error>(value_); }

    // Conversions as the automation runtime changes a variant's type; a value
    // that cannot be converted raises DISP_E_TYPEMISMATCH.
    std::string ToText() const;
    double ToDouble() const;
    std::int32_t ToInt32() const;  // rounds half to even
    bool ToBool() const;

    bool operator==(const Variant&) const = default;

private:
    std::variant<std::monostate, bool, std::int16_t, std::int32_t, float, double, std::string, Error> value_;
};

}  // namespace tabvex::automation
