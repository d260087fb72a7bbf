// Type codes, column flags, binding parts and statuses with OLE DB's values, and the
// records that describe a rowset's columns and a consumer's bindings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tabvex::oledb {

using DBTYPE = std::uint16_t;
inline constexpr DBTYPE DBTYPE_EMPTY = 0;
inline constexpr DBTYPE DBTYPE_I2 = 2;
inline constexpr DBTYPE DBTYPE_I4 = 3;
inline constexpr DBTYPE DBTYPE_R4 = 4;
inline constexpr DBTYPE DBTYPE_R8 = 5;
inline constexpr DBTYPE DBTYPE_CY = 6;
inline constexpr DBTYPE DBTYPE_DATE = 7;
inline constexpr DBTYPE DBTYPE_BSTR = 8;
inline constexpr DBTYPE DBTYPE_BOOL = 11;
inline constexpr DBTYPE DBTYPE_I1 = 16;
inline constexpr DBTYPE DBTYPE_UI1 = 17;
inline constexpr DBTYPE DBTYPE_UI2 = 18;
inline constexpr DBTYPE DBTYPE_UI4 = 19;
inline constexpr DBTYPE DBTYPE_I8 = 20;
inline constexpr DBTYPE DBTYPE_UI8 = 21;
inline constexpr DBTYPE DBTYPE_GUID = 72;
inline constexpr DBTYPE DBTYPE_BYTES = 128;
inline constexpr DBTYPE DBTYPE_STR = 129;
inline constexpr DBTYPE DBTYPE_WSTR = 130;
inline constexpr DBTYPE DBTYPE_NUMERIC = 131;
inline constexpr DBTYPE DBTYPE_DBTIMESTAMP = 135;

using DBCOLUMNFLAGS = std::uint32_t;
inline constexpr DBCOLUMNFLAGS DBCOLUMNFLAGS_ISBOOKMARK = 0x1;
inline constexpr DBCOLUMNFLAGS DBCOLUMNFLAGS_MAYDEFER = 0x2;
inline constexpr DBCOLUMNFLAGS DBCOLUMNFLAGS_WRITE = 0x4;
inline constexpr DBCOLUMNFLAGS DBCOLUMNFLAGS_WRITEUNKNOWN = 0x8;
inline constexpr DBCOLUMNFLAGS DBCOLUMNFLAGS_ISFIXEDLENGTH = 0x10;
inline constexpr DBCOLUMNFLAGS DBCOLUMNFLAGS_ISNULLABLE = 0x20;
inline constexpr DBCOLUMNFLAGS DBCOLUMNFLAGS_MAYBENULL = 0x40;
inline constexpr DBCOLUMNFLAGS DBCOLUMNFLAGS_ISLONG = 0x80;

using DBPART = std::uint32_t;
inline constexpr DBPART DBPART_VALUE = 0x1;
inline constexpr DBPART DBPART_LENGTH = 0x2;
inline constexpr DBPART DBPART_STATUS = 0x4;

using DBSTATUS = std::uint32_t;
inline constexpr DBSTATUS DBSTATUS_S_OK = 0;
inline constexpr DBSTATUS DBSTATUS_E_BADACCESSOR = 1;
inline constexpr DBSTATUS DBSTATUS_E_CANTCONVERTVALUE = 2;
inline constexpr DBSTATUS DBSTATUS_S_ISNULL = 3;
inline constexpr DBSTATUS DBSTATUS_S_TRUNCATED = 4;
inline constexpr DBSTATUS DBSTATUS_E_DATAOVERFLOW = 6;

using DBACCESSORFLAGS = std::uint32_t;
inline constexpr DBACCESSORFLAGS DBACCESSOR_ROWDATA = 0x2;

using DBORDINAL = std::size_t;
using HACCESSOR = std::size_t;  // 0 is never a valid accessor
using HROW = std::size_t;       // 0 is never a valid row

// One column of a rowset (IColumnsInfo::GetColumnInfo).
struct DBCOLUMNINFO {
    std::string name;
    DBORDINAL ordinal = 0;  // 0 is the bookmark column
    DBCOLUMNFLAGS flags = 0;
    std::size_t columnSize = 0;  // characters for text, bytes for binary, else the fixed size
    DBTYPE type = DBTYPE_EMPTY;
    std::uint8_t precision = 0;
    std::uint8_t scale = 0;
};

// Where one column goes in the consumer's buffer (DBBINDING, client-owned memory).
struct DBBINDING {
    DBORDINAL ordinal = 0;
    std::size_t valueOffset = 0;
    std::size_t lengthOffset = 0;  // a 32-bit length is written there
    std::size_t statusOffset = 0;  // a 32-bit DBSTATUS is written there
    DBPART parts = DBPART_VALUE | DBPART_LENGTH | DBPART_STATUS;
    std::size_t maxLength = 0;  // bytes available at valueOffset (variable-length types)
    DBTYPE type = DBTYPE_STR;
};

}  // namespace tabvex::oledb
