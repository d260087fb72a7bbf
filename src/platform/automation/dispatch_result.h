// Result codes an automation call fails with: the dispatch codes of COM (defined with
// the general ones in oledb/result_code.h) and the code the spreadsheet server reports
// for a method or property of its own that failed.
#pragma once

#include "platform/oledb/result_code.h"

namespace tabvex::automation {

using oledb::HRESULT;

using oledb::DISP_E_BADINDEX;
using oledb::DISP_E_OVERFLOW;
// The variant an optional argument carries when the caller leaves it out.
using oledb::DISP_E_PARAMNOTFOUND;
using oledb::DISP_E_TYPEMISMATCH;
using oledb::RPC_E_DISCONNECTED;
// The server's own failure of a method or property (its run-time error 1004).
inline constexpr HRESULT XL_E_METHODFAILED = oledb::MakeResult(0x800A03EC);

}  // namespace tabvex::automation
