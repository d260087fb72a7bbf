// Comparing two values as Jet does: numbers numerically, text without regard to
// case, dates chronologically; a number or date against text converts the text,
// and fails with a type mismatch when the text is no number or date.
#pragma once

#include <optional>

#include "platform/jet/sql/value.h"

namespace tabvex::jet::sql {

// Negative, zero or positive; nullopt when either side is NULL. Throws SqlError
// (TypeMismatch, no position) when the two cannot be compared.
std::optional<int> CompareValues(const Value& left, const Value& right);

}  // namespace tabvex::jet::sql
