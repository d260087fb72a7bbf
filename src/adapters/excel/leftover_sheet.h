// A workbook cannot be without a sheet, so a new one keeps one empty sheet until
// its first table arrives. That sheet carries a hidden name of its own, so that
// it is told reliably from any sheet a person made, and goes once a table sits
// beside it, as long as it is still blank.
#pragma once

#include "platform/automation/workbook.h"

namespace tabvex::adapters {

void MarkLeftoverSheet(automation::Worksheet& sheet);

// Deletes the marked sheet when the workbook has another sheet and nothing was put
// on it; anything else stays as it is.
void RemoveBlankLeftoverSheet(automation::Workbook& book);

}  // namespace tabvex::adapters
