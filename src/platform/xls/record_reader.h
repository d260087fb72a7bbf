// Splits the Workbook stream into logical records, merging CONTINUE records into the
// record they continue. Every length is checked against the stream.
#pragma once

#include <span>
#include <string>

#include "platform/xls/biff_record.h"

namespace tabvex::xls {

class RecordReader {
public:
    RecordReader(std::span<const uint8_t> stream, size_t offset);

    // Reads the next record into `record`, reusing its buffers; false at the end of
    // the stream. Most records are read and dropped, so this saves an allocation each.
    bool Next(BiffRecord& record);
    // Stream offset of the record Next() will return.
    size_t position() const { return pos_; }

private:
    bool ReadHeader(uint16_t& sid, uint16_t& length);
    // Total body length of the CONTINUE records from the current position on.
    size_t ContinuedLength() const;

    std::span<const uint8_t> stream_;
    size_t pos_;
};

// "record 0x00FC at offset 1234", for messages about a damaged record.
std::string DescribeRecord(uint16_t sid, size_t offset);

}  // namespace tabvex::xls
