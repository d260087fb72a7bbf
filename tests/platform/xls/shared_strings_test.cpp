// The shared string table across CONTINUE records: strings of every length and both
// encodings, split wherever the records end, must come back whole in xlrd and here.
#include <gtest/gtest.h>

#include <random>

#include "platform/xls/record_ids.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"
#include "xls_test_support.h"

namespace tabvex::xls {
namespace {

using tabvex::test::ReadWithXlrd;
using tabvex::test::ScratchDir;
using test::XlrdCell;

// Strings of 0 to 9,000 characters, Latin-1 or with CJK text, so that headers and
// characters of both widths meet record ends at many different offsets.
std::vector<std::string> VariedStrings() {
    std::mt19937 random(7);
    std::vector<std::string> texts;
    for (int i = 0; i < 400; ++i) {
        size_t length = i % 50 == 0 ? 9000 : random() % 700;
        bool wide = i % 3 == 0;
        std::string text = std::to_string(i) + ":";
        while (text.size() < length) text += wide ? "表" : std::string(1, char('a' + random() % 26));
        texts.push_back(text);
    }
    texts.push_back("");
    texts.push_back("é");
    return texts;
}

TEST(SharedStrings, LongAndWideStringsCrossContinueRecords) {
    ScratchDir dir;
    auto texts = VariedStrings();
    Workbook book = Workbook::CreateNew({"Strings"});
    for (size_t i = 0; i < texts.size(); ++i) book.Sheet(0).SetCellText(uint32_t(i), 0, texts[i]);
    book.Save(dir / "strings.xls");

    Workbook again = Workbook::Open(dir / "strings.xls");
    for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(again.Sheet(0).CellText(uint32_t(i), 0), texts[i]) << i;

    auto x = ReadWithXlrd(dir / "strings.xls");
    const auto& sheet = x["sheets"][0];
    for (size_t i = 0; i < texts.size(); ++i) {
        auto cell = XlrdCell(sheet, int(i), 0);
        ASSERT_FALSE(cell.is_null()) << i;
        ASSERT_EQ(cell["value"], texts[i]) << i;
    }
}

TEST(SharedStrings, RepeatedStringsAreStoredOnce) {
    ScratchDir dir;
    auto write = [&](const std::string& file, uint32_t distinct) {
        Workbook book = Workbook::CreateNew({"S"});
        for (uint32_t r = 0; r < 3000; ++r) book.Sheet(0).AppendRow({"some longer text " + std::to_string(r % distinct)});
        book.Save(dir / file);
        return std::filesystem::file_size(dir / file);
    };
    // 2990 more strings of about 20 bytes each make the difference.
    EXPECT_GT(write("distinct.xls", 3000), write("repeated.xls", 10) + 2990 * 18);
    Workbook again = Workbook::Open(dir / "repeated.xls");
    EXPECT_EQ(again.Sheet(0).CellText(2999, 0), "some longer text 9");
}

void Wide(ByteWriter& out, std::u16string_view text) {
    for (char16_t c : text) out.u16(c);
}

// An SST whose strings are split across CONTINUE records the way Excel may split them:
// characters going on in the other width behind a fresh option byte, a string header
// right at the start of a record, formatting runs cut in two.
Bytes SplitStringTable() {
    Bytes sst, first, second, third, fourth;
    ByteWriter a(sst), b(first), c(second), d(third), e(fourth);
    a.u32(4), a.u32(4);
    a.u16(6), a.u8(0x00), a.bytes(Bytes{'a', 'b', 'c'});  // "abc" 8-bit ...
    b.u8(0x01), Wide(b, u"日本表");                       // ... "日本表" 16-bit
    b.u16(4), b.u8(0x01), Wide(b, u"αβ");                 // "αβ" 16-bit ...
    c.u8(0x00), c.bytes(Bytes{'g', 'h'});                 // ... "gh" 8-bit
    d.u16(2), d.u8(0x00), d.bytes(Bytes{'o', 'k'});       // a whole string opening a record
    d.u16(3), d.u8(0x08), d.u16(1), d.bytes(Bytes{'x', 'y', 'z'}), d.u16(1);  // a run cut after its first half
    e.u16(0);
    Bytes records;
    test::Record(records, rid::kSst, sst);
    for (const Bytes* part : {&first, &second, &third, &fourth}) test::Record(records, rid::kContinue, *part);
    return records;
}

TEST(SharedStrings, StringsSplitAcrossContinueRecordsInEitherWidth) {
    ScratchDir dir;
    Bytes cells;
    for (uint16_t i = 0; i < 4; ++i) {
        Bytes label;
        ByteWriter out(label);
        out.u16(i), out.u16(0), out.u16(0), out.u32(i);
        test::Record(cells, rid::kLabelSst, label);
    }
    // One font and one cell format, enough for xlrd to read formats of the copy.
    Bytes globals, font, format(20, 0);
    ByteWriter f(font);
    f.u16(200), f.u16(0), f.u16(0x7FFF), f.u16(400), f.u16(0), f.u32(0), f.u8(5), f.u8(0);
    f.bytes(Bytes{'A', 'r', 'i', 'a', 'l'});
    test::Record(globals, rid::kFont, font);
    test::Record(globals, rid::kXf, format);
    Bytes strings = SplitStringTable();
    globals.insert(globals.end(), strings.begin(), strings.end());
    auto path = test::Container(dir / "split.xls", test::OneSheetStream(globals, cells));
    const std::vector<std::string> expected = {"abc日本表", "αβgh", "ok", "xyz"};

    Workbook book = Workbook::Open(path);
    for (uint16_t i = 0; i < 4; ++i) EXPECT_EQ(book.Sheet(0).CellText(i, 0), expected[i]) << i;
    book.Save(dir / "copy.xls");
    auto x = ReadWithXlrd(dir / "copy.xls");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(XlrdCell(x["sheets"][0], i, 0)["value"], expected[size_t(i)]) << i;
}

// Texts at the edges of the stored forms: empty, Latin-1 above 0x7F in one byte per
// character, wide ones, surrogate pairs, invalid UTF-8, and both forms at 32,767.
std::vector<std::string> TextsOfEveryForm() {
    std::string longLatin1;
    for (int i = 0; i < 32767; ++i) longLatin1 += "\u00e9";
    return {"", "plain", "caf\u00e9 \u00ff", "\u03a9mega", "x\U0001F600y", "bad \xff byte",
            longLatin1, std::string(32766, 'w') + "\u0416"};
}

TEST(SharedStrings, TextsOfEveryFormReadBackByXlrdAndAreReusedAfterReopening) {
    ScratchDir dir;
    auto texts = TextsOfEveryForm();
    auto expected = texts;
    expected[5] = "bad \uFFFD byte";
    Workbook book = Workbook::CreateNew({"Forms"});
    book.Sheet(0).AppendRow(texts);
    book.Sheet(0).AppendRow(texts);  // interned: the second row adds no strings
    book.Save(dir / "forms.xls");

    auto x = ReadWithXlrd(dir / "forms.xls");
    for (int r = 0; r < 2; ++r) {
        for (size_t c = 0; c < texts.size(); ++c) {
            auto cell = XlrdCell(x["sheets"][0], r, int(c));
            ASSERT_FALSE(cell.is_null()) << r << "," << c;
            EXPECT_EQ(cell["value"], expected[c]) << r << "," << c;
        }
    }

    // Strings read from the file are found again: a third row of the same texts adds
    // cell records only, not another 100 KB of characters.
    Workbook again = Workbook::Open(dir / "forms.xls");
    for (size_t c = 0; c < texts.size(); ++c) EXPECT_EQ(again.Sheet(0).CellText(1, uint16_t(c)), expected[c]) << c;
    again.Sheet(0).AppendRow(texts);
    again.Save(dir / "three-rows.xls");
    EXPECT_LT(std::filesystem::file_size(dir / "three-rows.xls"), std::filesystem::file_size(dir / "forms.xls") + 1024);
    EXPECT_EQ(Workbook::Open(dir / "three-rows.xls").Sheet(0).CellText(2, 7), expected[7]);
}

TEST(SharedStrings, ATooLongTextLeavesTheAppendedRowUnwritten) {
    Workbook book = Workbook::CreateNew({"S"});
    std::string wide;
    for (int i = 0; i < 16384; ++i) wide += "\U0001F600";  // 32,768 UTF-16 units in 65,536 bytes
    EXPECT_THROW(book.Sheet(0).AppendRow({"first", wide}), XlsError);
    EXPECT_THROW(book.Sheet(0).AppendRow({std::string(32768, 'x')}), XlsError);
    EXPECT_EQ(book.Sheet(0).UsedRange(), std::nullopt);
    EXPECT_EQ(book.Sheet(0).AppendRow({"first"}), 0u);
}

}  // namespace
}  // namespace tabvex::xls
