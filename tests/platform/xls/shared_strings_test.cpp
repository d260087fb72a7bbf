// The shared string table across CONTINUE records: strings of every length and both
// encodings, split wherever the records end, must come back whole in xlrd and here.
#include <gtest/gtest.h>

#include <random>

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

}  // namespace
}  // namespace tabvex::xls
