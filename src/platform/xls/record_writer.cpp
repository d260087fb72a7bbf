#include "platform/xls/record_writer.h"

#include <algorithm>
#include <string>

#include "platform/xls/record_ids.h"
#include "platform/xls/xls_error.h"

namespace tabvex::xls {

RecordWriter::RecordWriter(StreamSink& sink)
    : sink_(sink), buffer_(std::make_unique_for_overwrite<uint8_t[]>(kChunk + 4 + kMaxPhysicalBody)) {}

void RecordWriter::RefuseOversizedBody(size_t size) {
    throw XlsError("a record body of " + std::to_string(size) + " bytes is longer than a record can hold");
}

void RecordWriter::Flush() {
    sink_.Append({buffer_.get(), size_});
    flushed_ += size_;
    size_ = 0;
}

void RecordWriter::Patch(size_t at, std::span<const uint8_t> bytes) {
    // The bytes may lie in the sink, in the buffer, or across the two.
    size_t inSink = at < flushed_ ? std::min(bytes.size(), flushed_ - at) : 0;
    if (inSink > 0) sink_.Overwrite(at, bytes.first(inSink));
    if (inSink < bytes.size()) std::copy(bytes.begin() + long(inSink), bytes.end(), buffer_.get() + (at + inSink - flushed_));
}

void RecordWriter::PatchU32(size_t at, uint32_t value) {
    const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    Patch(at, bytes);
}

void RecordWriter::Write(const BiffRecord& record) {
    std::span<const uint8_t> data(record.data);
    std::vector<size_t> cuts(record.continueOffsets.begin(), record.continueOffsets.end());
    if (cuts.empty()) {
        for (size_t at = rid::kMaxRecordData; at < data.size(); at += rid::kMaxRecordData) cuts.push_back(at);
    }
    size_t start = 0;
    uint16_t sid = record.sid;
    for (size_t i = 0; i <= cuts.size(); ++i) {
        size_t end = i < cuts.size() ? std::min(cuts[i], data.size()) : data.size();
        end = std::max(end, start);
        // Pieces read from a file fit a 16-bit length; splitting above keeps new ones short.
        for (size_t piece = start; piece < end || piece == start; piece += 0xFFFF) {
            size_t pieceEnd = std::min(end, piece + 0xFFFF);
            WritePhysical(sid, data.subspan(piece, pieceEnd - piece));
            sid = rid::kContinue;
            if (pieceEnd == end) break;
        }
        start = end;
    }
}

}  // namespace tabvex::xls
