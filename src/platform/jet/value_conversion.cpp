#include "platform/jet/value_conversion.h"

namespace tabvex::jet {
namespace {

struct ToSql {
    sql::Value operator()(std::monostate) const { return sql::Value::Null(); }
    sql::Value operator()(bool flag) const { return sql::Value::Boolean(flag); }
    sql::Value operator()(std::int64_t number) const { return sql::Value::Integer(number); }
    sql::Value operator()(double number) const { return sql::Value::Double(number); }
    sql::Value operator()(const oledb::Decimal& decimal) const { return sql::Value::Decimal(decimal.text); }
    sql::Value operator()(const oledb::DateTime& when) const {
        auto date = sql::DateTime::FromCivil(when);
        return date ? sql::Value::Date(*date) : sql::Value::Null();
    }
    sql::Value operator()(const std::string& text) const { return sql::Value::Text(text); }
    sql::Value operator()(const oledb::Bytes& bytes) const { return sql::Value::Text(oledb::ValueText(bytes)); }
};

}  // namespace

sql::Value ToSqlValue(const oledb::Value& value) { return std::visit(ToSql{}, value); }

oledb::Value ToRowValue(sql::Value value) {
    switch (value.kind()) {
        case sql::ValueKind::Null: return {};
        case sql::ValueKind::Boolean: return value.asBoolean();
        case sql::ValueKind::Integer: return value.asInteger();
        case sql::ValueKind::Double: return value.asDouble();
        case sql::ValueKind::Decimal: return oledb::Decimal{value.asDecimalText()};
        case sql::ValueKind::DateTime: return value.asDate().civil();
        case sql::ValueKind::Text: return std::move(value).asText();
    }
    return {};
}

}  // namespace tabvex::jet
