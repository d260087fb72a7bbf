#include "adapters/excel/sheet_names.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/jet/excel/excel_table_name.h"
#include "platform/text/utf8.h"

namespace tabvex::adapters {
namespace {

using ::testing::ElementsAre;

TEST(SheetNamesTest, NamesExcelHoldsStayAndOthersAreFitted) {
    const std::vector<std::string> tables{"Orders", "Order Details", "Select", "Q1", "Big1", "R1C1", "Q1/Q2",
                                          "Sales:2024?", "2024", "Ελληνικά"};
    EXPECT_THAT(FitSheetNames(tables), ElementsAre("Orders", "Order_Details", "Select", "Q1_", "Big1_", "R1C1_",
                                                   "Q1_Q2", "Sales_2024_", "_2024", "Ελληνικά"));
    // Every fitted name is one the workbook's CREATE TABLE takes as it is.
    for (const auto& sheet : FitSheetNames(tables)) EXPECT_EQ(jet::excel::NewTableName(sheet), sheet);
}

TEST(SheetNamesTest, LongNamesAreCutAtACharacterAndCollisionsNumberedWithoutCase) {
    const std::string longName = "A table name far longer than thirty-one characters";
    std::string greek;
    for (int i = 0; i < 40; ++i) greek += "λ";
    const auto sheets = FitSheetNames({longName, longName + " too", "ORDER_details", "order details", greek});
    EXPECT_EQ(sheets[0], "A_table_name_far_longer_than_th");
    EXPECT_EQ(sheets[1], "A_table_name_far_longer_than__2");
    EXPECT_EQ(sheets[2], "ORDER_details");
    EXPECT_EQ(sheets[3], "order_details_2");
    EXPECT_EQ(text::Utf16Length(sheets[4]), 31u);
    EXPECT_TRUE(text::Utf8ToUtf16(sheets[4]).find(u'\uFFFD') == std::u16string::npos);
}

TEST(SheetNamesTest, OneTableGetsTheSheetItHasAmongAllTables) {
    const std::vector<std::string> tables{"order details", "Order_Details", "Orders"};
    EXPECT_EQ(SheetNameOfTable(tables, "Order_Details"), "Order_Details_2");
    EXPECT_EQ(SheetNameOfTable(tables, "Orders"), "Orders");
    EXPECT_EQ(SheetNameOfTable({}, "Q1"), "Q1_");
}

}  // namespace
}  // namespace tabvex::adapters
