// The built-in functions of conditions: Len, Left, Right, Mid, UCase, LCase, Trim,
// LTrim, RTrim, Year, Month, Day, Date, Now, IIf, Nz. Names are case-insensitive.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "platform/jet/sql/date_time.h"
#include "platform/jet/sql/value.h"

namespace tabvex::jet::sql {

// What a statement's evaluation shares: the clock, read at the first Date() or Now()
// and then kept, so that every row sees the same time.
class EvaluationContext {
public:
    EvaluationContext() = default;
    explicit EvaluationContext(DateTime fixedNow) : now_(fixedNow) {}
    DateTime Now() const {
        if (!now_) now_ = DateTime::Now();
        return *now_;
    }

private:
    mutable std::optional<DateTime> now_;
};

struct FunctionInfo {
    std::string_view name;
    std::size_t minArguments;
    std::size_t maxArguments;
    // IIf evaluates its condition first and then only the chosen branch; it has no
    // implementation here.
    bool conditional = false;
    // Computes the function from its evaluated arguments; throws SqlError (without a
    // position: the evaluator adds it) for arguments the function cannot take.
    Value (*call)(std::span<const Value> arguments, const EvaluationContext& context) = nullptr;
};

// The function of that name, or nullptr for an unknown one.
const FunctionInfo* FindFunction(std::string_view name);

}  // namespace tabvex::jet::sql
