#include "platform/odbc/xls_driver/c_data.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/text/utf8.h"

namespace tabvex::odbc::xls {
namespace {

void SetIndicator(const CTarget& target, SQLLEN value) {
    if (target.indicator) *target.indicator = value;
}

template <typename T>
SQLRETURN Store(const CTarget& target, T value) {
    if (target.buffer) std::memcpy(target.buffer, &value, sizeof value);
    SetIndicator(target, sizeof value);
    return SQL_SUCCESS;
}

SQLRETURN Mismatch(std::string_view value, const char* what, Diagnostics& diagnostics) {
    diagnostics.Add("22018", "The value '" + std::string(value.substr(0, 64)) + "' cannot be read as " + what + ".");
    return SQL_ERROR;
}

std::optional<double> NumberOf(std::string_view text) {
    if (text == "True") return -1.0;
    if (text == "False") return 0.0;
    double number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

template <typename T>
SQLRETURN WriteInteger(std::string_view text, const CTarget& target, Diagnostics& diagnostics) {
    auto number = NumberOf(text);
    if (!number) return Mismatch(text, "a number", diagnostics);
    double whole = std::trunc(*number);
    if (whole < static_cast<double>(std::numeric_limits<T>::min()) ||
        whole > static_cast<double>(std::numeric_limits<T>::max())) {
        diagnostics.Add("22003", "The value " + std::string(text) + " is out of range for the bound type.");
        return SQL_ERROR;
    }
    SQLRETURN stored = Store(target, static_cast<T>(whole));
    if (whole != *number) {
        diagnostics.Add("01S07", "The fraction of " + std::string(text) + " was cut off.");
        return SQL_SUCCESS_WITH_INFO;
    }
    return stored;
}

SQLRETURN WriteBit(std::string_view text, const CTarget& target, Diagnostics& diagnostics) {
    auto number = NumberOf(text);
    if (!number) return Mismatch(text, "a bit", diagnostics);
    return Store(target, static_cast<unsigned char>(*number != 0 ? 1 : 0));
}

SQLRETURN WriteTimestamp(std::string_view text, const CTarget& target, Diagnostics& diagnostics) {
    SQL_TIMESTAMP_STRUCT when{};
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::string copy(text);
    int fields = std::sscanf(copy.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second);
    if (fields != 3 && fields != 6) return Mismatch(text, "a date", diagnostics);
    when.year = static_cast<SQLSMALLINT>(year);
    when.month = static_cast<SQLUSMALLINT>(month);
    when.day = static_cast<SQLUSMALLINT>(day);
    when.hour = static_cast<SQLUSMALLINT>(hour);
    when.minute = static_cast<SQLUSMALLINT>(minute);
    when.second = static_cast<SQLUSMALLINT>(second);
    return Store(target, when);
}

// Copies the piece of `data` from `offset` that fits with `terminator` bytes of zero.
SQLRETURN WritePiece(std::string_view data, std::size_t unit, std::size_t terminator, const CTarget& target,
                     std::size_t& offset, Diagnostics& diagnostics) {
    if (offset > 0 && offset >= data.size()) return SQL_NO_DATA;
    std::size_t remaining = data.size() - offset;
    SetIndicator(target, static_cast<SQLLEN>(remaining));
    if (target.bufferLength < 0) {
        diagnostics.Add("HY090", "The buffer length is negative.");
        return SQL_ERROR;
    }
    std::size_t room = static_cast<std::size_t>(target.bufferLength);
    room = room >= terminator ? (room - terminator) / unit * unit : 0;
    std::size_t piece = std::min(room, remaining);
    if (unit == 1 && terminator == 1 && piece < remaining) {
        // Text is cut where a UTF-8 character starts, so every piece is valid text,
        // unless the buffer is too small for even one character: then bytes it is,
        // so that the value still arrives whole over the calls.
        std::size_t boundary = piece;
        while (boundary > 0 && (static_cast<unsigned char>(data[offset + boundary]) & 0xC0) == 0x80) --boundary;
        if (boundary > 0) piece = boundary;
    }
    if (target.buffer && static_cast<std::size_t>(target.bufferLength) >= terminator) {
        std::memcpy(target.buffer, data.data() + offset, piece);
        std::memset(static_cast<char*>(target.buffer) + piece, 0, terminator);
    }
    offset += piece;
    if (piece < remaining) {
        diagnostics.Add("01004", "String data, right truncated.");
        return SQL_SUCCESS_WITH_INFO;
    }
    if (offset == 0) offset = 1;  // an empty value counts as read
    return SQL_SUCCESS;
}

SQLRETURN WriteWideText(std::string_view text, const CTarget& target, std::size_t& offset, Diagnostics& diagnostics) {
    std::u16string wide = text::Utf8ToUtf16(text);
    std::string_view bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(char16_t));
    std::size_t byteOffset = offset * sizeof(char16_t);
    SQLRETURN result = WritePiece(bytes, sizeof(char16_t), sizeof(char16_t), target, byteOffset, diagnostics);
    offset = byteOffset / sizeof(char16_t) + (byteOffset % sizeof(char16_t));
    return result;
}

std::optional<std::string> BytesOfHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
        if (error != std::errc() || end != hex.data() + i + 2) return std::nullopt;
        bytes += static_cast<char>(value);
    }
    return bytes;
}

SQLRETURN WriteBinary(const ResultColumn& column, std::string_view text, const CTarget& target, std::size_t& offset,
                      Diagnostics& diagnostics) {
    // Binary values arrive as hexadecimal text; any other value gives its text's bytes.
    std::string bytes(text);
    if (column.providerType == oledb::DBTYPE_BYTES) {
        auto decoded = BytesOfHex(text);
        if (!decoded) return Mismatch(text, "binary data", diagnostics);
        bytes = std::move(*decoded);
    }
    return WritePiece(bytes, 1, 0, target, offset, diagnostics);
}

}  // namespace

SQLSMALLINT DefaultCType(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_SMALLINT: return SQL_C_SSHORT;
        case SQL_INTEGER: return SQL_C_SLONG;
        case SQL_BIGINT: return SQL_C_SBIGINT;
        case SQL_TINYINT: return SQL_C_STINYINT;
        case SQL_REAL: return SQL_C_FLOAT;
        case SQL_FLOAT:
        case SQL_DOUBLE: return SQL_C_DOUBLE;
        case SQL_BIT: return SQL_C_BIT;
        case SQL_TYPE_DATE: return SQL_C_TYPE_DATE;
        case SQL_TYPE_TIME: return SQL_C_TYPE_TIME;
        case SQL_TYPE_TIMESTAMP: return SQL_C_TYPE_TIMESTAMP;
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY: return SQL_C_BINARY;
        default: return SQL_C_CHAR;
    }
}

bool IsSupportedCType(SQLSMALLINT type) {
    switch (type) {
        case SQL_C_CHAR:
        case SQL_C_WCHAR:
        case SQL_C_DEFAULT:
        case SQL_C_LONG:
        case SQL_C_SLONG:
        case SQL_C_ULONG:
        case SQL_C_SHORT:
        case SQL_C_SSHORT:
        case SQL_C_STINYINT:
        case SQL_C_TINYINT:
        case SQL_C_SBIGINT:
        case SQL_C_DOUBLE:
        case SQL_C_FLOAT:
        case SQL_C_BIT:
        case SQL_C_TYPE_TIMESTAMP:
        case SQL_C_TIMESTAMP:
        case SQL_C_BINARY: return true;
        default: return false;
    }
}

SQLRETURN WriteCValue(const ResultColumn& column, std::optional<std::string_view> value, const CTarget& target,
                      std::size_t& offset, Diagnostics& diagnostics) {
    if (!value) {
        if (offset > 0) return SQL_NO_DATA;
        if (!target.indicator) {
            diagnostics.Add("22002", "The value is NULL and no indicator was given.");
            return SQL_ERROR;
        }
        *target.indicator = SQL_NULL_DATA;
        offset = 1;
        return SQL_SUCCESS;
    }
    SQLSMALLINT type = target.type == SQL_C_DEFAULT ? DefaultCType(column.sqlType) : target.type;
    switch (type) {
        case SQL_C_CHAR: return WritePiece(*value, 1, 1, target, offset, diagnostics);
        case SQL_C_WCHAR: return WriteWideText(*value, target, offset, diagnostics);
        case SQL_C_BINARY: return WriteBinary(column, *value, target, offset, diagnostics);
        case SQL_C_LONG:
        case SQL_C_SLONG: return WriteInteger<SQLINTEGER>(*value, target, diagnostics);
        case SQL_C_ULONG: return WriteInteger<SQLUINTEGER>(*value, target, diagnostics);
        case SQL_C_SHORT:
        case SQL_C_SSHORT: return WriteInteger<SQLSMALLINT>(*value, target, diagnostics);
        case SQL_C_TINYINT:
        case SQL_C_STINYINT: return WriteInteger<SQLSCHAR>(*value, target, diagnostics);
        case SQL_C_SBIGINT: return WriteInteger<SQLBIGINT>(*value, target, diagnostics);
        case SQL_C_BIT: return WriteBit(*value, target, diagnostics);
        case SQL_C_TYPE_TIMESTAMP:
        case SQL_C_TIMESTAMP: return WriteTimestamp(*value, target, diagnostics);
        case SQL_C_DOUBLE:
        case SQL_C_FLOAT: {
            auto number = NumberOf(*value);
            if (!number) return Mismatch(*value, "a number", diagnostics);
            return type == SQL_C_DOUBLE ? Store(target, *number) : Store(target, static_cast<float>(*number));
        }
        default:
            diagnostics.Add("HY003", "The C type " + std::to_string(type) + " is not supported.");
            return SQL_ERROR;
    }
}

}  // namespace tabvex::odbc::xls
