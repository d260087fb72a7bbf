#include "platform/automation/cell_range.h"

#include <gtest/gtest.h>

namespace tabvex::automation {
namespace {

TEST(CellRangeTest, ReadsTheAddressesTheHeaderFormattingUses) {
    EXPECT_EQ(ParseA1Range("A1:B1"), (CellRange{0, 0, 0, 1}));
    EXPECT_EQ(ParseA1Range("Z1:Z1"), CellRange::Cell(0, 25));
    EXPECT_EQ(ParseA1Range("AA1:AA1"), CellRange::Cell(0, 26));
    EXPECT_EQ(ParseA1Range("AB1:AB1"), CellRange::Cell(0, 27));
    EXPECT_EQ(ParseA1Range("BA1:BA1"), CellRange::Cell(0, 52));
}

TEST(CellRangeTest, AcceptsAbsoluteMarksLowerCaseAndReversedCorners) {
    EXPECT_EQ(ParseA1Range("$A$1"), CellRange::Cell(0, 0));
    EXPECT_EQ(ParseA1Range("$C2:A$1"), (CellRange{0, 0, 1, 2}));
    EXPECT_EQ(ParseA1Range("iv65536"), CellRange::Cell(65535, 255));
}

TEST(CellRangeTest, ReadsWholeRowsAndColumns) {
    EXPECT_EQ(ParseA1Range("1:1"), (CellRange{0, 0, 0, 255}));
    EXPECT_EQ(ParseA1Range("$B:$C"), (CellRange{0, 1, 65535, 2}));
}

TEST(CellRangeTest, RefusesWhatIsNotOneRectangleOnTheSheet) {
    for (const char* bad : {"", ":", "A", "1", "A0", "IW1", "A65537", "AAAA1", "A1:", ":A1", "A1:B", "A:1",
                            "A1 ", " A1", "A1,B2", "A1:B2:C3", "1A", "A$", "Sheet1!A1", "A-1"}) {
        EXPECT_EQ(ParseA1Range(bad), std::nullopt) << bad;
    }
}

TEST(CellRangeTest, WritesColumnLettersAcrossTheLetterBoundaries) {
    EXPECT_EQ(ColumnLetters(0), "A");
    EXPECT_EQ(ColumnLetters(25), "Z");
    EXPECT_EQ(ColumnLetters(26), "AA");
    EXPECT_EQ(ColumnLetters(51), "AZ");
    EXPECT_EQ(ColumnLetters(52), "BA");
    EXPECT_EQ(ColumnLetters(255), "IV");
}

TEST(CellRangeTest, AbsoluteAddressReadsBackAsTheSameRange) {
    for (const CellRange& range : {CellRange::Cell(4, 27), CellRange{0, 0, 9, 1}, CellRange{2, 0, 3, 255},
                                   CellRange{0, 3, 65535, 4}, CellRange{0, 0, 65535, 255}}) {
        const std::string address = AbsoluteAddress(range);
        EXPECT_EQ(ParseA1Range(address), range) << address;
    }
    EXPECT_EQ(AbsoluteAddress(CellRange{0, 0, 9, 1}), "$A$1:$B$10");
    EXPECT_EQ(AbsoluteAddress(CellRange{0, 0, 0, 255}), "$1:$1");
}

}  // namespace
}  // namespace tabvex::automation
