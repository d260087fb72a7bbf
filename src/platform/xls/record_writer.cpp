#include "platform/xls/record_writer.h"

#include <algorithm>

#include "platform/xls/record_ids.h"

namespace tabvex::xls {

void RecordWriter::WritePhysical(uint16_t sid, std::span<const uint8_t> body) {
    ByteWriter out(stream_);
    out.u16(sid);
    out.u16(uint16_t(body.size()));
    out.bytes(body);
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
