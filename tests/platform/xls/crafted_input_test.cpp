// Damaged and unsupported files: each is refused with an error naming the file and
// the problem, never a crash.
#include <gtest/gtest.h>

#include "platform/xls/compound_file.h"
#include "platform/xls/font_record.h"
#include "platform/xls/record_ids.h"
#include "platform/xls/workbook.h"
#include "platform/xls/xf_record.h"
#include "support/test_support.h"
#include "xls_test_support.h"

namespace tabvex::xls {
namespace {

using tabvex::test::ScratchDir;
using test::Bof;
using test::Record;

std::filesystem::path Container(const ScratchDir& dir, const Bytes& stream, const std::string& streamName = "Workbook") {
    return test::Container(dir / "crafted.xls", stream, streamName);
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

// Cell records that promise more than they hold, each in an otherwise sound sheet.
TEST(CraftedInput, DamagedCellsAreNamedWithTheirSheet) {
    ScratchDir dir;
    auto cell = [](uint16_t sid, Bytes body) {
        Bytes cells;
        Record(cells, sid, body);
        return cells;
    };
    Bytes emptySst;
    Record(emptySst, rid::kSst, Bytes(8, 0));
    struct Case {
        const char* what;
        Bytes globals, cells;
    };
    const std::vector<Case> cases = {
        {"a text cell past the shared strings", emptySst, cell(rid::kLabelSst, {0, 0, 0, 0, 0, 0, 5, 0, 0, 0})},
        {"a formula without its tokens", {}, cell(rid::kFormula, Bytes(12, 0))},
        {"a number cut short", {}, cell(rid::kNumber, Bytes(9, 0))},
        {"a run of numbers without its first column", {}, cell(rid::kMulRk, {0, 0})},
        {"inline text longer than its record", {}, cell(rid::kLabel, {0, 0, 0, 0, 0, 0, 200, 0, 0, 'a'})},
        {"a row cut short", {}, cell(rid::kRow, {1, 0, 0})},
    };
    for (const auto& c : cases) {
        auto path = Container(dir, test::OneSheetStream(c.globals, c.cells));
        std::string problem = OpenError(path);
        EXPECT_NE(problem.find("corrupt workbook"), std::string::npos) << c.what << ": " << problem;
        EXPECT_NE(problem.find("of sheet S"), std::string::npos) << c.what << ": " << problem;
    }
    Bytes names;  // a NAME whose formula runs past its record
    Record(names, rid::kName, {0, 0, 0, 1, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'N', 0x3A});
    EXPECT_NE(OpenError(Container(dir, test::OneSheetStream(names, {}))).find("record 0x0018"), std::string::npos);
}

Bytes NumberCell(uint16_t row, uint16_t column, uint16_t xf, double value) {
    Bytes body;
    ByteWriter out(body);
    out.u16(row), out.u16(column), out.u16(xf), out.f64(value);
    Bytes cell;
    Record(cell, rid::kNumber, body);
    return cell;
}

Bytes Joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Cells, rows and columns may refer to formats the file lacks; they read as the default
// cell format, and formats added later must neither change them nor be lost on saving.
TEST(CraftedInput, FormatsAddedToAWorkbookWithoutFormatRecordsAreSavedAndChangeNoOtherCell) {
    ScratchDir dir;
    Bytes column;  // COLINFO: column 5 in format 25
    ByteWriter(column).u16(5), ByteWriter(column).u16(5), ByteWriter(column).u16(2560);
    ByteWriter(column).u16(25), ByteWriter(column).u16(0), ByteWriter(column).u16(0);
    Bytes columns;
    Record(columns, rid::kColInfo, column);
    Bytes cells = Joined({columns, NumberCell(0, 0, 0, 1), NumberCell(2, 0, 20, 2)});
    Workbook book = Workbook::Open(Container(dir, test::OneSheetStream({}, cells)));
    Worksheet& sheet = book.Sheet(0);
    const CellFormat plain = sheet.CellFormatAt(0, 0);
    ASSERT_FALSE(plain.bold);

    CellFormat header;
    header.bold = true;
    header.fillColour = 22;
    sheet.SetRowFormat(1, header);
    CellFormat underlined;
    underlined.borders.bottom = 2;
    sheet.SetCellFormat(4, 0, underlined);
    sheet.SetCellText(6, 5, "takes its column's format");

    auto expectFormats = [&](const Worksheet& s, const char* when) {
        EXPECT_EQ(s.CellFormatAt(0, 0), plain) << when;
        EXPECT_EQ(s.CellFormatAt(2, 0), plain) << when;
        EXPECT_EQ(s.CellFormatAt(6, 5), plain) << when;
        EXPECT_TRUE(s.CellFormatAt(1, 0).bold) << when;
        EXPECT_EQ(s.CellFormatAt(1, 3).fillColour, std::optional<uint8_t>(22)) << when;
        EXPECT_EQ(s.CellFormatAt(4, 0).borders.bottom, 2) << when;
        EXPECT_EQ(s.CellText(2, 0), "2") << when;
    };
    expectFormats(sheet, "before saving");
    book.Save(dir / "formatted.xls");
    expectFormats(Workbook::Open(dir / "formatted.xls").Sheet(0), "read back");
}

// The same for fonts: a format whose font the file lacks keeps the default font when
// a bold font is added.
TEST(CraftedInput, FontsAddedDoNotTakeTheIndexOfAMissingFont) {
    ScratchDir dir;
    Bytes globals;
    auto put = [&globals](const BiffRecord& r) { Record(globals, r.sid, r.data); };
    put(FontRecord{}.ToRecord());
    for (int i = 0; i < 16; ++i) put(XfRecord::DefaultCell().ToRecord());
    XfRecord missingFont = XfRecord::DefaultCell();
    missingFont.SetFontIndex(5);  // the file has one font
    put(missingFont.ToRecord());  // format 16
    Bytes cells = Joined({NumberCell(0, 0, 15, 1), NumberCell(1, 0, 16, 2)});
    Workbook book = Workbook::Open(Container(dir, test::OneSheetStream(globals, cells)));
    Worksheet& sheet = book.Sheet(0);
    ASSERT_FALSE(sheet.CellFormatAt(1, 0).bold);

    CellFormat bold;
    bold.bold = true;
    sheet.SetCellFormat(0, 0, bold);
    EXPECT_TRUE(sheet.CellFormatAt(0, 0).bold);
    EXPECT_FALSE(sheet.CellFormatAt(1, 0).bold);
    book.Save(dir / "bold.xls");
    const Workbook reread = Workbook::Open(dir / "bold.xls");
    EXPECT_TRUE(reread.Sheet(0).CellFormatAt(0, 0).bold);
    EXPECT_FALSE(reread.Sheet(0).CellFormatAt(1, 0).bold);
}

// Excel writes an empty sheet without ROW or cell records; what is added to it must be
// saved with it.
TEST(CraftedInput, CellsAddedToASheetReadWithoutCellsAreSaved) {
    ScratchDir dir;
    Bytes records;
    Record(records, rid::kDimensions, Bytes(14, 0));
    Bytes window;
    ByteWriter(window).u16(0x06B6), ByteWriter(window).zeros(16);
    Record(records, rid::kWindow2, window);
    Workbook book = Workbook::Open(Container(dir, test::OneSheetStream({}, records)));
    Worksheet& sheet = book.Sheet(0);
    ASSERT_FALSE(sheet.UsedRange());
    sheet.AppendRow({"Id", "Name"});
    sheet.SetCellNumber(3, 1, 2.5);
    CellFormat bold;
    bold.bold = true;
    sheet.SetRowFormat(5, bold);
    book.Save(dir / "filled.xls");

    const Workbook reread = Workbook::Open(dir / "filled.xls");
    const Worksheet& saved = reread.Sheet(0);
    EXPECT_EQ(saved.CellText(0, 0), "Id");
    EXPECT_EQ(saved.CellText(0, 1), "Name");
    EXPECT_EQ(saved.CellText(3, 1), "2.5");
    EXPECT_TRUE(saved.RowFormat(5).bold);
    EXPECT_EQ(saved.UsedRange(), (CellRange{0, 3, 0, 1}));
}

}  // namespace
}  // namespace tabvex::xls
