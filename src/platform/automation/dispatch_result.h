// Result codes an automation call fails with, beside the general ones of
// oledb/result_code.h: the dispatch codes of COM and the code the spreadsheet
// server reports for a method or property of its own that failed.
#pragma once

#include "platform/oledb/result_code.h"

namespace tabvex::automation {

using oledb::HRESULT;

// The variant an optional argument carries when the caller leaves it out.
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = oledb::MakeResult(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = oledb::MakeResult(0x80020005);
inline constexpr HRESULT DISP_E_OVERFLOW = oledb::MakeResult(0x8002000A);
inline constexpr HRESULT DISP_E_BADINDEX = oledb::MakeResult(0x8002000B);
// A call on an object whose workbook or application is gone.
inline constexpr HRESULT RPC_E_DISCONNECTED = oledb::MakeResult(0x80010108);
// The server's own failure of a method or property (its run-time error 1004).
inline constexpr HRESULT XL_E_METHODFAILED = oledb::MakeResult(0x800A03EC);

}  // namespace tabvex::automation
