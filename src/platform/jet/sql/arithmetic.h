// Jet's arithmetic and concatenation on values: NULL in, NULL out (except that '&'
// treats one NULL side as empty text), whole numbers stay whole until they overflow,
// '+' on two texts joins them, and a date plus or minus days stays a date.
#pragma once

#include "platform/jet/sql/expression.h"
#include "platform/jet/sql/value.h"

namespace tabvex::jet::sql {

// op is one of Add, Subtract, Multiply, Divide, IntegerDivide, Modulo, Power,
// Concatenate. Throws SqlError (no position) for a type mismatch or a division by zero.
Value ApplyArithmetic(Operator op, const Value& left, const Value& right);
Value Negate(const Value& operand);

}  // namespace tabvex::jet::sql
