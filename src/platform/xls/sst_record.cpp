#include "platform/xls/sst_record.h"

#include <algorithm>
#include <cstring>

#include "platform/xls/biff_string.h"
#include "platform/xls/record_ids.h"

namespace tabvex::xls {

size_t ReadSstRecord(const BiffRecord& record, SharedStringTable& table) {
    ByteReader reader(record.data);
    reader.u32();  // references, recounted on writing
    uint32_t unique = reader.u32();
    // Each string takes at least three bytes, which bounds what a forged count can ask for.
    size_t expected = std::min<size_t>(unique, reader.remaining() / 3);
    table.Reserve(table.size() + expected, record.data.size());
    BiffStringReader strings(reader, record.continueOffsets);
    size_t count = 0;
    for (; count < unique && !reader.atEnd(); ++count) {
        BiffString string = strings.ReadUnicodeString();
        table.Append(string.text, string.runs, string.phonetic);
    }
    return count;
}

namespace {

// Builds the SST body piece by piece in a fixed buffer, starting a CONTINUE record when
// one is full; a workbook has strings by the million, so each goes in by plain copies.
class SstBuilder {
public:
    explicit SstBuilder(RecordWriter& writer) : writer_(writer) {}

    size_t Space() const { return rid::kMaxRecordData - size_; }
    // Stream position of the next byte, and its offset from the start of its record.
    size_t StreamPosition() const { return writer_.position() + 4 + size_; }
    uint16_t RecordOffset() const { return uint16_t(4 + size_); }

    void Put(const void* bytes, size_t count) {
        std::memcpy(body_ + size_, bytes, count);
        size_ += count;
    }
    void PutU16(uint16_t value) {
        const uint8_t bytes[2] = {uint8_t(value), uint8_t(value >> 8)};
        Put(bytes, 2);
    }
    void PutU32(uint32_t value) {
        const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
        Put(bytes, 4);
    }

    void Flush() {
        writer_.WritePhysical(first_ ? rid::kSst : rid::kContinue, std::span(body_, size_));
        first_ = false;
        size_ = 0;
    }

    struct Where {
        size_t streamPosition;
        uint16_t recordOffset;
    };

    // Writes one string; returns where its header went.
    Where WriteString(StoredText text, const StringExtras* extras) {
        bool rich = extras && !extras->runs.empty();
        bool phonetic = extras && !extras->phonetic.empty();
        size_t header = 3 + (rich ? 2 : 0) + (phonetic ? 4 : 0);
        if (Space() < header + (text.size() == 0 ? 0 : text.wide ? 2 : 1)) Flush();
        Where where{StreamPosition(), RecordOffset()};
        const auto characters = uint16_t(text.size());
        const uint8_t options = uint8_t((text.wide ? 1 : 0) | (rich ? 0x08 : 0) | (phonetic ? 0x04 : 0));
        body_[size_] = uint8_t(characters), body_[size_ + 1] = uint8_t(characters >> 8), body_[size_ + 2] = options;
        size_ += 3;
        if (rich) PutU16(uint16_t(extras->runs.size() / 4));
        if (phonetic) PutU32(uint32_t(extras->phonetic.size()));
        WriteCharacters(text);
        if (extras) WriteSplittable(extras->runs), WriteSplittable(extras->phonetic);
        return where;
    }

    void Finish() { Flush(); }

private:
    // The stored form is BIFF's own, so characters are copied as they are.
    void WriteCharacters(StoredText text) {
        std::string_view bytes = text.bytes;
        if (bytes.size() <= Space()) return Put(bytes.data(), bytes.size());  // most strings fit whole
        const size_t charSize = text.wide ? 2 : 1;
        while (!bytes.empty()) {
            size_t take = std::min(bytes.size(), Space() / charSize * charSize);
            if (take == 0) {
                Flush();
                const uint8_t option = text.wide ? 1 : 0;
                Put(&option, 1);
                continue;
            }
            Put(bytes.data(), take);
            bytes.remove_prefix(take);
        }
    }

    void WriteSplittable(std::span<const uint8_t> bytes) {
        while (!bytes.empty()) {
            if (Space() == 0) Flush();
            size_t take = std::min(bytes.size(), Space());
            Put(bytes.data(), take);
            bytes = bytes.subspan(take);
        }
    }

    RecordWriter& writer_;
    uint8_t body_[rid::kMaxRecordData];
    size_t size_ = 0;
    bool first_ = true;
};

}  // namespace

void WriteSstRecords(RecordWriter& writer, const SharedStringTable& table, const std::vector<uint32_t>& order,
                     uint32_t references) {
    const size_t perBucket = std::max<size_t>(8, (order.size() + 127) / 128);
    Bytes extsst;
    ByteWriter ext(extsst);
    ext.u16(uint16_t(perBucket));

    SstBuilder sst(writer);
    sst.PutU32(references);
    sst.PutU32(uint32_t(order.size()));
    size_t untilBucket = 0;  // strings left before the next bucket starts
    for (uint32_t index : order) {
        auto where = sst.WriteString(table.Text(index), table.Extras(index));
        if (untilBucket-- == 0) {
            untilBucket = perBucket - 1;
            ext.u32(uint32_t(where.streamPosition));
            ext.u16(where.recordOffset);
            ext.u16(0);
        }
    }
    sst.Finish();
    writer.WritePhysical(rid::kExtSst, extsst);
}

}  // namespace tabvex::xls
