// The migration options end to end: "Verify after writing" reads every arrived table
// back from the saved file (and catches a file damaged after the save), and "Save long
// binary values as files" puts pictures beside the workbook, the cells naming them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/excel/saved_workbook_check.h"
#include "tasks/bodies/migrate_command.h"
#include "tasks/bodies/migration_fixture.h"
#include "support/ole_object.h"

namespace tabvex::tasks {
namespace {

using browser::TreeNodeKind;
using test::Bytes;
using test::Rows;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

class MigrationOptionsTest : public test::MigrationFixture {
protected:
    MigrationOptionsTest() { RegisterTaskBodies(program.engine()); }
    ~MigrationOptionsTest() override { adapters::SetBeforeReadBackForTests({}); }

    void ConnectShop(const std::vector<test::SourceTable>& tables) {
        Connect(WriteDatabase(scratch / "in/shop.mdb", tables), WriteBook(book));
        database = (scratch / "in/shop").string();
    }

    // Migrates the source database, or its table `table`, into the workbook.
    void Migrate(const std::string& table = "") {
        if (table.empty()) Select(TreeNodeKind::Database, database, TreeNodeKind::Database);
        else Select(TreeNodeKind::Table, table, TreeNodeKind::Database);
        ui.QueueAnswer(app::MessageAnswer::Ok);
        MigrateCommand(program.output(), program.sides(), program.engine());
        ASSERT_TRUE(WaitForIdle());
    }

    std::size_t LinesHolding(const std::string& text) const {
        const auto messages = ui.messages();
        return static_cast<std::size_t>(std::count_if(messages.begin(), messages.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        }));
    }

    fs::path book = scratch / "out/book.xls";
    std::string database;
};

test::SourceTable Pictures(const Bytes& photo) {
    return {"Staff Pictures",
            {{"ID", mdb::JetType::Long, 0}, {"Photo", mdb::JetType::OleObject, 0}},
            {{"1", test::HexText(test::AccessOleObject(photo))}, {"2", "00FF"}, {"3", std::nullopt}}};
}

TEST_F(MigrationOptionsTest, EveryArrivedTableIsReadBackAndVerified) {
    program.options().Update([&](tabvex::connect::Options& o) { o.verifyAfterWriting = true; });
    ConnectShop({test::Customers(), test::Orders()});
    Migrate();
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    EXPECT_TRUE(Logged("[Customers] verified: 3 rows read back equal"));
    EXPECT_TRUE(Logged("[Orders] verified: 2 rows read back equal"));
}

TEST_F(MigrationOptionsTest, ATableMigratedAloneIsVerifiedToo) {
    program.options().Update([&](tabvex::connect::Options& o) { o.verifyAfterWriting = true; });
    ConnectShop({test::Customers(), test::Orders()});
    Migrate("Orders");
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    EXPECT_EQ(LinesHolding("verified"), 1u);
    EXPECT_TRUE(Logged("[Orders] verified: 2 rows read back equal"));
}

TEST_F(MigrationOptionsTest, WithoutTheOptionNothingIsReadBack) {
    ConnectShop({test::Orders()});
    Migrate();
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    EXPECT_EQ(LinesHolding("verified"), 0u);
}

TEST_F(MigrationOptionsTest, AFileDamagedAfterTheSaveFailsTheTableAndTheTask) {
    program.options().Update([&](tabvex::connect::Options& o) { o.verifyAfterWriting = true; });
    adapters::SetBeforeReadBackForTests([](const fs::path& workbook) {
        auto saved = xls::Workbook::OpenOnDisk(workbook);
        saved.Sheet(*saved.FindSheet("Customers")).SetCellText(2, 1, "Mallory");
        saved.Save(workbook);
    });
    ConnectShop({test::Customers(), test::Orders()});
    Migrate();
    EXPECT_THAT(States(), ElementsAre(TaskState::Failed));
    EXPECT_TRUE(Logged("[Customers] not verified: row 2, column [Name] reads back \"Mallory\", not what was sent"));
    EXPECT_TRUE(Logged("[Orders] verified: 2 rows read back equal"));
    EXPECT_TRUE(LoggedStart("Summary: 1 table arrived, 1 failed or left out: [Customers];"));
}

TEST_F(MigrationOptionsTest, ATableThatFailedIsNotReadBack) {
    program.options().Update([&](tabvex::connect::Options& o) { o.verifyAfterWriting = true; });
    test::SourceTable notes{"Notes", {{"N", mdb::JetType::Long, 0}, {"Body", mdb::JetType::Memo, 0}}, {}};
    notes.rows.push_back({"1", std::string(40000, 'x')});
    ConnectShop({notes, test::Orders()});
    Migrate();
    EXPECT_THAT(States(), ElementsAre(TaskState::Failed));
    EXPECT_EQ(LinesHolding("[Notes] verified"), 0u);
    EXPECT_EQ(LinesHolding("[Notes] not verified"), 0u);
    EXPECT_TRUE(Logged("[Orders] verified: 2 rows read back equal"));
}

TEST_F(MigrationOptionsTest, ALongPictureIsSavedAsAFileTheCellNames) {
    program.options().Update([&](tabvex::connect::Options& o) { o.binaryFiles = true; });
    program.options().Update([&](tabvex::connect::Options& o) { o.verifyAfterWriting = true; });
    const Bytes photo = test::Bitmap(100, 60);  // its text is longer than a cell holds
    ConnectShop({Pictures(photo)});
    Migrate();
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    const fs::path file = scratch / "out/book.xls.files/Staff Pictures/Photo-1.bmp";
    EXPECT_TRUE(test::ReadFile(file) == std::string(photo.begin(), photo.end()));
    EXPECT_EQ(test::SheetOf(book, "Staff_Pictures"),
              (Rows{{"ID", "Photo"}, {"1", "book.xls.files/Staff Pictures/Photo-1.bmp"}, {"2", "00FF"}, {"3", ""}}));
    EXPECT_TRUE(Logged("[Staff Pictures] verified: 3 rows read back equal"));
}

// A value far longer than the transfer reads at once (its text fills three cells'
// worth and more) still reaches its file whole.
TEST_F(MigrationOptionsTest, APictureOfHundredsOfKilobytesIsSavedWhole) {
    program.options().Update([&](tabvex::connect::Options& o) { o.binaryFiles = true; });
    const Bytes photo = test::Bitmap(400, 300);
    ConnectShop({{"Large", {{"Photo", mdb::JetType::OleObject, 0}}, {{test::HexText(test::AccessOleObject(photo))}}}});
    Migrate();
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded)) << ::testing::PrintToString(ui.messages());
    EXPECT_TRUE(test::ReadFile(scratch / "out/book.xls.files/Large/Photo-1.bmp") ==
                std::string(photo.begin(), photo.end()));
}

TEST_F(MigrationOptionsTest, AFileThatCannotBeWrittenFailsTheTableAndLeavesWhatStandsThere) {
    program.options().Update([&](tabvex::connect::Options& o) { o.binaryFiles = true; });
    ConnectShop({Pictures(test::Bitmap(100, 60)), test::Orders()});
    test::WriteFile(scratch / "out/book.xls.files", "a file where the folder would go");
    Migrate();
    EXPECT_THAT(States(), ElementsAre(TaskState::Failed));
    EXPECT_EQ(LinesHolding("[Staff Pictures] row 1, column [Photo]: the value was not saved as a file: "), 1u);
    EXPECT_TRUE(Logged("[Staff Pictures] 2 of 3 rows copied whole: 1 long binary value was not saved as a file"));
    EXPECT_TRUE(LoggedStart("Summary: 1 table arrived, 1 failed or left out: [Staff Pictures];"));
    EXPECT_EQ(test::ReadFile(scratch / "out/book.xls.files"), "a file where the folder would go");
}

TEST_F(MigrationOptionsTest, WithoutTheOptionALongPictureIsCutAsBefore) {
    ConnectShop({Pictures(test::Bitmap(100, 60))});
    Migrate();
    EXPECT_THAT(States(), ElementsAre(TaskState::Failed));
    // The line counts the rows that arrived whole and names the option that saves the picture.
    EXPECT_TRUE(Logged("[Staff Pictures] 2 of 3 rows copied whole: 1 value longer than 32767 characters was cut; "
                       "binary values can be saved as files with \"Save long binary values as files\" (--binary-files)"));
    EXPECT_FALSE(fs::exists(scratch / "out/book.xls.files"));
}

}  // namespace
}  // namespace tabvex::tasks
