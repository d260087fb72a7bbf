// Feeds arbitrary bytes to the workbook reader and, when it accepts them, to the
// writer: neither may crash, hang or allocate without bound.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "platform/xls/workbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tabvex::xls;
    try {
        Workbook book = Workbook::OpenBytes({data, size}, "fuzz.xls");
        for (size_t i = 0; i < book.SheetCount(); ++i) {
            book.Sheet(i).ForEachCell([](uint32_t, uint16_t, const CellValue& v) { (void)v.Shown(); });
        }
        (void)book.Names();
    } catch (const XlsError&) {
    }
    return 0;
}
