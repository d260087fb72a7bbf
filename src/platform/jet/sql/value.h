// A typed Jet value as the evaluator sees it: NULL, Yes/No, a whole number, a
// floating-point number, an exact decimal (currency and decimal columns, kept as
// their exact text), a date-time or text. Both ISAMs hand their cells over in this
// form, so conditions behave the same over Access tables and worksheets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/jet/sql/date_time.h"

namespace tabvex::jet::sql {

enum class ValueKind { Null, Boolean, Integer, Double, Decimal, DateTime, Text };

// An exact decimal number in plain notation, e.g. "-12.3400"; digits are never lost.
struct Decimal {
    std::string text;
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

class Value {
public:
    Value() = default;  // NULL
    static Value Null() { return Value(); }
    static Value Boolean(bool b) { return Value(b); }
    static Value Integer(std::int64_t i) { return Value(i); }
    static Value Double(double d) { return Value(d); }
    // The text must be a plain decimal number (see ParseDecimalText).
    static Value Decimal(std::string exactText) { return Value(sql::Decimal{std::move(exactText)}); }
    static Value Date(DateTime d) { return Value(d); }
    static Value Text(std::string s) { return Value(std::move(s)); }

    ValueKind kind() const { return static_cast<ValueKind>(data_.index()); }
    bool isNull() const { return kind() == ValueKind::Null; }
    bool isNumeric() const;  // Boolean, Integer, Double or Decimal

    bool asBoolean() const { return std::get<bool>(data_); }
    std::int64_t asInteger() const { return std::get<std::int64_t>(data_); }
    double asDouble() const { return std::get<double>(data_); }
    const std::string& asDecimalText() const { return std::get<sql::Decimal>(data_).text; }
    DateTime asDate() const { return std::get<DateTime>(data_); }
    const std::string& asText() const& { return std::get<std::string>(data_); }
    std::string asText() && { return std::get<std::string>(std::move(data_)); }

    // The value as a number (True is -1 as in Jet; a date is its serial day number;
    // text that reads as a number), or nullopt when it has none.
    std::optional<double> ToNumber() const;
    // The value as a person reads it in a sheet: integers and decimals in plain
    // notation, doubles with up to 15 significant digits, dates in ISO 8601, Yes/No
    // as True/False, NULL as empty text.
    std::string ToText() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    using Data = std::variant<std::monostate, bool, std::int64_t, double, sql::Decimal, DateTime, std::string>;
    template <typename T>
    explicit Value(T v) : data_(std::move(v)) {}
    Data data_;
};

// Reads a whole text as a number the way Jet converts text in arithmetic and
// comparisons: optional blanks, sign, digits with a decimal point, an exponent.
std::optional<double> ParseNumberText(std::string_view text);
// True when the text is a plain decimal number: [-]digits[.digits].
bool IsPlainDecimalText(std::string_view text);
// Formats a double in plain notation with up to 15 significant digits.
std::string FormatDouble(double d);

}  // namespace tabvex::jet::sql
