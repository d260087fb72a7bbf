// Reads one sheet substream (BOF to its EOF) into a Worksheet: cells, rows, column
// runs and the window become the model; every other record stays in its place.
#pragma once

#include <span>

#include "platform/xls/worksheet.h"

namespace tabvex::xls {

class WorksheetReader {
public:
    WorksheetReader(std::span<const uint8_t> stream, Worksheet& sheet) : stream_(stream), sheet_(sheet) {}
    void Read(size_t offset);

private:
    void ReadRecord(BiffRecord&& record);
    bool ReadCell(const BiffRecord& record);
    void ReadFormula(const BiffRecord& record, uint16_t row, uint16_t column, uint16_t xf);
    void ReadCachedString(const BiffRecord& record);
    void PutAnchor(Worksheet::Anchor anchor);
    Worksheet::StoredCell& Put(uint16_t row, uint16_t column, uint16_t xf);

    std::span<const uint8_t> stream_;
    Worksheet& sheet_;
    int depth_ = 0;                         // nesting of embedded substreams (charts)
    uint8_t anchored_ = 0;                  // bit per Anchor already among the items
    Worksheet::FormulaCell* pendingFormula_ = nullptr;  // takes the records that follow it
};

// Decodes an RK number: a 30-bit integer or the top of a double, perhaps divided by 100.
double DecodeRk(uint32_t rk);

}  // namespace tabvex::xls
