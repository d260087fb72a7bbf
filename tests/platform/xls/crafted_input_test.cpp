// Damaged and unsupported files: each is refused with an error naming the file and
// the problem, never a crash.
#include <gtest/gtest.h>

#include "platform/xls/compound_file.h"
#include "platform/xls/record_ids.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"

namespace tabvex::xls {
namespace {

using tabvex::test::ScratchDir;

void Record(Bytes& stream, uint16_t sid, const Bytes& body) {
    ByteWriter out(stream);
    out.u16(sid);
    out.u16(uint16_t(body.size()));
    out.bytes(body);
}

Bytes Bof(uint16_t version, uint16_t type) {
    Bytes body;
    ByteWriter out(body);
    out.u16(version), out.u16(type), out.zeros(12);
    return body;
}

// A workbook file whose Workbook stream is `stream`.
std::filesystem::path Container(const ScratchDir& dir, const Bytes& stream, const std::string& streamName = "Workbook") {
    CompoundFile file;
    file.workbookStreamName = streamName;
    file.workbook = stream;
    auto path = dir / "crafted.xls";
    WriteCompoundFile(path, file);
    return path;
}

std::string OpenError(const std::filesystem::path& path) {
    try {
        Workbook::Open(path);
    } catch (const XlsError& e) {
        EXPECT_EQ(e.file(), path);
        return e.problem();
    }
    return "opened";
}

TEST(CraftedInput, NotAWorkbookAtAll) {
    ScratchDir dir;
    tabvex::test::WriteFile(dir / "text.xls", "just some text, not a compound file");
    EXPECT_NE(OpenError(dir / "text.xls").find("not a readable compound file"), std::string::npos);
    tabvex::test::WriteFile(dir / "empty.xls", "");
    EXPECT_NE(OpenError(dir / "empty.xls").find("not a readable compound file"), std::string::npos);
    EXPECT_EQ(OpenError(dir / "missing.xls"), "no such file");
    tabvex::test::WriteFile(dir / "biff4.xls", std::string("\x09\x04\x06\x00\x00\x00\x10\x00", 8));
    EXPECT_NE(OpenError(dir / "biff4.xls").find("older Excel format"), std::string::npos);
}

TEST(CraftedInput, WrongStreamsAndVersions) {
    ScratchDir dir;
    Bytes biff5;
    Record(biff5, rid::kBof, Bof(0x0500, 0x0005));
    EXPECT_NE(OpenError(Container(dir, biff5, "Book")).find("BIFF5"), std::string::npos);
    EXPECT_NE(OpenError(Container(dir, biff5)).find("BIFF5"), std::string::npos);
    EXPECT_NE(OpenError(Container(dir, biff5, "Other")).find("no Workbook stream"), std::string::npos);
}

TEST(CraftedInput, EncryptedWorkbook) {
    ScratchDir dir;
    Bytes stream;
    Record(stream, rid::kBof, Bof(0x0600, 0x0005));
    Record(stream, rid::kFilePass, Bytes(54, 1));
    Record(stream, rid::kEof, {});
    EXPECT_NE(OpenError(Container(dir, stream)).find("encrypted"), std::string::npos);
}

TEST(CraftedInput, DamagedRecordsAreNamed) {
    ScratchDir dir;
    Bytes truncated;
    Record(truncated, rid::kBof, Bof(0x0600, 0x0005));
    ByteWriter(truncated).u16(rid::kFont), ByteWriter(truncated).u16(500);  // length beyond the stream
    EXPECT_NE(OpenError(Container(dir, truncated)).find("corrupt workbook"), std::string::npos);

    Bytes badSheet;
    Record(badSheet, rid::kBof, Bof(0x0600, 0x0005));
    Bytes bound;
    ByteWriter out(bound);
    out.u32(0x7FFFFFF0), out.u8(0), out.u8(0), out.u8(1), out.u8(0), out.u8('S');
    Record(badSheet, rid::kBoundSheet, bound);
    Record(badSheet, rid::kEof, {});
    EXPECT_NE(OpenError(Container(dir, badSheet)).find("corrupt workbook"), std::string::npos);

    Bytes hugeSst;
    Record(hugeSst, rid::kBof, Bof(0x0600, 0x0005));
    Bytes sst;
    ByteWriter(sst).u32(0xFFFFFFFF), ByteWriter(sst).u32(0xFFFFFFFF), ByteWriter(sst).u16(0xFFFF);
    Record(hugeSst, rid::kSst, sst);
    Record(hugeSst, rid::kEof, {});
    std::string problem = OpenError(Container(dir, hugeSst));
    EXPECT_NE(problem.find("record 0x00FC at offset 20"), std::string::npos) << problem;

    Bytes noEof;
    Record(noEof, rid::kBof, Bof(0x0600, 0x0005));
    EXPECT_NE(OpenError(Container(dir, noEof)).find("no EOF"), std::string::npos);
}

}  // namespace
}  // namespace tabvex::xls
