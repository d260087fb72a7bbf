#include "platform/odbc/xls_driver/parameter_literal.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/text/utf8.h"

namespace tabvex::odbc::xls {
namespace {

// What a C value holds, before the SQL type decides how it is written.
enum class DataKind { Text, Number, Date };

struct Data {
    DataKind kind;
    std::string text;  // text as given, a number in digits, a date as "1997-01-31 14:30:00"
};

enum class SqlFamily { Text, Number, Bit, Date, Unsupported };

SqlFamily FamilyOf(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_CHAR:
        case SQL_VARCHAR:
        case SQL_LONGVARCHAR:
        case SQL_WCHAR:
        case SQL_WVARCHAR:
        case SQL_WLONGVARCHAR: return SqlFamily::Text;
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_NUMERIC:
        case SQL_DECIMAL: return SqlFamily::Number;
        case SQL_BIT: return SqlFamily::Bit;
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIME:
        case SQL_TYPE_TIMESTAMP:
        case SQL_DATE:
        case SQL_TIME:
        case SQL_TIMESTAMP: return SqlFamily::Date;
        default: return SqlFamily::Unsupported;
    }
}

std::string Prefix(std::size_t number) { return "Parameter " + std::to_string(number) + ": "; }

template <typename T>
T Read(const void* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

template <typename T>
Data Integer(const void* data) {
    return {DataKind::Number, std::to_string(Read<T>(data))};
}

// The shortest digits that read back as the same value of its own type: a float's
// 0.1f is "0.1", not the 0.100000001490116 of the double it widens to.
template <typename Real>
std::optional<Data> RealNumber(Real value, std::size_t number, Diagnostics& diagnostics) {
    if (!std::isfinite(value)) {
        diagnostics.Add("22003", Prefix(number) + "an infinite or NaN number cannot be stored.");
        return std::nullopt;
    }
    char digits[32];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return Data{DataKind::Number, std::string(digits, end)};
}

std::string TwoDigits(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02u", value % 100);
    return text;
}

std::string Day(SQLSMALLINT year, SQLUSMALLINT month, SQLUSMALLINT day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-", static_cast<int>(year));
    return text + TwoDigits(month) + "-" + TwoDigits(day);
}

std::string TimeOfDay(SQLUSMALLINT hour, SQLUSMALLINT minute, SQLUSMALLINT second) {
    return TwoDigits(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second);
}

// Units of text up to the length the indicator gives, or to the first zero unit
// (within the buffer when its length is known).
template <typename Unit>
std::optional<std::size_t> TextUnits(const ParameterValue& value, std::size_t number, Diagnostics& diagnostics) {
    if (value.indicator && *value.indicator != SQL_NTS) {
        if (*value.indicator >= 0) return static_cast<std::size_t>(*value.indicator) / sizeof(Unit);
        diagnostics.Add("HY090", Prefix(number) + "the length " + std::to_string(*value.indicator) + " is not valid.");
        return std::nullopt;
    }
    const std::size_t limit =
        value.bufferLength > 0 ? static_cast<std::size_t>(value.bufferLength) / sizeof(Unit) : SIZE_MAX;
    std::size_t units = 0;
    while (units < limit && Read<Unit>(static_cast<const char*>(value.data) + units * sizeof(Unit)) != 0) ++units;
    return units;
}

std::optional<Data> Text(const ParameterValue& value, std::size_t number, Diagnostics& diagnostics) {
    auto length = TextUnits<char>(value, number, diagnostics);
    if (!length) return std::nullopt;
    return Data{DataKind::Text, std::string(static_cast<const char*>(value.data), *length)};
}

std::optional<Data> WideText(const ParameterValue& value, std::size_t number, Diagnostics& diagnostics) {
    auto length = TextUnits<char16_t>(value, number, diagnostics);
    if (!length) return std::nullopt;
    std::u16string units(*length, u'\0');
    std::memcpy(units.data(), value.data, *length * sizeof(char16_t));
    return Data{DataKind::Text, text::Utf16ToUtf8(units)};
}

std::optional<Data> DataOf(const ParameterValue& value, std::size_t number, Diagnostics& diagnostics) {
    const void* data = value.data;
    switch (value.cType) {
        case SQL_C_CHAR: return Text(value, number, diagnostics);
        case SQL_C_WCHAR: return WideText(value, number, diagnostics);
        case SQL_C_LONG:
        case SQL_C_SLONG: return Integer<SQLINTEGER>(data);
        case SQL_C_ULONG: return Integer<SQLUINTEGER>(data);
        case SQL_C_SHORT:
        case SQL_C_SSHORT: return Integer<SQLSMALLINT>(data);
        case SQL_C_USHORT: return Integer<SQLUSMALLINT>(data);
        case SQL_C_TINYINT:
        case SQL_C_STINYINT: return Data{DataKind::Number, std::to_string(int{Read<SQLSCHAR>(data)})};
        case SQL_C_UTINYINT: return Data{DataKind::Number, std::to_string(unsigned{Read<SQLCHAR>(data)})};
        case SQL_C_SBIGINT: return Integer<SQLBIGINT>(data);
        case SQL_C_UBIGINT: return Integer<SQLUBIGINT>(data);
        case SQL_C_BIT: return Data{DataKind::Number, Read<SQLCHAR>(data) != 0 ? "1" : "0"};
        case SQL_C_DOUBLE: return RealNumber(Read<SQLDOUBLE>(data), number, diagnostics);
        case SQL_C_FLOAT: return RealNumber(Read<SQLREAL>(data), number, diagnostics);
        case SQL_C_TYPE_DATE:
        case SQL_C_DATE: {
            auto day = Read<SQL_DATE_STRUCT>(data);
            return Data{DataKind::Date, Day(day.year, day.month, day.day)};
        }
        case SQL_C_TYPE_TIME:
        case SQL_C_TIME: {
            auto time = Read<SQL_TIME_STRUCT>(data);
            return Data{DataKind::Date, TimeOfDay(time.hour, time.minute, time.second)};
        }
        case SQL_C_TYPE_TIMESTAMP:
        case SQL_C_TIMESTAMP: {  // the workbook keeps whole seconds: the fraction is left out
            auto when = Read<SQL_TIMESTAMP_STRUCT>(data);
            return Data{DataKind::Date,
                        Day(when.year, when.month, when.day) + " " + TimeOfDay(when.hour, when.minute, when.second)};
        }
        default:
            diagnostics.Add("HY003", Prefix(number) + "C type " + std::to_string(value.cType) + " is not supported.");
            return std::nullopt;
    }
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<double> FiniteNumber(std::string_view text) {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Text that reads whole as a finite number is written as it stands; from_chars takes
// only digits, a sign, a point and an exponent, so nothing else reaches the statement.
std::optional<std::string> NumberText(const Data& data, std::size_t number, Diagnostics& diagnostics) {
    if (data.kind == DataKind::Number) return data.text;
    if (data.kind == DataKind::Date) {
        diagnostics.Add("07006", Prefix(number) + "a date cannot be taken as a number.");
        return std::nullopt;
    }
    std::string_view text = Trimmed(data.text);
    if (!FiniteNumber(text)) {
        diagnostics.Add("22018", Prefix(number) + "'" + data.text.substr(0, 64) + "' is not a number.");
        return std::nullopt;
    }
    return std::string(text);
}

std::optional<std::string> BitLiteral(const Data& data, std::size_t number, Diagnostics& diagnostics) {
    auto digits = NumberText(data, number, diagnostics);
    if (!digits) return std::nullopt;
    return std::string(*FiniteNumber(*digits) != 0 ? "True" : "False");
}

std::string Quoted(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'') quoted += c;
    }
    return quoted + "'";
}

std::optional<std::string> DateLiteral(const Data& data, std::size_t number, Diagnostics& diagnostics) {
    if (data.kind == DataKind::Number) {
        diagnostics.Add("07006", Prefix(number) + "a number cannot be taken as a date.");
        return std::nullopt;
    }
    // The Jet command reads the date; a '#' would end the literal early.
    std::string_view text = Trimmed(data.text);
    if (text.empty() || text.find('#') != std::string_view::npos) {
        diagnostics.Add("22018", Prefix(number) + "'" + data.text.substr(0, 64) + "' is not a date.");
        return std::nullopt;
    }
    return "#" + std::string(text) + "#";
}

std::optional<std::string> LiteralOf(const Data& data, SQLSMALLINT sqlType, std::size_t number,
                                     Diagnostics& diagnostics) {
    switch (FamilyOf(sqlType)) {
        case SqlFamily::Text: return Quoted(data.text);
        case SqlFamily::Number: return NumberText(data, number, diagnostics);
        case SqlFamily::Bit: return BitLiteral(data, number, diagnostics);
        case SqlFamily::Date: return DateLiteral(data, number, diagnostics);
        case SqlFamily::Unsupported: break;
    }
    diagnostics.Add("HYC00", Prefix(number) + "SQL type " + std::to_string(sqlType) + " is not supported.");
    return std::nullopt;
}

}  // namespace

bool IsSupportedParameterCType(SQLSMALLINT cType) {
    switch (cType) {
        case SQL_C_CHAR:
        case SQL_C_WCHAR: return true;
        default: return FixedCTypeSize(cType) > 0;
    }
}

std::size_t FixedCTypeSize(SQLSMALLINT cType) {
    switch (cType) {
        case SQL_C_LONG:
        case SQL_C_SLONG:
        case SQL_C_ULONG: return sizeof(SQLINTEGER);
        case SQL_C_SHORT:
        case SQL_C_SSHORT:
        case SQL_C_USHORT: return sizeof(SQLSMALLINT);
        case SQL_C_TINYINT:
        case SQL_C_STINYINT:
        case SQL_C_UTINYINT:
        case SQL_C_BIT: return 1;
        case SQL_C_SBIGINT:
        case SQL_C_UBIGINT: return sizeof(SQLBIGINT);
        case SQL_C_DOUBLE: return sizeof(SQLDOUBLE);
        case SQL_C_FLOAT: return sizeof(SQLREAL);
        case SQL_C_TYPE_DATE:
        case SQL_C_DATE: return sizeof(SQL_DATE_STRUCT);
        case SQL_C_TYPE_TIME:
        case SQL_C_TIME: return sizeof(SQL_TIME_STRUCT);
        case SQL_C_TYPE_TIMESTAMP:
        case SQL_C_TIMESTAMP: return sizeof(SQL_TIMESTAMP_STRUCT);
        default: return 0;
    }
}

const char* RefusalOfParameterSqlType(SQLSMALLINT sqlType) {
    if (FamilyOf(sqlType) != SqlFamily::Unsupported) return nullptr;
    switch (sqlType) {
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
        case SQL_GUID: return "HYC00";
        default: return sqlType >= SQL_INTERVAL_YEAR && sqlType <= SQL_INTERVAL_MINUTE_TO_SECOND ? "HYC00" : "HY004";
    }
}

std::optional<std::string> JetLiteralOf(const ParameterValue& value, std::size_t number, Diagnostics& diagnostics) {
    if (value.indicator == SQL_NULL_DATA) return std::string("NULL");
    if (value.indicator && (*value.indicator == SQL_DATA_AT_EXEC || *value.indicator <= SQL_LEN_DATA_AT_EXEC_OFFSET)) {
        diagnostics.Add("HYC00", Prefix(number) + "values sent at execution (SQLPutData) are not supported; "
                                              "bind the value itself.");
        return std::nullopt;
    }
    if (!value.data) {
        diagnostics.Add("HY009", Prefix(number) + "no value buffer is bound.");
        return std::nullopt;
    }
    auto data = DataOf(value, number, diagnostics);
    if (!data) return std::nullopt;
    return LiteralOf(*data, value.sqlType, number, diagnostics);
}

}  // namespace tabvex::odbc::xls
