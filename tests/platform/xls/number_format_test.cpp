// Number formats: the classifier over codes that look like dates or money and are not
// (and the other way round), the built-in table, and what the engine reads of real
// workbooks' formats compared with xlrd.
#include <gtest/gtest.h>

#include "platform/xls/number_format.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"

namespace tabvex::xls {
namespace {

struct Case {
    const char* code;
    NumberFormatKind kind;
};

TEST(NumberFormat, ClassifiesCodesByWhatTheyShow) {
    using enum NumberFormatKind;
    const Case cases[] = {
        {"General", Plain},
        {"[Red]0.00", Plain},                           // a colour is no date letter
        {"\"d\"0", Plain},                              // quoted text
        {"\\d0", Plain},                                // an escaped letter
        {"0_m", Plain},                                 // the width of an 'm'
        {"#,##0 \"m\"", Plain},
        {"0.00E+00", Plain},
        {"[$-1010409]0.000%", Plain},                   // a locale without a sign
        {"[>100]0;[Blue]0", Plain},
        {"@", Plain},
        {"", Plain},
        {"mm:ss", Date},
        {"yyyy-mm-dd", Date},
        {"[h]:mm:ss", Date},
        {"dd\\-mmm\\-yy", Date},
        {"m/d/yy;@", Date},
        {"[$-409]mmmm d, yyyy", Date},
        {"[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy", Date},
        {"[Red]d-mmm", Date},
        {"\"$\"d", Date},                               // a date that happens to show a dollar
        {"$#,##0.00", Currency},
        {"\"$\"#,##0.00", Currency},
        {"\\$#,##0_);[RED]\"($\"#,##0\\)", Currency},
        {"[$$-409]#,##0.00", Currency},
        {"[$\xE2\x82\xAC-407] #,##0.00", Currency},    // [$€-407]
        {"#,##0.00 \"\xE2\x82\xAC\"", Currency},        // "€"
        {"\"\xC2\xA3\"#,##0.00", Currency},             // "£"
        {"\"abc", Plain},                               // an unclosed quote runs to the end
        {"[mm", Plain},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyNumberFormat(c.code), c.kind) << c.code;
}

TEST(NumberFormat, BuiltInDatesAndCurrencies) {
    for (uint16_t index = 0; index < 60; ++index) {
        bool date = (index >= 14 && index <= 22) || (index >= 45 && index <= 47);
        bool money = (index >= 5 && index <= 8) || index == 42 || index == 44;
        auto expected = date ? NumberFormatKind::Date : money ? NumberFormatKind::Currency : NumberFormatKind::Plain;
        EXPECT_EQ(ClassifyNumberFormat(BuiltInNumberFormat(index)), expected) << index;
    }
    EXPECT_EQ(BuiltInNumberFormat(30), "General");
    EXPECT_EQ(BuiltInNumberFormat(999), "General");
}

// Workbooks whose number cells use built-in, FORMAT-record and locale-tagged formats.
TEST(NumberFormat, CorpusCellsShowTheFormatsXlrdReads) {
    auto corpus = tabvex::test::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    for (const char* name : {"poi-DateFormats.xls", "poi-48968.xls", "poi-45672.xls",
                             "poi-ConditionalFormattingSamples.xls", "poi-ex45582-22397.xls", "poi-Formatting.xls"}) {
        SCOPED_TRACE(name);
        auto path = corpus / "xls" / name;
        Workbook book = Workbook::Open(path);
        auto xlrd = tabvex::test::ReadWithXlrd(path);
        ASSERT_TRUE(xlrd["formatting"].get<bool>());
        std::size_t compared = 0;
        for (std::size_t s = 0; s < book.SheetCount(); ++s) {
            for (const auto& cell : xlrd["sheets"][s]["cells"]) {
                int type = cell["type"];
                if (type != 2 && type != 3) continue;  // numbers and dates
                uint32_t row = cell["row"];
                uint16_t col = cell["col"];
                std::string code = book.Sheet(s).NumberFormatAt(row, col);
                EXPECT_EQ(code, cell["format"]["number_format"].get<std::string>()) << row << "," << col;
                EXPECT_EQ(IsDateFormat(code), type == 3) << code;
                ++compared;
            }
        }
        EXPECT_GT(compared, 0u);
    }
}

TEST(NumberFormat, DateSystemOfTheWorkbook) {
    auto corpus = tabvex::test::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    EXPECT_TRUE(Workbook::Open(corpus / "xls" / "poi-1904DateWindowing.xls").UsesDate1904());
    EXPECT_FALSE(Workbook::Open(corpus / "xls" / "poi-DateFormats.xls").UsesDate1904());
    EXPECT_FALSE(Workbook::CreateNew({"Sheet1"}).UsesDate1904());
}

}  // namespace
}  // namespace tabvex::xls
