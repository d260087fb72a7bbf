// FORMAT: a number format code the workbook defines, with the index its cell formats
// (XF) refer to it by. Read to tell what a number cell shows; the record itself is
// kept among the globals and written back as read.
#pragma once

#include <string>

#include "platform/xls/biff_record.h"

namespace tabvex::xls {

struct FormatRecord {
    uint16_t index = 0;
    std::string code;  // UTF-8, e.g. "dd/mm/yyyy" or "\"$\"#,##0.00"

    static FormatRecord Parse(const BiffRecord& record);
};

}  // namespace tabvex::xls
