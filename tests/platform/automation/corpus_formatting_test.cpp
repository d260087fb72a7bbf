#include <gtest/gtest.h>

#include "automation_test_support.h"
#include "support/test_support.h"

namespace tabvex::automation::test {
namespace {

using tabvex::test::CorpusDir;
using tabvex::test::ReadWithXlrd;
using tabvex::test::ScratchDir;

// What formatting must not change: every sheet's name and cell values, and every
// defined name with the area it covers.
nlohmann::json Contents(const nlohmann::json& book) {
    nlohmann::json contents;
    for (const auto& sheet : book["sheets"]) {
        nlohmann::json values;
        for (const auto& cell : sheet["cells"]) values.push_back({cell["row"], cell["col"], cell["type"], cell["value"]});
        contents["sheets"].push_back({sheet["name"], values});
    }
    contents["names"] = book["names"];
    return contents;
}

class CorpusFormattingTest : public ::testing::TestWithParam<const char*> {};

TEST_P(CorpusFormattingTest, FormattingTheHeaderRowsOfAnExcelMadeWorkbookKeepsEverythingElse) {
    if (CorpusDir().empty()) GTEST_SKIP() << "no corpus";
    ScratchDir dir;
    const auto file = dir / "copy.xls";
    std::filesystem::copy_file(CorpusDir() / "xls" / GetParam(), file);
    const auto before = ReadWithXlrd(file);

    FormatHeaderRows(file);

    const auto after = ReadWithXlrd(file);
    EXPECT_EQ(Contents(after), Contents(before));
    for (const auto& sheet : after["sheets"]) {
        EXPECT_EQ(sheet["frozen_rows"], 1) << sheet["name"];
        if (const auto* first = CellAt(sheet, 0, 0)) {
            EXPECT_TRUE((*first)["format"]["bold"]) << sheet["name"];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ExcelMade, CorpusFormattingTest,
                         ::testing::Values("xlrd-namesdemo.xls", "poi-SimpleWithPrintArea.xls", "poi-Employee.xls"));

}  // namespace
}  // namespace tabvex::automation::test
