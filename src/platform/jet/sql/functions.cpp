#include "platform/jet/sql/functions.h"

#include <array>
#include <cmath>

#include "platform/calendar/jet_day_number.h"
#include "platform/jet/sql/sql_error.h"
#include "platform/jet/sql/text_case.h"

namespace tabvex::jet::sql {
namespace {

using Arguments = std::span<const Value>;

[[noreturn]] void InvalidCall(std::string_view function) {
    throw SqlError(SqlErrorKind::InvalidArgument, "Invalid procedure call or argument to " + std::string(function));
}

// A character count argument: a whole, non-negative number.
std::size_t CountArgument(const Value& v, std::string_view function) {
    auto number = v.ToNumber();
    if (!number) throw SqlError(SqlErrorKind::TypeMismatch, "Data type mismatch in argument to " + std::string(function));
    double rounded = std::nearbyint(*number);
    if (rounded < 0 || rounded > 2147483647.0) InvalidCall(function);
    return static_cast<std::size_t>(rounded);
}

DateTime DateArgument(const Value& v) {
    if (v.kind() == ValueKind::DateTime) return v.asDate();
    if (v.kind() == ValueKind::Text) {
        if (auto date = ParseDateTime(v.asText())) return *date;
    } else if (auto number = v.ToNumber()) {
        return DateFromNumber(*number);
    }
    throw SqlError(SqlErrorKind::TypeMismatch, "Data type mismatch: '" + v.ToText() + "' is no date");
}

// Text functions give NULL for a NULL first argument.
Value Len(Arguments a, const EvaluationContext&) {
    if (a[0].isNull()) return a[0];
    return Value::Integer(static_cast<std::int64_t>(CharacterCount(a[0].ToText())));
}

Value Left(Arguments a, const EvaluationContext&) {
    std::size_t count = CountArgument(a[1], "Left");
    if (a[0].isNull()) return a[0];
    return Value::Text(std::string(CharacterSlice(a[0].ToText(), 0, count)));
}

Value Right(Arguments a, const EvaluationContext&) {
    std::size_t count = CountArgument(a[1], "Right");
    if (a[0].isNull()) return a[0];
    std::string text = a[0].ToText();
    std::size_t length = CharacterCount(text);
    return Value::Text(std::string(CharacterSlice(text, length > count ? length - count : 0, count)));
}

Value Mid(Arguments a, const EvaluationContext&) {
    std::size_t start = CountArgument(a[1], "Mid");
    if (start == 0) InvalidCall("Mid");
    std::size_t count = a.size() > 2 ? CountArgument(a[2], "Mid") : std::string::npos;
    if (a[0].isNull()) return a[0];
    return Value::Text(std::string(CharacterSlice(a[0].ToText(), start - 1, count)));
}

Value UCase(Arguments a, const EvaluationContext&) {
    return a[0].isNull() ? a[0] : Value::Text(ToUpperText(a[0].ToText()));
}

Value LCase(Arguments a, const EvaluationContext&) {
    return a[0].isNull() ? a[0] : Value::Text(ToLowerText(a[0].ToText()));
}

Value TrimSpaces(const Value& v, bool leading, bool trailing) {
    if (v.isNull()) return v;
    std::string text = v.ToText();
    std::size_t first = leading ? text.find_first_not_of(' ') : 0;
    if (first == std::string::npos) return Value::Text({});
    std::size_t last = trailing ? text.find_last_not_of(' ') : text.size() - 1;
    return Value::Text(text.substr(first, last - first + 1));
}

Value Trim(Arguments a, const EvaluationContext&) { return TrimSpaces(a[0], true, true); }
Value LTrim(Arguments a, const EvaluationContext&) { return TrimSpaces(a[0], true, false); }
Value RTrim(Arguments a, const EvaluationContext&) { return TrimSpaces(a[0], false, true); }

Value Year(Arguments a, const EvaluationContext&) {
    return a[0].isNull() ? a[0] : Value::Integer(DateArgument(a[0]).civil().year);
}
Value Month(Arguments a, const EvaluationContext&) {
    return a[0].isNull() ? a[0] : Value::Integer(DateArgument(a[0]).civil().month);
}
Value Day(Arguments a, const EvaluationContext&) {
    return a[0].isNull() ? a[0] : Value::Integer(DateArgument(a[0]).civil().day);
}

Value Today(Arguments, const EvaluationContext& context) {
    return Value::Date(DateTime::FromSeconds(calendar::StartOfDay(context.Now().seconds())));
}
Value Now(Arguments, const EvaluationContext& context) { return Value::Date(context.Now()); }

// Nz(value[, default]): the value, or the default (empty text without one) for NULL.
Value Nz(Arguments a, const EvaluationContext&) {
    if (!a[0].isNull()) return a[0];
    return a.size() > 1 ? a[1] : Value::Text({});
}

constexpr std::array<FunctionInfo, 16> kFunctions{{
    {"Len", 1, 1, false, Len},
    {"Left", 2, 2, false, Left},
    {"Right", 2, 2, false, Right},
    {"Mid", 2, 3, false, Mid},
    {"UCase", 1, 1, false, UCase},
    {"LCase", 1, 1, false, LCase},
    {"Trim", 1, 1, false, Trim},
    {"LTrim", 1, 1, false, LTrim},
    {"RTrim", 1, 1, false, RTrim},
    {"Year", 1, 1, false, Year},
    {"Month", 1, 1, false, Month},
    {"Day", 1, 1, false, Day},
    {"Date", 0, 0, false, Today},
    {"Now", 0, 0, false, Now},
    {"IIf", 3, 3, true, nullptr},
    {"Nz", 1, 2, false, Nz},
}};

}  // namespace

const FunctionInfo* FindFunction(std::string_view name) {
    for (const auto& function : kFunctions)
        if (EqualsIgnoringCase(function.name, name)) return &function;
    return nullptr;
}

}  // namespace tabvex::jet::sql
