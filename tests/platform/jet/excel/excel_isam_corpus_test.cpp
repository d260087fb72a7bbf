// Every workbook of the shared corpus, opened through the ISAM: each table lists its
// columns and reads its first rows, or the file is refused with a message naming it.
#include <gtest/gtest.h>

#include "platform/jet/excel/excel_isam.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"

namespace tabvex::jet::excel {
namespace {

// Enough rows to pass the type guess and reach cells of every kind, few enough that
// sheets filled to the last row stay quick in a sanitized build.
constexpr std::size_t kRowsPerTable = 2000;

void ReadEveryTable(Isam& isam) {
    std::vector<oledb::Value> row;
    for (const auto& table : isam.Tables()) {
        auto columns = isam.Columns(table.name);
        auto cursor = isam.OpenCursor(table.name);
        for (std::size_t read = 0; read < kRowsPerTable && cursor->Next(row); ++read)
            EXPECT_EQ(row.size(), columns.size()) << table.name;
    }
}

TEST(ExcelIsamCorpus, EveryWorkbookIsReadOrRefusedByName) {
    auto corpus = test::CorpusDir();
    if (corpus.empty() || !std::filesystem::is_directory(corpus / "xls")) GTEST_SKIP() << "no corpus";
    std::size_t opened = 0, refused = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "xls")) {
        SCOPED_TRACE(entry.path().filename().string());
        try {
            ExcelIsam isam(entry.path());
            ReadEveryTable(isam);
            ++opened;
        } catch (const IsamError& error) {
            EXPECT_NE(std::string(error.what()).find(entry.path().filename().string()), std::string::npos)
                << error.what();
            ++refused;
        }
    }
    EXPECT_GT(opened, refused);
}

}  // namespace
}  // namespace tabvex::jet::excel
