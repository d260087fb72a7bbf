// A typed value of a row as the providers hold it, and its text as a person
// reading the sheet expects it: integers and decimals in plain notation, currency
// and decimals exactly, dates as ISO 8601, yes/no as True/False, binary as hex.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/calendar/civil_date_time.h"

namespace tabvex::oledb {

// An exact decimal (currency, numeric) kept as its plain-notation text, e.g. "-12.3400".
struct Decimal {
    std::string text;
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

using DateTime = calendar::CivilDateTime;

struct Bytes {
    std::vector<std::uint8_t> data;
    friend bool operator==(const Bytes&, const Bytes&) = default;
};

// std::monostate is NULL.
using Value = std::variant<std::monostate, bool, std::int64_t, double, Decimal, DateTime, std::string, Bytes>;

inline bool IsNull(const Value& value) { return std::holds_alternative<std::monostate>(value); }

// The text of a value (empty for NULL): "1996-07-04", "1996-07-04 14:30:00", "True",
// "0A1B", "0.1", "12345678901234567890" for a double that is a whole number.
std::string ValueText(const Value& value);

}  // namespace tabvex::oledb
