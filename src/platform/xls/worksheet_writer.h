// Writes a Worksheet back as a sheet substream: unmodelled records in their places,
// the cell table in blocks of 32 rows with DBCELL records, and the INDEX record
// pointing at them.
#pragma once

#include <vector>

#include "platform/xls/record_writer.h"
#include "platform/xls/worksheet.h"

namespace tabvex::xls {

class WorksheetWriter {
public:
    // `stringIndex` maps the table's string indices to those of the SST being written.
    WorksheetWriter(RecordWriter& writer, const std::vector<uint32_t>& stringIndex)
        : writer_(writer), stringIndex_(stringIndex) {}

    void Write(const Worksheet& sheet);

private:
    struct RowBlock {
        uint32_t first, end;  // rows [first, end) that have a ROW record or cells
    };

    void WriteAnchor(const Worksheet& sheet, Worksheet::Anchor anchor);
    void WriteIndexPlaceholder(const Worksheet& sheet);
    void WriteDimensions(const Worksheet& sheet);
    void WriteCellTable(const Worksheet& sheet);
    void WriteBlock(const Worksheet& sheet, uint32_t first, uint32_t end);
    void WriteCell(const Worksheet& sheet, uint32_t row, const Worksheet::StoredCell& cell);
    void PatchIndex();

    RecordWriter& writer_;
    const std::vector<uint32_t>& stringIndex_;
    Bytes body_;                       // scratch for one record body
    std::vector<uint32_t> blockRows_;  // the written rows of the block at hand

    size_t indexPosition_ = SIZE_MAX;  // stream position of the INDEX record
    size_t defColWidthPosition_ = 0;
    uint32_t firstRow_ = 0, rowEnd_ = 0;
    std::vector<uint32_t> dbCellPositions_;
};

}  // namespace tabvex::xls
