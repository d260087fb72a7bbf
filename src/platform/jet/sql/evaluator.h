// Evaluates expression trees over a row with Jet's semantics: NULL propagates, AND,
// OR and NOT use three-valued logic, and a WHERE condition keeps a row only when it is
// true (not when it is false or NULL).
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "platform/jet/sql/expression.h"
#include "platform/jet/sql/functions.h"
#include "platform/jet/sql/row.h"
#include "platform/jet/sql/value.h"

namespace tabvex::jet::sql {

class Evaluator {
public:
    explicit Evaluator(EvaluationContext context = {}) : context_(context) {}

    // Throws SqlError naming the position of the failing part of the expression.
    Value Evaluate(const Expr& expr, const Row& row) const;
    // Whether the row satisfies the condition (NULL counts as not satisfied).
    bool Satisfies(const Expr& condition, const Row& row) const;

private:
    std::optional<bool> Truth(const Expr& expr, const Row& row) const;
    Value EvaluateLogic(const Expr& expr, const Row& row) const;
    Value EvaluateComparison(const Expr& expr, const Row& row) const;
    Value EvaluateLike(const Expr& expr, const Row& row) const;
    Value EvaluateBetween(const Expr& expr, const Row& row) const;
    Value EvaluateIn(const Expr& expr, const Row& row) const;
    Value EvaluateFunction(const Expr& expr, const Row& row) const;

    EvaluationContext context_;
};

// Fails with SqlError (UnknownColumn, naming the first unknown name and its position)
// when the expression refers to a column the table does not have; used before any
// row is read so that an empty table reports a misspelt column too.
void CheckColumns(const Expr& expr, const std::function<bool(std::string_view)>& tableHasColumn);

// The truth of a value in a condition: nullopt for NULL; numbers are true when not
// zero; text must read as a number or as True/False. Throws SqlError (TypeMismatch).
std::optional<bool> TruthOf(const Value& value);

}  // namespace tabvex::jet::sql
