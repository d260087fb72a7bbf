// A text argument as ODBC functions take it: a pointer and a length in bytes, or
// SQL_NTS for a zero-terminated string.
#pragma once

#include <optional>
#include <string>

#include <sql.h>
#include <sqlext.h>

namespace tabvex::odbc::xls {

// nullopt when the pointer is null; false in `valid` for a negative length that is
// not SQL_NTS (the caller reports HY090).
inline std::optional<std::string> TextArgument(const SQLCHAR* text, SQLINTEGER length, bool& valid) {
    valid = length >= 0 || length == SQL_NTS;
    if (!text || !valid) return std::nullopt;
    const char* chars = reinterpret_cast<const char*>(text);
    return length == SQL_NTS ? std::string(chars) : std::string(chars, static_cast<std::size_t>(length));
}

}  // namespace tabvex::odbc::xls
