#include "platform/jet/sql/comparison.h"

#include <cstdlib>

#include "platform/jet/sql/sql_error.h"
#include "platform/jet/sql/text_case.h"

namespace tabvex::jet::sql {
namespace {

template <typename T>
int Order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

[[noreturn]] void Mismatch() { throw SqlError(SqlErrorKind::TypeMismatch, "Data type mismatch in criteria expression"); }

// A date's partner as a date: dates, numbers as serial days, text that reads as a date.
DateTime AsDate(const Value& v) {
    if (v.kind() == ValueKind::DateTime) return v.asDate();
    if (v.kind() == ValueKind::Text) {
        if (auto date = ParseDateTime(v.asText())) return *date;
        Mismatch();
    }
    return DateFromNumber(*v.ToNumber());
}

// Two exact decimals compare by long double, which holds 18 significant digits exactly.
int CompareNumbers(const Value& a, const Value& b) {
    if (a.kind() == ValueKind::Integer && b.kind() == ValueKind::Integer) return Order(a.asInteger(), b.asInteger());
    if (a.kind() == ValueKind::Decimal && b.kind() == ValueKind::Decimal)
        return Order(std::strtold(a.asDecimalText().c_str(), nullptr), std::strtold(b.asDecimalText().c_str(), nullptr));
    auto x = a.ToNumber();
    auto y = b.ToNumber();
    if (!x || !y) Mismatch();
    return Order(*x, *y);
}

}  // namespace

std::optional<int> CompareValues(const Value& left, const Value& right) {
    if (left.isNull() || right.isNull()) return std::nullopt;
    bool leftText = left.kind() == ValueKind::Text;
    bool rightText = right.kind() == ValueKind::Text;
    if (leftText && rightText) return CompareIgnoringCase(left.asText(), right.asText());
    if (left.kind() == ValueKind::DateTime || right.kind() == ValueKind::DateTime)
        return Order(AsDate(left), AsDate(right));
    return CompareNumbers(left, right);
}

}  // namespace tabvex::jet::sql
