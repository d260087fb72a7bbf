#include "platform/jet/excel/excel_table_name.h"

#include "platform/jet/isam.h"
#include "platform/text/utf8.h"
#include "platform/xls/limits.h"

namespace tabvex::jet::excel {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNonAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }
bool IsPlainNameCharacter(char c) { return IsAsciiLetter(c) || IsDigit(c) || c == '_' || IsNonAscii(c); }

// Letters then digits, as in A1 or IV65536: Excel reads such a name as a cell.
bool IsA1Reference(std::string_view name) {
    std::size_t letters = 0;
    while (letters < name.size() && IsAsciiLetter(name[letters])) ++letters;
    if (letters == 0 || letters > 3 || letters == name.size()) return false;
    for (std::size_t i = letters; i < name.size(); ++i)
        if (!IsDigit(name[i])) return false;
    return true;
}

// R, C, R1, C2, R1C1 and the like: Excel's other notation for cells.
bool IsR1C1Reference(std::string_view name) {
    std::size_t i = 0;
    auto part = [&](char letter) {
        if (i < name.size() && (name[i] == letter || name[i] == letter + 32)) {
            ++i;
            while (i < name.size() && IsDigit(name[i])) ++i;
            return true;
        }
        return false;
    };
    bool row = part('R');
    bool column = part('C');
    return (row || column) && i == name.size();
}

[[noreturn]] void BadName(std::string_view tableName, std::string_view why) {
    throw IsamError(oledb::DB_E_BADTABLEID,
                    "The table name '" + std::string(tableName) + "' cannot be held by Excel: " + std::string(why) + ".");
}

// Characters a defined name cannot hold become '_'; a leading digit or period gets a '_'.
std::string DefinedNameCharacters(std::string_view tableName) {
    std::string name;
    for (char c : tableName) name += (IsPlainNameCharacter(c) || c == '.') ? c : '_';
    if (!name.empty() && (IsDigit(name.front()) || name.front() == '.')) name.insert(name.begin(), '_');
    return name;
}

bool IsCellReference(std::string_view name) { return IsA1Reference(name) || IsR1C1Reference(name); }

}  // namespace

std::string SheetTableName(std::string_view sheetName) {
    bool plain = true;
    for (char c : sheetName) plain = plain && IsPlainNameCharacter(c);
    std::string name = std::string(sheetName) + "$";
    return plain ? name : "'" + name + "'";
}

std::optional<std::string> SheetOfTableName(std::string_view tableName) {
    if (tableName.size() >= 2 && tableName.front() == '\'' && tableName.back() == '\'')
        tableName = tableName.substr(1, tableName.size() - 2);
    if (tableName.size() < 2 || tableName.back() != '$') return std::nullopt;
    return std::string(tableName.substr(0, tableName.size() - 1));
}

std::string NewTableName(std::string_view tableName) {
    if (tableName.empty()) BadName(tableName, "a table needs a name");
    std::string name = DefinedNameCharacters(tableName);
    if (text::Utf16Length(name) > xls::kMaxSheetName)
        BadName(tableName, "a worksheet name has at most " + std::to_string(xls::kMaxSheetName) + " characters");
    if (IsCellReference(name)) BadName(tableName, "Excel would read it as a cell reference");
    return name;
}

std::string FitTableName(std::string_view tableName, std::size_t maxUnits) {
    std::string name(text::Utf16Prefix(tableName.empty() ? "_" : DefinedNameCharacters(tableName), maxUnits));
    if (IsCellReference(name)) name = std::string(text::Utf16Prefix(name, maxUnits - 1)) + "_";
    return name;
}

}  // namespace tabvex::jet::excel
