// Jet column types as the file stores them, their names and the OLE DB type a
// provider reports for each.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tabvex::mdb {

enum class JetType : std::uint8_t {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    OleObject = 0x0B,
    Memo = 0x0C,
    Guid = 0x0F,
    Numeric = 0x10,
    Complex = 0x12,
    BigInt = 0x13,
};

// OLE DB type codes (DBTYPE_*) used by the Jet provider.
namespace dbtype {
inline constexpr std::uint16_t I2 = 2, I4 = 3, R4 = 4, R8 = 5, CY = 6, DATE = 7, BOOL = 11,
                               UI1 = 17, I8 = 20, GUID = 72, BYTES = 128, WSTR = 130, NUMERIC = 131;
}

// "Text", "Long Integer", … as Access names the types; "Unknown" for codes it does not know.
std::string_view JetTypeName(JetType type);

// The type from its Access name (case-insensitive), also accepting the short SQL
// names the system uses (TEXT, MEMO, BYTE, SHORT, LONG, CURRENCY, SINGLE, DOUBLE,
// DATETIME, BIT, OLEOBJECT, …).
std::optional<JetType> JetTypeFromName(std::string_view name);

std::uint16_t OleDbTypeOf(JetType type);

// True for types whose values live outside the row (memo and OLE object).
bool IsLongValueType(JetType type);

// Bytes a fixed-length value takes in a row; 0 for variable-length types.
int FixedSizeOf(JetType type);

}  // namespace tabvex::mdb
