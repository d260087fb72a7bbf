#include "adapters/excel/leftover_sheet.h"

namespace tabvex::adapters {

namespace {

constexpr const char* kLeftoverMark = "Tabvex_NewWorkbookSheet";

}  // namespace

void MarkLeftoverSheet(automation::Worksheet& sheet) { sheet.AddName(kLeftoverMark, "$A$1", false); }

void RemoveBlankLeftoverSheet(automation::Workbook& book) {
    const automation::Sheets sheets = book.Sheets();
    if (sheets.Count() < 2) return;
    for (int i = 1; i <= sheets.Count(); ++i) {
        automation::Worksheet sheet = sheets.Item(i);
        if (!sheet.HasName(kLeftoverMark)) continue;
        if (sheet.IsBlank()) sheet.Delete();
        return;
    }
}

}  // namespace tabvex::adapters
