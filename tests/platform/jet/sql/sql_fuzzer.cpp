// Feeds arbitrary text to the parser and evaluates whatever parses over a sample row:
// every input must end in a statement or a SqlError, never a crash or a hang, and a
// condition whose columns pass CheckColumns never meets an unknown column.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/jet/sql/evaluator.h"
#include "platform/jet/sql/insert_values.h"
#include "platform/jet/sql/parser.h"
#include "platform/jet/sql/sql_error.h"

using namespace tabvex::jet::sql;

namespace {

const ValueRow& SampleRow() {
    static const ValueRow row(
        {"Id", "Name", "Price", "Born", "Active", "Note"},
        {Value::Integer(7), Value::Text("Åsa Ünal"), Value::Decimal("12.5000"),
         Value::Date(*DateTime::FromCivil({1996, 7, 4, 14, 30, 0})), Value::Boolean(true), Value::Null()});
    return row;
}

void Exercise(Statement statement) {
    EvaluationContext context{DateTime::FromSeconds(0)};
    if (const auto* select = std::get_if<SelectStatement>(&statement); select && select->where) {
        CheckColumns(*select->where, [](std::string_view name) { return SampleRow().Find(name) != nullptr; });
        // Names checked before the first row cannot be unknown while evaluating it.
        try {
            Evaluator(context).Satisfies(*select->where, SampleRow());
        } catch (const SqlError& e) {
            if (e.kind() == SqlErrorKind::UnknownColumn) std::abort();
            throw;
        }
    } else if (auto* insert = std::get_if<InsertStatement>(&statement)) {
        ResolveInsertValues(std::move(*insert), SampleRow().names(), context);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        Exercise(ParseStatement(text));
    } catch (const SqlError&) {
    }
    return 0;
}
