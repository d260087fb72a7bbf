// Where each column of a table lives in a Jet 4 row: fixed-size columns at an
// offset in the fixed area, variable-size ones by their slot in the offset table.
#pragma once

#include <string>
#include <vector>

#include "platform/jet/mdb/jet_type.h"

namespace tabvex::mdb {

struct ColumnSpec {
    std::string name;
    JetType type = JetType::Text;
    int length = 0;  // Text: characters (1-255, 0 means 50); Binary: bytes (1-255, 0 means 255)
};

struct ColumnLayout {
    ColumnSpec spec;
    int number = 0;  // position in the table, also the null-mask bit
    bool fixed = false;
    int fixedOffset = 0;  // fixed columns: offset in the fixed area
    int varIndex = 0;     // variable columns: slot in the offset table
    int storedLength = 0; // bytes: fixed size, or the most a Text/Binary value may take
};

struct TableLayout {
    std::vector<ColumnLayout> columns;
    int fixedAreaSize = 0;
    int varColumns = 0;
};

// Lays the columns out in their given order; the specs must have been validated.
TableLayout LayOutColumns(const std::vector<ColumnSpec>& specs);

}  // namespace tabvex::mdb
