#include "adapters/excel/excel_workbook.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "excel_target_fixture.h"
#include "support/test_support.h"

namespace tabvex::adapters {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

using ExcelWorkbookTest = test::ExcelTargetTest;

TEST_F(ExcelWorkbookTest, AGivenNameIsCreatedBesideTheTargetWithOneSheetAndSelectingItConnectsTheTarget) {
    ConnectNewWorkbook(scratch / "wb/Q2.xls");

    ASSERT_TRUE(CreateExcelWorkbook(migrator, "Q3", true));
    const fs::path created = scratch / "wb/Q3.xls";
    EXPECT_THAT(ui.messages(), Contains("Create Excel xls File [" + created.string() + "]"));
    const auto book = test::ReadWithXlrd(created);
    ASSERT_EQ(book["sheets"].size(), 1u);
    EXPECT_EQ(book["sheets"][0]["nrows"], 0);
    EXPECT_EQ(TargetDatabase(), (scratch / "wb/Q2").string()) << "a given name does not move the target";

    EXPECT_TRUE(SelectExcelWorkbook(migrator, browser::kTargetSide, "Q3"));
    EXPECT_EQ(migrator.targetSettings().sourceName, created.string());
    EXPECT_TRUE(migrator.targetHolder().HasSession());
    EXPECT_EQ(TargetDatabase(), (scratch / "wb/Q3").string());
}

TEST_F(ExcelWorkbookTest, AChosenFileBecomesTheTargetAndACancelledChooserCreatesNothing) {
    ConnectNewWorkbook(scratch / "first.xls");

    ui.QueueChosenPath(std::nullopt);
    EXPECT_FALSE(CreateExcelWorkbook(migrator, scratch.path().string(), false));
    ASSERT_EQ(ui.fileRequests().size(), 1u);
    EXPECT_EQ(ui.fileRequests()[0].title, "Create Excel Database As");
    EXPECT_TRUE(ui.fileRequests()[0].forSaving);
    EXPECT_THAT(ui.messages(), ::testing::Not(Contains(StartsWith("Create Excel xls File"))));

    ui.QueueChosenPath(scratch / "chosen");
    ASSERT_TRUE(CreateExcelWorkbook(migrator, scratch.path().string(), false));
    EXPECT_TRUE(fs::exists(scratch / "chosen.xls"));
    EXPECT_EQ(TargetDatabase(), (scratch / "chosen").string());
    EXPECT_TRUE(migrator.targetHolder().HasSession());
}

TEST_F(ExcelWorkbookTest, AWorkbookThatCannotBeWrittenShowsTheFailureAndIsNotCreated) {
    ConnectNewWorkbook(scratch / "first.xls");
    EXPECT_FALSE(CreateExcelWorkbook(migrator, (scratch / "missing/folder/new").string(), true));
    EXPECT_EQ(ui.boxes().size(), 2u);
    EXPECT_FALSE(fs::exists(scratch / "missing"));
}

TEST_F(ExcelWorkbookTest, DroppingTheConnectedWorkbookDisconnectsTheTargetAndOpensTheConfiguration) {
    ConnectNewWorkbook(scratch / "other.xls");
    ConnectNewWorkbook(scratch / "current.xls");

    EXPECT_TRUE(DropExcelWorkbook(migrator, (scratch / "other").string()));
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_THAT(ui.postedCommands(), IsEmpty());
    EXPECT_TRUE(migrator.targetHolder().HasSession());

    EXPECT_TRUE(DropExcelWorkbook(migrator, TargetDatabase()));
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, "Connected Database Dropped, Please Connect Another!");
    EXPECT_THAT(ui.postedCommands(), ElementsAre(1026));
    EXPECT_FALSE(migrator.targetHolder().HasDataSource());
    EXPECT_EQ(migrator.targetTree().sideMarker(), browser::kNotConnected);
    EXPECT_FALSE(fs::exists(scratch / "current.xls"));
    EXPECT_FALSE(fs::exists(scratch / "other.xls"));
    EXPECT_EQ(ui.messages().back(), "Drop Database SUCCESSFULLY!!!");

    // A workbook that is not there: the line says why.
    EXPECT_FALSE(DropExcelWorkbook(migrator, (scratch / "other").string()));
    EXPECT_THAT(ui.messages().back(), StartsWith("Drop Database \r\n failed with error code:[0x00000002]"));
}

}  // namespace
}  // namespace tabvex::adapters
