// Saving streams the Workbook stream out in chunks and patches offsets afterwards,
// wherever the bytes have gone by then: in the sink, still buffered, or split across.
#include <gtest/gtest.h>

#include <iterator>
#include <map>

#include "platform/xls/compound_file.h"
#include "platform/xls/record_ids.h"
#include "platform/xls/record_writer.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"
#include "xls_test_support.h"

namespace tabvex::xls {
namespace {

using tabvex::test::ReadWithXlrd;
using tabvex::test::ScratchDir;

class MemorySink : public StreamSink {
public:
    void Append(std::span<const uint8_t> bytes) override { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    void Overwrite(size_t position, std::span<const uint8_t> bytes) override {
        ASSERT_LE(position + bytes.size(), bytes_.size()) << "overwrote beyond what the sink holds";
        std::copy(bytes.begin(), bytes.end(), bytes_.begin() + long(position));
    }
    Bytes bytes_;
};

TEST(StreamWriting, PatchesLandInTheSinkInTheBufferAndAcrossBoth) {
    MemorySink sink;
    RecordWriter writer(sink);
    Bytes expected;
    size_t written = 0;
    for (int i = 0; i < 40; ++i) {
        Bytes body(8000, uint8_t(i));
        writer.WritePhysical(0x1234, body);
        ByteWriter out(expected);
        out.u16(0x1234), out.u16(8000), out.bytes(body);
        written += 8004;
        ASSERT_EQ(writer.position(), written);
    }
    ASSERT_GT(sink.bytes_.size(), 0u) << "nothing was flushed; the test needs bytes in the sink";
    const size_t boundary = sink.bytes_.size();
    const std::vector<size_t> positions = {2, boundary - 2, boundary - 4, boundary, written - 4};
    uint32_t value = 0xA1B2C3D4;
    for (size_t at : positions) {
        writer.PatchU32(at, value);
        ByteWriter(expected).patchU32(at, value);
        value += 0x01010101;
    }
    writer.Flush();
    EXPECT_EQ(sink.bytes_, expected);
}

TEST(StreamWriting, RecordsUpToTheLongestPieceFitWhateverIsBufferedAndLongerOnesAreRefused) {
    MemorySink sink;
    RecordWriter writer(sink);
    Bytes expected;
    // Fill levels just below, at and past a chunk, each followed by the longest piece a
    // record read from a file may have.
    for (size_t filler : {65530u, 65531u, 1u, 0u, 65532u}) {
        const Bytes small(filler, 0x5A), longest(0xFFFF, 0xA5);
        for (const Bytes* body : {&small, &longest}) {
            writer.WritePhysical(0x0102, *body);
            ByteWriter out(expected);
            out.u16(0x0102), out.u16(uint16_t(body->size())), out.bytes(*body);
        }
    }
    EXPECT_THROW(writer.WritePhysical(0x0102, Bytes(0x10000, 1)), XlsError);
    EXPECT_EQ(writer.position(), expected.size()) << "a refused record must leave nothing behind";
    writer.Flush();
    EXPECT_EQ(sink.bytes_, expected);
}

// Positions of every record of the stream, by identifier.
std::multimap<uint16_t, size_t> RecordPositions(const Bytes& stream) {
    std::multimap<uint16_t, size_t> positions;
    for (size_t at = 0; at + 4 <= stream.size();) {
        ByteReader header(stream, at);
        uint16_t sid = header.u16(), length = header.u16();
        positions.emplace(sid, at);
        at += 4 + size_t(length);
    }
    return positions;
}

TEST(StreamWriting, OffsetsOfALargeWorkbookPointAtTheirRecords) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"One", "Two", "Three"});
    for (size_t s = 0; s < 3; ++s) {
        for (int r = 0; r < 1100; ++r) {  // each sheet over 64 KB, so its INDEX is patched in the file
            std::vector<std::string> row;
            for (int c = 0; c < 4; ++c) row.push_back("sheet " + std::to_string(s) + " cell " + std::to_string(r * 4 + c));
            book.Sheet(s).AppendRow(row);
        }
    }
    book.Save(dir / "large.xls");

    const Bytes stream = ReadCompoundFile(dir / "large.xls").workbook;
    ASSERT_GT(stream.size(), size_t(3) << 16);
    auto records = RecordPositions(stream);
    auto sidAt = [&](size_t position) { return ByteReader(stream, position).u16(); };
    auto [bounds, boundsEnd] = records.equal_range(rid::kBoundSheet);
    for (auto it = bounds; it != boundsEnd; ++it) EXPECT_EQ(sidAt(ByteReader(stream, it->second + 4).u32()), rid::kBof);
    auto [indexes, indexesEnd] = records.equal_range(rid::kIndex);
    ASSERT_EQ(std::distance(indexes, indexesEnd), 3);
    for (auto it = indexes; it != indexesEnd; ++it) {
        ByteReader index(stream, it->second + 2);
        size_t cells = (index.u16() - 16) / 4;
        EXPECT_EQ(cells, 35u);  // one DBCELL per 32 rows of 1100
        index.skip(16);
        for (size_t i = 0; i < cells; ++i) EXPECT_EQ(sidAt(index.u32()), rid::kDbCell) << i;
    }

    auto x = ReadWithXlrd(dir / "large.xls");
    ASSERT_EQ(x["sheets"].size(), 3u);
    for (int s = 0; s < 3; ++s) {
        auto last = test::XlrdCell(x["sheets"][s], 1099, 3);
        EXPECT_EQ(last["value"], "sheet " + std::to_string(s) + " cell 4399");
    }
}

}  // namespace
}  // namespace tabvex::xls
