#include "platform/jet/sql/arithmetic.h"

#include <cmath>
#include <limits>

#include "platform/jet/sql/sql_error.h"

namespace tabvex::jet::sql {
namespace {

[[noreturn]] void Mismatch() { throw SqlError(SqlErrorKind::TypeMismatch, "Data type mismatch in criteria expression"); }

double NumberOf(const Value& v) {
    auto number = v.ToNumber();
    if (!number) Mismatch();
    return *number;
}

bool IsWhole(const Value& v) { return v.kind() == ValueKind::Integer || v.kind() == ValueKind::Boolean; }
std::int64_t WholeOf(const Value& v) {
    return v.kind() == ValueKind::Boolean ? (v.asBoolean() ? -1 : 0) : v.asInteger();
}

// Rounds half to even, as Jet does before \ and Mod.
std::int64_t RoundToWhole(double d) {
    if (!std::isfinite(d) || std::fabs(d) >= 9.2e18) throw SqlError(SqlErrorKind::Overflow, "Overflow");
    return static_cast<std::int64_t>(std::nearbyint(d));
}

Value WholeArithmetic(Operator op, std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    bool overflow = false;
    switch (op) {
    case Operator::Add: overflow = __builtin_add_overflow(a, b, &result); break;
    case Operator::Subtract: overflow = __builtin_sub_overflow(a, b, &result); break;
    case Operator::Multiply: overflow = __builtin_mul_overflow(a, b, &result); break;
    default: overflow = true; break;
    }
    if (!overflow) return Value::Integer(result);
    double x = static_cast<double>(a), y = static_cast<double>(b);
    return Value::Double(op == Operator::Add ? x + y : op == Operator::Subtract ? x - y : x * y);
}

Value IntegerDivision(Operator op, double left, double right) {
    std::int64_t a = RoundToWhole(left), b = RoundToWhole(right);
    if (b == 0) throw SqlError(SqlErrorKind::DivisionByZero, "Division by zero");
    if (b == -1) return op == Operator::Modulo ? Value::Integer(0) : WholeArithmetic(Operator::Multiply, a, -1);
    return Value::Integer(op == Operator::Modulo ? a % b : a / b);
}

// Date plus or minus days, and the days between two dates.
Value DateArithmetic(Operator op, const Value& left, const Value& right) {
    bool leftDate = left.kind() == ValueKind::DateTime, rightDate = right.kind() == ValueKind::DateTime;
    if (op == Operator::Subtract && leftDate && rightDate)
        return Value::Double(left.asDate().serial() - right.asDate().serial());
    double sum = op == Operator::Add ? NumberOf(left) + NumberOf(right) : NumberOf(left) - NumberOf(right);
    return Value::Date(DateFromNumber(sum));
}

Value Concatenate(const Value& left, const Value& right) {
    if (left.isNull() && right.isNull()) return Value::Null();
    return Value::Text(left.ToText() + right.ToText());
}

}  // namespace

Value ApplyArithmetic(Operator op, const Value& left, const Value& right) {
    if (op == Operator::Concatenate) return Concatenate(left, right);
    if (left.isNull() || right.isNull()) return Value::Null();
    bool bothText = left.kind() == ValueKind::Text && right.kind() == ValueKind::Text;
    if (op == Operator::Add && bothText) return Value::Text(left.asText() + right.asText());
    bool anyDate = left.kind() == ValueKind::DateTime || right.kind() == ValueKind::DateTime;
    if (anyDate && (op == Operator::Add || op == Operator::Subtract)) return DateArithmetic(op, left, right);
    if (IsWhole(left) && IsWhole(right) && op != Operator::Divide && op != Operator::Power &&
        op != Operator::IntegerDivide && op != Operator::Modulo)
        return WholeArithmetic(op, WholeOf(left), WholeOf(right));
    double a = NumberOf(left), b = NumberOf(right);
    switch (op) {
    case Operator::Add: return Value::Double(a + b);
    case Operator::Subtract: return Value::Double(a - b);
    case Operator::Multiply: return Value::Double(a * b);
    case Operator::Divide:
        if (b == 0) throw SqlError(SqlErrorKind::DivisionByZero, "Division by zero");
        return Value::Double(a / b);
    case Operator::IntegerDivide:
    case Operator::Modulo: return IntegerDivision(op, a, b);
    case Operator::Power: {
        double result = std::pow(a, b);
        if (!std::isfinite(result)) throw SqlError(SqlErrorKind::Overflow, "Overflow");
        return Value::Double(result);
    }
    default: break;
    }
    Mismatch();
}

Value Negate(const Value& operand) {
    switch (operand.kind()) {
    case ValueKind::Null: return operand;
    case ValueKind::Integer:
    case ValueKind::Boolean: return WholeArithmetic(Operator::Subtract, 0, WholeOf(operand));
    case ValueKind::Decimal: {
        const std::string& text = operand.asDecimalText();
        return Value::Decimal(text.starts_with('-') ? text.substr(1) : "-" + text);
    }
    default: return Value::Double(-NumberOf(operand));
    }
}

}  // namespace tabvex::jet::sql
