// Appends records to a Workbook stream under construction.
#pragma once

#include <span>

#include "platform/xls/biff_record.h"

namespace tabvex::xls {

class RecordWriter {
public:
    explicit RecordWriter(Bytes& stream) : stream_(stream) {}

    size_t position() const { return stream_.size(); }

    // Writes a record with its CONTINUE records where it was split when read; a body
    // longer than BIFF8 allows without such offsets is split into CONTINUE records.
    void Write(const BiffRecord& record);
    // Writes one physical record (body at most 8224 bytes).
    void WritePhysical(uint16_t sid, std::span<const uint8_t> body);

private:
    Bytes& stream_;
};

}  // namespace tabvex::xls
