// A formatting call's change to each cell of a range, told where the cell lies
// in the range so that borders know their edges.
#pragma once

#include <functional>

#include "platform/xls/cell_format.h"

namespace tabvex::automation {

// A row's own format stands for the row's inner columns.
struct RangePosition {
    bool firstRow = true;
    bool lastRow = true;
    bool firstColumn = true;
    bool lastColumn = true;
};

using StyleEdit = std::function<void(xls::CellFormat&, const RangePosition&)>;

}  // namespace tabvex::automation
