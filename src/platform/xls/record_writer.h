// Writes the records of a Workbook stream to a sink. Records gather in a small buffer
// handed on in chunks; offsets known only later are patched wherever the bytes are.
#pragma once

#include <span>

#include "platform/xls/biff_record.h"
#include "platform/xls/stream_sink.h"

namespace tabvex::xls {

class RecordWriter {
public:
    explicit RecordWriter(StreamSink& sink) : sink_(sink) {}

    // Stream position of the next byte.
    size_t position() const { return flushed_ + pending_.size(); }

    // Writes a record with its CONTINUE records where it was split when read; a body
    // longer than BIFF8 allows without such offsets is split into CONTINUE records.
    void Write(const BiffRecord& record);
    // Writes one physical record (body at most 8224 bytes).
    void WritePhysical(uint16_t sid, std::span<const uint8_t> body);
    // Overwrites bytes written earlier at stream position `at`.
    void Patch(size_t at, std::span<const uint8_t> bytes);
    void PatchU32(size_t at, uint32_t value);
    // Hands the buffered bytes to the sink; call once the last record is written.
    void Flush();

private:
    StreamSink& sink_;
    Bytes pending_;
    size_t flushed_ = 0;  // bytes already in the sink
};

}  // namespace tabvex::xls
