// The tree of a condition or value expression, as the parser builds it and the
// evaluator walks it. Every node keeps the position of its first token so that a
// failure while evaluating names where it happened.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/jet/sql/value.h"

namespace tabvex::jet::sql {

enum class ExprKind {
    Literal,   // literal
    Column,    // name
    Unary,     // op operands[0]
    Binary,    // operands[0] op operands[1]
    Like,      // operands[0] [NOT] LIKE operands[1]
    Between,   // operands[0] [NOT] BETWEEN operands[1] AND operands[2]
    In,        // operands[0] [NOT] IN (operands[1..])
    IsNull,    // operands[0] IS [NOT] NULL
    Function,  // name(operands...)
};

enum class Operator {
    None,
    Negate, Not,
    Add, Subtract, Multiply, Divide, IntegerDivide, Modulo, Power, Concatenate,
    Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual,
    And, Or,
};

struct Expr {
    ExprKind kind = ExprKind::Literal;
    Operator op = Operator::None;
    bool negated = false;  // NOT LIKE, NOT BETWEEN, NOT IN, IS NOT NULL
    Value literal;
    std::string name;      // column or function name as written
    std::vector<std::unique_ptr<Expr>> operands;
    std::size_t position = 0;
    std::size_t height = 1;  // levels of the tree below and including this node
};

using ExprPtr = std::unique_ptr<Expr>;

}  // namespace tabvex::jet::sql
