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

std::optional<BiffRecord> RecordReader::Next() {
    uint16_t sid = 0, length = 0;
    if (!ReadHeader(sid, length)) {
        // A few writers pad the stream after the last EOF; fewer than four bytes is padding.
        pos_ = stream_.size();
        return std::nullopt;
    }
    if (length > stream_.size() - pos_ - 4) throw CorruptData("record runs past the end of the Workbook stream");
    BiffRecord record;
    record.sid = sid;
    record.data.assign(stream_.begin() + long(pos_ + 4), stream_.begin() + long(pos_ + 4 + length));
    pos_ += 4 + size_t(length);

    uint16_t nextSid = 0, nextLength = 0;
    while (sid != rid::kContinue && ReadHeader(nextSid, nextLength) && nextSid == rid::kContinue) {
        if (nextLength > stream_.size() - pos_ - 4) throw CorruptData("CONTINUE runs past the end of the stream");
        record.continueOffsets.push_back(uint32_t(record.data.size()));
        record.data.insert(record.data.end(), stream_.begin() + long(pos_ + 4),
                           stream_.begin() + long(pos_ + 4 + nextLength));
        pos_ += 4 + size_t(nextLength);
    }
    return record;
}

}  // namespace tabvex::xls
