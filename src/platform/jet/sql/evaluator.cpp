#include "platform/jet/sql/evaluator.h"

#include <vector>

#include "platform/jet/sql/arithmetic.h"
#include "platform/jet/sql/comparison.h"
#include "platform/jet/sql/like_pattern.h"
#include "platform/jet/sql/sql_error.h"
#include "platform/jet/sql/text_case.h"

namespace tabvex::jet::sql {
namespace {

// Runs a step that may fail without knowing where, and names the node's position.
template <typename Step>
auto AtPosition(const Expr& expr, Step step) -> decltype(step()) {
    try {
        return step();
    } catch (const SqlError& error) {
        throw SqlError::At(error.kind(), expr.position, error.what());
    }
}

Value FromTruth(std::optional<bool> truth) { return truth ? Value::Boolean(*truth) : Value::Null(); }

std::optional<bool> Not(std::optional<bool> truth) {
    if (!truth) return truth;
    return !*truth;
}

// Three-valued AND and OR.
std::optional<bool> And(std::optional<bool> a, std::optional<bool> b) {
    if (a == false || b == false) return false;
    if (!a || !b) return std::nullopt;
    return true;
}
std::optional<bool> Or(std::optional<bool> a, std::optional<bool> b) {
    if (a == true || b == true) return true;
    if (!a || !b) return std::nullopt;
    return false;
}

bool ComparisonHolds(Operator op, int order) {
    switch (op) {
    case Operator::Equal: return order == 0;
    case Operator::NotEqual: return order != 0;
    case Operator::Less: return order < 0;
    case Operator::LessEqual: return order <= 0;
    case Operator::Greater: return order > 0;
    case Operator::GreaterEqual: return order >= 0;
    default: return false;
    }
}

bool IsComparison(Operator op) { return op >= Operator::Equal && op <= Operator::GreaterEqual; }

}  // namespace

std::optional<bool> TruthOf(const Value& value) {
    if (value.isNull()) return std::nullopt;
    if (value.kind() == ValueKind::Boolean) return value.asBoolean();
    if (value.kind() == ValueKind::Text) {
        if (EqualsIgnoringCase(value.asText(), "True")) return true;
        if (EqualsIgnoringCase(value.asText(), "False")) return false;
    }
    auto number = value.ToNumber();
    if (!number) throw SqlError(SqlErrorKind::TypeMismatch, "Data type mismatch in criteria expression");
    return *number != 0;
}

Value Evaluator::Evaluate(const Expr& expr, const Row& row) const {
    switch (expr.kind) {
    case ExprKind::Literal:
        return expr.literal;
    case ExprKind::Column:
        if (const Value* value = row.Find(expr.name)) return *value;
        throw SqlError::At(SqlErrorKind::UnknownColumn, expr.position, "Unknown column '" + expr.name + "'");
    case ExprKind::Unary:
        if (expr.op == Operator::Not) return FromTruth(Not(Truth(*expr.operands[0], row)));
        return AtPosition(expr, [&] { return Negate(Evaluate(*expr.operands[0], row)); });
    case ExprKind::Binary:
        if (expr.op == Operator::And || expr.op == Operator::Or) return EvaluateLogic(expr, row);
        if (IsComparison(expr.op)) return EvaluateComparison(expr, row);
        {
            Value left = Evaluate(*expr.operands[0], row);
            Value right = Evaluate(*expr.operands[1], row);
            return AtPosition(expr, [&] { return ApplyArithmetic(expr.op, left, right); });
        }
    case ExprKind::Like:
        return EvaluateLike(expr, row);
    case ExprKind::Between:
        return EvaluateBetween(expr, row);
    case ExprKind::In:
        return EvaluateIn(expr, row);
    case ExprKind::IsNull:
        return Value::Boolean(Evaluate(*expr.operands[0], row).isNull() != expr.negated);
    case ExprKind::Function:
        return EvaluateFunction(expr, row);
    }
    return Value::Null();
}

bool Evaluator::Satisfies(const Expr& condition, const Row& row) const { return Truth(condition, row) == true; }

std::optional<bool> Evaluator::Truth(const Expr& expr, const Row& row) const {
    Value value = Evaluate(expr, row);
    return AtPosition(expr, [&] { return TruthOf(value); });
}

// AND stops at a false left side and OR at a true one, so that the right side's
// failures (a division by zero, say) do not matter when the answer is known.
Value Evaluator::EvaluateLogic(const Expr& expr, const Row& row) const {
    std::optional<bool> left = Truth(*expr.operands[0], row);
    bool isAnd = expr.op == Operator::And;
    if (left == !isAnd) return Value::Boolean(*left);
    std::optional<bool> right = Truth(*expr.operands[1], row);
    return FromTruth(isAnd ? And(left, right) : Or(left, right));
}

Value Evaluator::EvaluateComparison(const Expr& expr, const Row& row) const {
    Value left = Evaluate(*expr.operands[0], row);
    Value right = Evaluate(*expr.operands[1], row);
    std::optional<int> order = AtPosition(expr, [&] { return CompareValues(left, right); });
    if (!order) return Value::Null();
    return Value::Boolean(ComparisonHolds(expr.op, *order));
}

Value Evaluator::EvaluateLike(const Expr& expr, const Row& row) const {
    Value text = Evaluate(*expr.operands[0], row);
    Value pattern = Evaluate(*expr.operands[1], row);
    if (text.isNull() || pattern.isNull()) return Value::Null();
    return Value::Boolean(LikePattern(pattern.ToText()).Matches(text.ToText()) != expr.negated);
}

// Jet accepts the two bounds in either order.
Value Evaluator::EvaluateBetween(const Expr& expr, const Row& row) const {
    Value value = Evaluate(*expr.operands[0], row);
    Value low = Evaluate(*expr.operands[1], row);
    Value high = Evaluate(*expr.operands[2], row);
    return AtPosition(expr, [&] {
        auto boundsOrder = CompareValues(low, high);
        if (boundsOrder && *boundsOrder > 0) std::swap(low, high);
        auto fromLow = CompareValues(value, low);
        auto toHigh = CompareValues(value, high);
        std::optional<bool> aboveLow = fromLow ? std::optional<bool>(*fromLow >= 0) : std::nullopt;
        std::optional<bool> belowHigh = toHigh ? std::optional<bool>(*toHigh <= 0) : std::nullopt;
        std::optional<bool> inside = And(aboveLow, belowHigh);
        return FromTruth(expr.negated ? Not(inside) : inside);
    });
}

Value Evaluator::EvaluateIn(const Expr& expr, const Row& row) const {
    Value value = Evaluate(*expr.operands[0], row);
    std::optional<bool> found = false;
    for (std::size_t i = 1; i < expr.operands.size() && found != true; ++i) {
        Value candidate = Evaluate(*expr.operands[i], row);
        auto order = AtPosition(*expr.operands[i], [&] { return CompareValues(value, candidate); });
        found = Or(found, order ? std::optional<bool>(*order == 0) : std::nullopt);
    }
    return FromTruth(expr.negated ? Not(found) : found);
}

Value Evaluator::EvaluateFunction(const Expr& expr, const Row& row) const {
    const FunctionInfo* function = FindFunction(expr.name);
    if (function->conditional) {  // IIf(condition, then, else)
        bool chosen = Truth(*expr.operands[0], row) == true;
        return Evaluate(*expr.operands[chosen ? 1 : 2], row);
    }
    std::vector<Value> arguments;
    arguments.reserve(expr.operands.size());
    for (const auto& operand : expr.operands) arguments.push_back(Evaluate(*operand, row));
    return AtPosition(expr, [&] { return function->call(arguments, context_); });
}

void CheckColumns(const Expr& expr, const std::function<bool(std::string_view)>& tableHasColumn) {
    if (expr.kind == ExprKind::Column && !tableHasColumn(expr.name))
        throw SqlError::At(SqlErrorKind::UnknownColumn, expr.position, "Unknown column '" + expr.name + "'");
    for (const auto& operand : expr.operands) CheckColumns(*operand, tableHasColumn);
}

}  // namespace tabvex::jet::sql
