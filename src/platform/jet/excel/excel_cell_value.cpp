#include "platform/jet/excel/excel_cell_value.h"

#include <cmath>

#include "platform/calendar/jet_day_number.h"
#include "platform/jet/sql/date_time.h"
#include "platform/jet/sql/text_case.h"
#include "platform/jet/sql/value.h"
#include "platform/text/utf8.h"
#include "platform/xls/limits.h"

namespace tabvex::jet::excel {
namespace {

// Currency is exact to four places; a cell's double is rounded to them.
oledb::Value CurrencyValue(double number) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", number);
    return oledb::Decimal{buffer};
}

std::optional<double> CellNumber(const xls::CellValue& cell) {
    if (cell.type == xls::CellType::Number) return cell.number;
    if (cell.type == xls::CellType::Text) return sql::ParseNumberText(cell.text);
    return std::nullopt;
}

// A date column's cell: a number counts days in the workbook's date system; text is a
// Jet day number or a date as a person writes it. Days outside Jet's years 100 to 9999
// are no date.
oledb::Value DateValue(const xls::CellValue& cell, DateSystem dates) {
    std::optional<double> serial;
    if (cell.type == xls::CellType::Number) serial = JetSerialFromExcel(cell.number, dates);
    else if (cell.type == xls::CellType::Text) serial = sql::ParseNumberText(cell.text);
    if (serial) {
        std::optional<sql::DateTime> date = sql::DateTime::FromSerial(*serial);
        return date ? oledb::Value(date->civil()) : std::monostate{};
    }
    if (auto date = sql::ParseDateTime(cell.text)) return date->civil();
    return std::monostate{};
}

// The number a value stands for in a number, currency or date column.
std::optional<double> NumberOf(const oledb::Value& value, ExcelColumnKind kind) {
    struct Visitor {
        ExcelColumnKind kind;
        std::optional<double> operator()(std::monostate) const { return std::nullopt; }
        std::optional<double> operator()(bool flag) const { return flag ? -1.0 : 0.0; }
        std::optional<double> operator()(std::int64_t number) const { return static_cast<double>(number); }
        std::optional<double> operator()(double number) const { return number; }
        std::optional<double> operator()(const oledb::Decimal& decimal) const {
            return sql::ParseNumberText(decimal.text);
        }
        std::optional<double> operator()(const oledb::DateTime& when) const {
            auto date = sql::DateTime::FromCivil(when);
            return date ? std::optional<double>(date->serial()) : std::nullopt;
        }
        std::optional<double> operator()(const std::string& text) const {
            if (kind == ExcelColumnKind::DateTime)
                if (auto date = sql::ParseDateTime(text)) return date->serial();
            return sql::ParseNumberText(text);
        }
        std::optional<double> operator()(const oledb::Bytes&) const { return std::nullopt; }
    };
    return std::visit(Visitor{kind}, value);
}

std::string Quoted(const oledb::Value& value) {
    std::string text = oledb::ValueText(value);
    return text.size() > 40 ? "'" + text.substr(0, 40) + "...'" : "'" + text + "'";
}

}  // namespace

oledb::Value ReadCell(const xls::CellValue& cell, ExcelColumnKind kind, DateSystem dates) {
    if (cell.type == xls::CellType::Empty || cell.type == xls::CellType::Error) return std::monostate{};
    switch (kind) {
    case ExcelColumnKind::Text:
    case ExcelColumnKind::LongText: return cell.Shown();
    case ExcelColumnKind::Boolean:
        if (cell.type == xls::CellType::Boolean || cell.type == xls::CellType::Number) return cell.number != 0;
        if (sql::EqualsIgnoringCase(cell.text, "True")) return true;
        if (sql::EqualsIgnoringCase(cell.text, "False")) return false;
        return std::monostate{};
    default: break;
    }
    if (kind == ExcelColumnKind::DateTime) return DateValue(cell, dates);
    std::optional<double> number = CellNumber(cell);
    if (!number) return std::monostate{};
    if (kind == ExcelColumnKind::Currency) return CurrencyValue(*number);
    return *number;
}

CellContent CellContentFor(oledb::Value value, ExcelColumnKind kind, DateSystem dates, const std::string& column) {
    if (oledb::IsNull(value)) return std::monostate{};
    if (kind == ExcelColumnKind::Text || kind == ExcelColumnKind::LongText || kind == ExcelColumnKind::Boolean) {
        auto* given = std::get_if<std::string>(&value);
        std::string text = given ? std::move(*given) : oledb::ValueText(value);
        // Counted as the workbook counts, so that no cell of a checked row is refused;
        // a text of no more bytes than the limit has no more UTF-16 units either.
        const std::size_t length = text.size() <= xls::kMaxCellText ? text.size() : text::Utf16Length(text);
        if (length > xls::kMaxCellText)
            throw IsamError(oledb::DB_E_DATAOVERFLOW, "The value for column '" + column + "' has " +
                                                          std::to_string(length) + " characters; an Excel cell holds at most " +
                                                          std::to_string(xls::kMaxCellText) + ".");
        return text;
    }
    std::optional<double> number = NumberOf(value, kind);
    bool fits = number && (kind == ExcelColumnKind::DateTime ? calendar::IsJetDateSerial(*number) : std::isfinite(*number));
    if (!fits)
        throw IsamError(oledb::DB_E_CANTCONVERTVALUE,
                        "Data type mismatch: the value " + Quoted(value) + " does not fit the column '" + column + "'.");
    return kind == ExcelColumnKind::DateTime ? ExcelSerialFromJet(*number, dates) : *number;
}

std::optional<std::uint16_t> NumberFormatFor(ExcelColumnKind kind, double number) {
    // Built-in formats: 7 "$"#,##0.00_);("$"#,##0.00), 14 m/d/yy, 22 m/d/yy h:mm.
    if (kind == ExcelColumnKind::Currency) return 7;
    if (kind == ExcelColumnKind::DateTime) return std::floor(number) == number ? 14 : 22;
    return std::nullopt;
}

}  // namespace tabvex::jet::excel
