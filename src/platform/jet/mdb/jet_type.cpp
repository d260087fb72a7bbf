#include "platform/jet/mdb/jet_type.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace tabvex::mdb {

namespace {

struct TypeDescription {
    JetType type;
    std::string_view name;
    std::uint16_t oledbType;
    int fixedSize;
};

constexpr std::array kTypes{
    TypeDescription{JetType::Boolean, "Yes/No", dbtype::BOOL, 0},
    TypeDescription{JetType::Byte, "Byte", dbtype::UI1, 1},
    TypeDescription{JetType::Integer, "Integer", dbtype::I2, 2},
    TypeDescription{JetType::Long, "Long Integer", dbtype::I4, 4},
    TypeDescription{JetType::Currency, "Currency", dbtype::CY, 8},
    TypeDescription{JetType::Single, "Single", dbtype::R4, 4},
    TypeDescription{JetType::Double, "Double", dbtype::R8, 8},
    TypeDescription{JetType::DateTime, "Date/Time", dbtype::DATE, 8},
    TypeDescription{JetType::Binary, "Binary", dbtype::BYTES, 0},
    TypeDescription{JetType::Text, "Text", dbtype::WSTR, 0},
    TypeDescription{JetType::OleObject, "OLE Object", dbtype::BYTES, 0},
    TypeDescription{JetType::Memo, "Memo", dbtype::WSTR, 0},
    TypeDescription{JetType::Guid, "Replication ID", dbtype::GUID, 16},
    TypeDescription{JetType::Numeric, "Decimal", dbtype::NUMERIC, 17},
    TypeDescription{JetType::Complex, "Complex", dbtype::I4, 4},
    TypeDescription{JetType::BigInt, "Large Number", dbtype::I8, 8},
};

// Short names the system's SQL and the JSON build format use besides Access's own.
constexpr std::array<std::pair<std::string_view, JetType>, 20> kAliases{{
    {"yesno", JetType::Boolean},     {"bit", JetType::Boolean},        {"boolean", JetType::Boolean},
    {"short", JetType::Integer},     {"smallint", JetType::Integer},   {"long", JetType::Long},
    {"int", JetType::Long},          {"longinteger", JetType::Long},   {"money", JetType::Currency},
    {"float", JetType::Double},      {"real", JetType::Single},        {"datetime", JetType::DateTime},
    {"date", JetType::DateTime},     {"varchar", JetType::Text},       {"longtext", JetType::Memo},
    {"oleobject", JetType::OleObject}, {"ole", JetType::OleObject},    {"longbinary", JetType::OleObject},
    {"guid", JetType::Guid},         {"decimal", JetType::Numeric},
}};

const TypeDescription* Describe(JetType type) {
    auto found = std::find_if(kTypes.begin(), kTypes.end(), [type](const auto& d) { return d.type == type; });
    return found == kTypes.end() ? nullptr : &*found;
}

// Lower case without blanks and slashes, so "Date/Time" and "DATETIME" meet.
std::string Squeeze(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != ' ' && c != '/' && c != '_') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string_view JetTypeName(JetType type) {
    const auto* d = Describe(type);
    return d ? d->name : "Unknown";
}

std::optional<JetType> JetTypeFromName(std::string_view name) {
    std::string key = Squeeze(name);
    for (const auto& d : kTypes)
        if (Squeeze(d.name) == key) return d.type;
    for (const auto& [alias, type] : kAliases)
        if (alias == key) return type;
    return std::nullopt;
}

std::uint16_t OleDbTypeOf(JetType type) {
    const auto* d = Describe(type);
    return d ? d->oledbType : dbtype::BYTES;
}

bool IsLongValueType(JetType type) { return type == JetType::Memo || type == JetType::OleObject; }

int FixedSizeOf(JetType type) {
    const auto* d = Describe(type);
    return d ? d->fixedSize : 0;
}

}  // namespace tabvex::mdb
