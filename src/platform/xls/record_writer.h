// Writes the records of a Workbook stream to a sink. Records are composed straight into
// one fixed buffer handed on in chunks of 64 KB or a little more; offsets known only
// later are patched wherever the bytes are.
#pragma once

#include <cstring>
#include <memory>
#include <span>

#include "platform/xls/biff_record.h"
#include "platform/xls/stream_sink.h"

namespace tabvex::xls {

class RecordWriter {
public:
    explicit RecordWriter(StreamSink& sink);

    // Stream position of the next byte.
    size_t position() const { return flushed_ + size_; }

    // Writes a record with its CONTINUE records where it was split when read; a body
    // longer than BIFF8 allows without such offsets is split into CONTINUE records.
    void Write(const BiffRecord& record);
    // Starts one physical record of `length` body bytes (at most 65,535, BIFF8's records
    // at most 8,224) and returns where its body goes, for the caller to fill before the
    // next record. Inline: the cells of a sheet come through here by the million.
    uint8_t* BeginRecord(uint16_t sid, size_t length) {
        if (length > kMaxPhysicalBody) RefuseOversizedBody(length);
        if (size_ >= kChunk) Flush();
        uint8_t* at = buffer_.get() + size_;
        at[0] = uint8_t(sid), at[1] = uint8_t(sid >> 8), at[2] = uint8_t(length), at[3] = uint8_t(length >> 8);
        size_ += 4 + length;
        return at + 4;
    }
    // Writes one physical record.
    void WritePhysical(uint16_t sid, std::span<const uint8_t> body) {
        uint8_t* at = BeginRecord(sid, body.size());
        if (!body.empty()) std::memcpy(at, body.data(), body.size());
    }
    // Overwrites bytes written earlier at stream position `at`.
    void Patch(size_t at, std::span<const uint8_t> bytes);
    void PatchU32(size_t at, uint32_t value);
    // Hands the buffered bytes to the sink; call once the last record is written.
    void Flush();

private:
    static constexpr size_t kChunk = size_t(1) << 16;
    static constexpr size_t kMaxPhysicalBody = 0xFFFF;
    [[noreturn]] static void RefuseOversizedBody(size_t size);

    StreamSink& sink_;
    // Handed on once a chunk is full, before the next record, so one more record always fits.
    std::unique_ptr<uint8_t[]> buffer_;
    size_t size_ = 0;
    size_t flushed_ = 0;  // bytes already in the sink
};

}  // namespace tabvex::xls
