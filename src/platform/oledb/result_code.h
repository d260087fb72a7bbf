// Result codes with the values OLE DB and COM give them. Failures have the top bit
// set; S_FALSE and DB_S_* are successes that carry news.
#pragma once

#include <cstdint>

namespace tabvex::oledb {

using HRESULT = std::int32_t;

constexpr HRESULT MakeResult(std::uint32_t bits) { return static_cast<HRESULT>(bits); }
constexpr bool Succeeded(HRESULT hr) { return hr >= 0; }
constexpr bool Failed(HRESULT hr) { return hr < 0; }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = MakeResult(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = MakeResult(0x80004002);
inline constexpr HRESULT E_POINTER = MakeResult(0x80004003);
inline constexpr HRESULT E_FAIL = MakeResult(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = MakeResult(0x8000FFFF);
inline constexpr HRESULT E_OUTOFMEMORY = MakeResult(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = MakeResult(0x80070057);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = MakeResult(0x80040154);
inline constexpr HRESULT CO_E_CLASSSTRING = MakeResult(0x800401F3);
inline constexpr HRESULT E_ACCESSDENIED = MakeResult(0x80070005);
inline constexpr HRESULT CO_E_DLLNOTFOUND = MakeResult(0x800401F8);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = MakeResult(0x80040110);

// Dispatch failures of automation calls; kept here so that every code has its text
// in the one message table.
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = MakeResult(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = MakeResult(0x80020005);
inline constexpr HRESULT DISP_E_EXCEPTION = MakeResult(0x80020009);
inline constexpr HRESULT DISP_E_OVERFLOW = MakeResult(0x8002000A);
inline constexpr HRESULT DISP_E_BADINDEX = MakeResult(0x8002000B);
// A call on an object whose workbook or application is gone.
inline constexpr HRESULT RPC_E_DISCONNECTED = MakeResult(0x80010108);

// OLE DB successes that carry news.
inline constexpr HRESULT DB_S_ENDOFROWSET = MakeResult(0x00040EC6);
inline constexpr HRESULT DB_S_ERRORSOCCURRED = MakeResult(0x00040EDA);

// OLE DB failures.
inline constexpr HRESULT DB_E_BADACCESSORHANDLE = MakeResult(0x80040E00);
inline constexpr HRESULT DB_E_READONLYACCESSOR = MakeResult(0x80040E02);
inline constexpr HRESULT DB_E_SCHEMAVIOLATION = MakeResult(0x80040E03);
inline constexpr HRESULT DB_E_BADROWHANDLE = MakeResult(0x80040E04);
inline constexpr HRESULT DB_E_CANTCONVERTVALUE = MakeResult(0x80040E07);
inline constexpr HRESULT DB_E_BADBINDINFO = MakeResult(0x80040E08);
inline constexpr HRESULT DB_E_NOCOMMAND = MakeResult(0x80040E0C);
inline constexpr HRESULT DB_E_BADCOLUMNID = MakeResult(0x80040E11);
inline constexpr HRESULT DB_E_PARAMNOTOPTIONAL = MakeResult(0x80040E10);
inline constexpr HRESULT DB_E_ERRORSINCOMMAND = MakeResult(0x80040E14);
inline constexpr HRESULT DB_E_DIALECTNOTSUPPORTED = MakeResult(0x80040E16);
inline constexpr HRESULT DB_E_ERRORSOCCURRED = MakeResult(0x80040E21);
inline constexpr HRESULT DB_E_INTEGRITYVIOLATION = MakeResult(0x80040E2F);
inline constexpr HRESULT DB_E_BADTYPENAME = MakeResult(0x80040E30);
inline constexpr HRESULT DB_E_NOTABLE = MakeResult(0x80040E37);
inline constexpr HRESULT DB_E_BADTABLEID = MakeResult(0x80040E3C);
inline constexpr HRESULT DB_E_DUPLICATECOLUMNID = MakeResult(0x80040E3E);
inline constexpr HRESULT DB_E_DUPLICATETABLEID = MakeResult(0x80040E3F);
inline constexpr HRESULT DB_E_BADACCESSORFLAGS = MakeResult(0x80040E46);
inline constexpr HRESULT DB_SEC_E_AUTH_FAILED = MakeResult(0x80040E4D);
inline constexpr HRESULT DB_E_ALREADYINITIALIZED = MakeResult(0x80040E52);
inline constexpr HRESULT DB_E_NOTSUPPORTED = MakeResult(0x80040E53);
inline constexpr HRESULT DB_E_BADORDINAL = MakeResult(0x80040E55);
inline constexpr HRESULT DB_E_DATAOVERFLOW = MakeResult(0x80040E57);

}  // namespace tabvex::oledb
