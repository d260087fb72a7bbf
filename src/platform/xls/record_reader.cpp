#include "platform/xls/record_reader.h"

#include <cstdio>

#include "platform/xls/record_ids.h"

namespace tabvex::xls {

std::string DescribeRecord(uint16_t sid, size_t offset) {
    char text[64];
    std::snprintf(text, sizeof text, "record 0x%04X at offset %zu", sid, offset);
    return text;
}

RecordReader::RecordReader(std::span<const uint8_t> stream, size_t offset) : stream_(stream), pos_(offset) {
    if (offset > stream.size()) throw CorruptData("record offset beyond the end of the Workbook stream");
}

bool RecordReader::ReadHeader(uint16_t& sid, uint16_t& length) {
    if (stream_.size() - pos_ < 4) return false;
    ByteReader header(stream_, pos_);
    sid = header.u16();
    length = header.u16();
    return true;
}

size_t RecordReader::ContinuedLength() const {
    size_t total = 0;
    for (size_t at = pos_; at + 4 <= stream_.size();) {
        ByteReader header(stream_, at);
        uint16_t sid = header.u16(), length = header.u16();
        if (sid != rid::kContinue || length > stream_.size() - at - 4) break;
        total += length;
        at += 4 + size_t(length);
    }
    return total;
}

bool RecordReader::Next(BiffRecord& record) {
    uint16_t sid = 0, length = 0;
    if (!ReadHeader(sid, length)) {
        // A few writers pad the stream after the last EOF; fewer than four bytes is padding.
        pos_ = stream_.size();
        return false;
    }
    if (length > stream_.size() - pos_ - 4) throw CorruptData("record runs past the end of the Workbook stream");
    record.sid = sid;
    record.continueOffsets.clear();
    // A buffer grown by a large record (the SST) is not carried on into the small
    // ones after it, which a caller may keep.
    if (record.data.capacity() > rid::kMaxRecordData) record.data = Bytes();
    record.data.assign(stream_.begin() + long(pos_ + 4), stream_.begin() + long(pos_ + 4 + length));
    pos_ += 4 + size_t(length);

    uint16_t nextSid = 0, nextLength = 0;
    while (sid != rid::kContinue && ReadHeader(nextSid, nextLength) && nextSid == rid::kContinue) {
        if (nextLength > stream_.size() - pos_ - 4) throw CorruptData("CONTINUE runs past the end of the stream");
        // Large records (the SST above all) span many CONTINUE records; their whole
        // length is summed first, so that the body is allocated once.
        if (record.continueOffsets.empty()) record.data.reserve(record.data.size() + ContinuedLength());
        record.continueOffsets.push_back(uint32_t(record.data.size()));
        record.data.insert(record.data.end(), stream_.begin() + long(pos_ + 4),
                           stream_.begin() + long(pos_ + 4 + nextLength));
        pos_ += 4 + size_t(nextLength);
    }
    return true;
}

}  // namespace tabvex::xls
