#include "platform/odbc/value_reader.h"

#include <sqlext.h>

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/odbc/odbc_error.h"

namespace tabvex::odbc {
namespace {

using oledb::Value;

constexpr std::size_t kChunkSize = 4096;  // long values come in pieces of this size

// A fixed-size value; NULL when the driver says so. The driver writes into a
// buffer larger than the value: mdbtools' driver writes four bytes for a BIT.
template <typename T>
std::optional<T> ReadFixed(const Statement& statement, SQLUSMALLINT column, SQLSMALLINT cType) {
    static_assert(sizeof(T) <= 32);
    alignas(8) unsigned char buffer[32] = {};
    SQLLEN indicator = 0;
    statement.Check(SQLGetData(statement.handle(), column, cType, buffer, sizeof buffer, &indicator), "SQLGetData");
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    T value;
    std::memcpy(&value, buffer, sizeof value);
    return value;
}

// Character or binary data of any length, read chunk by chunk; nullopt for NULL.
// Character chunks end with a terminating zero the data does not include.
std::optional<std::string> ReadLong(const Statement& statement, SQLUSMALLINT column, SQLSMALLINT cType) {
    const std::size_t terminator = cType == SQL_C_BINARY ? 0 : 1;
    std::array<char, kChunkSize> chunk;
    std::string data;
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN result = SQLGetData(statement.handle(), column, cType, chunk.data(), chunk.size(), &indicator);
        if (result == SQL_NO_DATA) break;
        statement.Check(result, "SQLGetData");
        if (indicator == SQL_NULL_DATA) return std::nullopt;
        const std::size_t room = chunk.size() - terminator;
        std::size_t got = indicator == SQL_NO_TOTAL || static_cast<std::size_t>(indicator) > room
                              ? room
                              : static_cast<std::size_t>(indicator);
        data.append(chunk.data(), got);
        // SQL_SUCCESS_WITH_INFO (01004) says more follows; a driver that sends nothing
        // more would otherwise be asked forever.
        if (result == SQL_SUCCESS || got < room) break;
    }
    return data;
}

// Jet reads a Single through its shortest text, so 3.14f is 3.14, not 3.1400001.
double SingleAsJetReadsIt(float number) {
    if (!std::isfinite(number)) return number;
    char buffer[64];
    auto written = std::to_chars(buffer, buffer + sizeof buffer, number);
    double widened = number;
    std::from_chars(buffer, written.ptr, widened);
    return widened;
}

// Integers are read as their text, which every driver gives exactly: mdbtools'
// driver writes an integer in its column's width whatever C type is asked for,
// and refuses some. Text that is no integer is kept as it is.
Value IntegerOrText(const std::string& text) {
    std::int64_t number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return text;
    return number;
}

Value DateTimeValue(const SQL_TIMESTAMP_STRUCT& when) {
    oledb::DateTime civil;
    civil.year = when.year;
    civil.month = when.month;
    civil.day = when.day;
    civil.hour = when.hour;
    civil.minute = when.minute;
    civil.second = when.second;
    return civil;
}

std::string GuidText(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != '{' && c != '}') digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return "{" + digits + "}";
}

// A value as long as the most the driver gives may have been cut: the row is refused
// rather than migrated short.
std::string WholeText(const Statement& statement, SQLUSMALLINT column, std::string text) {
    const std::size_t limit = statement.connection().LongTextLimit();
    if (limit == 0 || text.size() < limit) return text;
    throw OdbcError("Column " + std::to_string(column) + " holds " + std::to_string(text.size()) +
                        " bytes, the most this ODBC driver gives of one value, so it may have been cut. "
                        "Read this table through the Microsoft Jet 4.0 OLE DB Provider.",
                    {});
}

template <typename T, typename Make>
Value Typed(const std::optional<T>& read, Make make) {
    return read ? Value{make(*read)} : Value{};
}

}  // namespace

std::string NormalizedDecimalText(const std::string& text) {
    bool negative = !text.empty() && text.front() == '-';
    std::string digits = text.substr(negative ? 1 : 0);
    if (digits.find('.') != std::string::npos) {
        digits.erase(digits.find_last_not_of('0') + 1);
        if (digits.back() == '.') digits.pop_back();
    }
    if (digits.empty() || digits.front() == '.') digits = "0" + digits;
    if (digits == "0") return digits;
    return negative ? "-" + digits : digits;
}

Value ReadValue(const Statement& statement, SQLUSMALLINT column, FetchKind kind) {
    switch (kind) {
        case FetchKind::Integer: return Typed(ReadLong(statement, column, SQL_C_CHAR), IntegerOrText);
        case FetchKind::Bit:
            return Typed(ReadFixed<SQLCHAR>(statement, column, SQL_C_BIT), [](SQLCHAR b) { return b != 0; });
        case FetchKind::Real:
            return Typed(ReadFixed<SQLREAL>(statement, column, SQL_C_FLOAT), SingleAsJetReadsIt);
        case FetchKind::Double:
            return Typed(ReadFixed<SQLDOUBLE>(statement, column, SQL_C_DOUBLE), [](SQLDOUBLE d) { return d; });
        case FetchKind::Decimal:
            return Typed(ReadLong(statement, column, SQL_C_CHAR),
                         [](const std::string& text) { return oledb::Decimal{NormalizedDecimalText(text)}; });
        case FetchKind::DateTime:
            return Typed(ReadFixed<SQL_TIMESTAMP_STRUCT>(statement, column, SQL_C_TYPE_TIMESTAMP), DateTimeValue);
        case FetchKind::Text:
            return Typed(ReadLong(statement, column, SQL_C_CHAR),
                         [&](const std::string& text) { return WholeText(statement, column, text); });
        case FetchKind::Binary:
            return Typed(ReadLong(statement, column, SQL_C_BINARY), [](const std::string& data) {
                return oledb::Bytes{std::vector<std::uint8_t>(data.begin(), data.end())};
            });
        case FetchKind::Guid:
            return Typed(ReadLong(statement, column, SQL_C_CHAR), GuidText);
    }
    return {};
}

}  // namespace tabvex::odbc
