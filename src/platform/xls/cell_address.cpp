#include "platform/xls/cell_address.h"

#include <algorithm>
#include <cctype>

namespace tabvex::xls {

std::string ColumnLetters(uint16_t column) {
    std::string letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters;
}

std::string CellReference(uint32_t row, uint16_t column, bool rowRelative, bool columnRelative) {
    return (columnRelative ? "" : "$") + ColumnLetters(column) + (rowRelative ? "" : "$") + std::to_string(row + 1);
}

namespace {
// A name that reads as a cell reference (A1, IV65536, R1C1) must be quoted.
bool LooksLikeReference(std::string_view name) {
    size_t letters = 0;
    while (letters < name.size() && std::isalpha(static_cast<unsigned char>(name[letters]))) ++letters;
    bool digitsAfter = letters < name.size() && std::all_of(name.begin() + long(letters), name.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
    bool r1c1 = (name[0] == 'R' || name[0] == 'r') && name.size() > 1;
    return (letters >= 1 && letters <= 3 && digitsAfter) || (r1c1 && name.find_first_of("Cc") != std::string::npos &&
                                                             std::all_of(name.begin() + 1, name.end(), [](char c) {
                                                                 return std::isdigit(static_cast<unsigned char>(c)) ||
                                                                        c == 'C' || c == 'c';
                                                             }));
}
}  // namespace

std::string QuotedSheetName(std::string_view name) {
    bool plain = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0])) &&
                 std::all_of(name.begin(), name.end(), [](char c) {
                     auto u = static_cast<unsigned char>(c);
                     return std::isalnum(u) || c == '_' || c == '.' || u >= 0x80;
                 }) &&
                 !LooksLikeReference(name);
    if (plain) return std::string(name);
    std::string quoted = "'";
    for (char c : name) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace tabvex::xls
