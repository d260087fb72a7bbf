// What a table's transfer does besides copying, each when its option is on: long
// binary values saved as files (the cell names the file), and the cells sent kept
// for the read-back after the save.
#pragma once

#include "adapters/excel/binary_value_files.h"
#include "adapters/excel/sent_cells.h"

namespace tabvex::adapters {

struct TransferHooks {
    BinaryValueFiles* binaryFiles = nullptr;
    SentCells* sentCells = nullptr;
};

}  // namespace tabvex::adapters
