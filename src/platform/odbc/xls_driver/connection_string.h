// ODBC connection strings: "KEY=value;KEY={value; with braces}}...};". Keys compare
// without ASCII case; a value in braces may hold ';' and '}}' stands for '}'.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tabvex::odbc::xls {

class ConnectionStringError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ConnectionString {
public:
    // Throws ConnectionStringError naming the position of what is wrong: an empty or
    // blank key, a key without '=', an unbalanced brace, a NUL character.
    static ConnectionString Parse(std::string_view text);

    // The value of the first entry with this key, or nullopt.
    std::optional<std::string> Find(std::string_view key) const;
    // Replaces the value of the key, or appends it.
    void Set(std::string_view key, std::string value);
    // "KEY=value;..." with values that need it in braces.
    std::string Text() const;

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace tabvex::odbc::xls
