#include "tasks/bodies/migration_bodies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "adapters/excel/excel_workbook.h"
#include "browser/condition_file.h"
#include "com/object_file_name.h"
#include "tasks/bodies/migrate_command.h"
#include "tasks/bodies/migration_fixture.h"
#include "tasks/worker.h"

namespace tabvex::tasks {
namespace {

using browser::TreeNodeKind;
using test::Rows;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
namespace fs = std::filesystem;

test::SourceTable Table(std::string name, std::size_t rows) {
    test::SourceTable table{std::move(name), {{"N", mdb::JetType::Long, 0}, {"Text", mdb::JetType::Text, 20}}, {}};
    for (std::size_t i = 1; i <= rows; ++i) table.rows.push_back({std::to_string(i), "row " + std::to_string(i)});
    return table;
}

Rows Expected(const test::SourceTable& table) {
    Rows rows{{}};
    for (const auto& column : table.columns) rows[0].push_back(column.name);
    for (const auto& row : table.rows) {
        rows.emplace_back();
        for (const auto& value : row) rows.back().push_back(value.value_or(""));
    }
    return rows;
}

// The bodies end to end: the command queues, the worker runs, xlrd reads the result.
class MigrationBodiesTest : public test::MigrationFixture {
protected:
    MigrationBodiesTest() { RegisterTaskBodies(program.engine()); }

    void ConnectShop(const std::vector<test::SourceTable>& tables) {
        Connect(WriteDatabase(scratch / "in/shop.mdb", tables), WriteBook(book));
        database = (scratch / "in/shop").string();
    }

    void Migrate(TreeNodeKind sourceKind, const std::string& sourceText, TreeNodeKind targetKind) {
        Select(sourceKind, sourceText, targetKind);
        ui.QueueAnswer(app::MessageAnswer::Ok);
        MigrateCommand(program.output(), program.sides(), program.engine());
        ASSERT_TRUE(WaitForIdle());
    }


    fs::path book = scratch / "out/book.xls";
    std::string database;
};

TEST_F(MigrationBodiesTest, ADatabaseArrivesCellForCellWithFormattedHeadersAndItsCacheFiles) {
    ConnectShop({test::Customers(), test::Orders()});
    Migrate(TreeNodeKind::Database, database, TreeNodeKind::Database);
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    EXPECT_TRUE(Logged("Convert Tables of database [" + database + "]"));
    EXPECT_TRUE(Logged("Create table [Customers] SUCCESSFULLY!!!"));

    const auto read = test::ReadWithXlrd(book);
    EXPECT_EQ(test::SheetRows(*test::FindSheet(read, "Customers")), test::kCustomers);
    EXPECT_EQ(test::SheetRows(*test::FindSheet(read, "Orders")), Expected(test::Orders()));
    EXPECT_EQ(test::SheetRows(*test::FindSheet(read, "Sales")), (Rows{{"Region"}})) << "the workbook's own table stays";
    const auto& customers = *test::FindSheet(read, "Customers");
    EXPECT_TRUE(customers["frozen"].get<bool>());
    for (const auto& cell : customers["cells"]) {
        if (cell["row"] != 0) continue;
        EXPECT_TRUE(cell["format"]["bold"].get<bool>());
        EXPECT_EQ(cell["format"]["hor_align"], 2) << "centred";
    }
    EXPECT_THAT(test::ReadFile(programFolder() / "data_cache/Customers"), HasSubstr("Create Table Customers ("));
    EXPECT_THAT(ui.redrawnTrees(), Contains(app::TreeSide::Target));
}

TEST_F(MigrationBodiesTest, TheTablesConditionChoosesTheRows) {
    ConnectShop({test::Customers()});
    ASSERT_TRUE(browser::WriteCondition(program.sides().conditionFile(), database, "Customers", "ID >= 2"));
    Migrate(TreeNodeKind::Table, "Customers", TreeNodeKind::Database);
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    EXPECT_EQ(test::SheetOf(book, "Customers"), (Rows{test::kCustomers[0], test::kCustomers[2], test::kCustomers[3]}));
}

// Names a worksheet or the statement grammar cannot take as they are: blanks, reserved
// words, cell references, characters a sheet or file name cannot hold, past 31
// characters, and names that meet once fitted. Every table arrives, on a sheet made
// from its name, the same sheet whether the database or the table alone is migrated.
TEST_F(MigrationBodiesTest, EveryAwkwardNameArrivesOnASheetFittedFromIt) {
    const std::vector<std::pair<std::string, std::string>> sheetOf{
        {"Order Details", "Order_Details"},
        {"Select", "Select"},
        {"Table", "Table"},
        {"Values", "Values"},
        {"Q1", "Q1_"},
        {"Big1", "Big1_"},
        {"R1C1", "R1C1_"},
        {"Q1/Q2", "Q1_Q2"},
        {"Sales:2024?", "Sales_2024_"},
        {"A table name longer than thirty-one characters", "A_table_name_longer_than_thirty"},
        {"O'Brien's", "O_Brien_s"},
        {"O_Brien_s", "O_Brien_s_2"},
        {"Ελληνικά πίνακας", "Ελληνικά_πίνακας"},
        {"東京", "東京"}};
    std::vector<test::SourceTable> tables;
    for (const auto& [name, sheet] : sheetOf) tables.push_back(Table(name, 3));
    tables[10].rows[0][1] = "it's O'Brien's";
    ConnectShop(tables);
    Migrate(TreeNodeKind::TablesFolder, "Tables", TreeNodeKind::Database);
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const auto& [name, sheet] = sheetOf[i];
        EXPECT_EQ(test::SheetOf(book, sheet), Expected(tables[i])) << name;
        EXPECT_EQ(Logged("TABLE: [" + name + "] becomes worksheet [" + sheet + "]"), name != sheet) << name;
        EXPECT_TRUE(fs::exists(programFolder() / "data_cache" / com::ObjectFileName(name))) << name;
    }
    EXPECT_TRUE(fs::exists(programFolder() / "data_cache/Q1%2FQ2.data")) << "a name never becomes a path";
    EXPECT_TRUE(LoggedStart("Summary: 14 tables arrived, none failed or left out; 42 rows copied"));

    // Alone, a table goes to the sheet it had among all the database's tables.
    const fs::path second = scratch / "out/second.xls";
    WriteBook(second);
    TaskNames names;
    names.sourceObject = "O_Brien_s";
    names.sourceDatabase = database;
    names.targetDatabase = (scratch / "out/second").string();
    QueueMigrationTask(program.output(), program.sides(), program.engine(), TaskType::MigrateTable, names);
    ASSERT_TRUE(WaitForIdle());
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded, TaskState::Succeeded));
    EXPECT_EQ(test::SheetOf(second, "O_Brien_s_2"), Expected(tables[11]));
}

TEST_F(MigrationBodiesTest, ATableThatLostRowsOrValuesFailsTheTaskAndTheSummaryNamesItOnce) {
    test::SourceTable notes{"Notes", {{"N", mdb::JetType::Long, 0}, {"Body", mdb::JetType::Memo, 0}}, {}};
    notes.rows.push_back({"1", std::string(40000, 'x')});
    ConnectShop({test::Orders(), notes});
    Migrate(TreeNodeKind::Database, database, TreeNodeKind::Database);
    EXPECT_THAT(States(), ElementsAre(TaskState::Failed));
    EXPECT_TRUE(Logged("[Notes] 0 of 1 rows copied whole: 1 value longer than 32767 characters was cut"));
    EXPECT_FALSE(Logged("[Notes] 1 records converted, convertion completed SUCCESSFULLY!"));
    EXPECT_TRUE(LoggedStart("Summary: 1 table arrived, 1 failed or left out: [Notes];"));
    std::size_t named = 0;
    for (const auto& message : ui.messages())
        named += message.find("[Notes]") != std::string::npos && message.find("Summary") != std::string::npos;
    EXPECT_EQ(named, 1u) << "the task's failure names the table once";
    EXPECT_EQ(test::SheetOf(book, "Orders"), Expected(test::Orders()));
}

TEST_F(MigrationBodiesTest, ACloneCreatesTheWorkbookBesideTheSourceAndConvertsItsTables) {
    ConnectShop({test::Customers(), test::Orders()});
    Migrate(TreeNodeKind::Database, database, TreeNodeKind::Root);
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    EXPECT_TRUE(Logged("Convert Views of database [" + database + "]"));
    EXPECT_EQ(test::SheetOf(scratch / "in/shop.xls", "Customers"), test::kCustomers);
    EXPECT_EQ(test::SheetOf(scratch / "in/shop.xls", "Orders"), Expected(test::Orders()));
}

std::vector<std::string> SheetNames(const fs::path& file) {
    const auto read = test::ReadWithXlrd(file);
    std::vector<std::string> names;
    for (const auto& sheet : read["sheets"]) names.push_back(sheet["name"]);
    return names;
}

TEST_F(MigrationBodiesTest, AClonedWorkbookOpensOnItsFirstTableWithoutTheNewWorkbooksEmptySheet) {
    ConnectShop({test::Customers(), test::Orders()});
    Migrate(TreeNodeKind::Database, database, TreeNodeKind::Root);
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    const auto read = test::ReadWithXlrd(scratch / "in/shop.xls");
    EXPECT_THAT(SheetNames(scratch / "in/shop.xls"), ElementsAre("Customers", "Orders"));
    EXPECT_EQ(test::SheetRows(read["sheets"][0]), test::kCustomers);
    for (const auto& name : read["names"]) EXPECT_NE(name["name"], "Tabvex_NewWorkbookSheet");
}

TEST_F(MigrationBodiesTest, OnlyTheNewWorkbooksSheetGoesAndOnlyWhileNothingIsOnIt) {
    ConnectShop({test::Orders()});
    // A new workbook whose sheet got a note before the first table arrived.
    const std::string noted = (scratch / "out/noted").string();
    ASSERT_TRUE(adapters::CreateExcelWorkbook(program.output(), program.sides(), noted, true));
    auto book = xls::Workbook::Open(noted + ".xls");
    book.Sheet(0).SetCellText(4, 2, "note");
    book.Save(noted + ".xls");
    // A blank sheet a person made, of the same name, in a workbook of their own.
    const fs::path own = scratch / "out/own.xls";
    xls::Workbook::CreateNew({"Sheet3"}).Save(own);

    for (const fs::path& file : {fs::path(noted + ".xls"), own}) {
        Connect(scratch / "in/shop.mdb", file);
        Migrate(TreeNodeKind::Table, "Orders", TreeNodeKind::Database);
        EXPECT_THAT(SheetNames(file), ElementsAre("Sheet3", "Orders")) << file;
        EXPECT_EQ(test::SheetOf(file, "Orders"), Expected(test::Orders()));
    }
    EXPECT_EQ(test::SheetOf(noted + ".xls", "Sheet3")[4][2], "note");
}

TEST_F(MigrationBodiesTest, ACloneWhoseWorkbookCannotBeCreatedFailsAndConvertsNothing) {
    ConnectShop({test::Orders()});
    fs::create_directories(scratch / "in/shop.xls");  // a folder where the file would go
    ui.QueueAnswer(app::MessageAnswer::Ok);
    ui.QueueAnswer(app::MessageAnswer::Yes);  // replace what is in the way
    Select(TreeNodeKind::Database, database, TreeNodeKind::Root);
    MigrateCommand(program.output(), program.sides(), program.engine());
    ASSERT_TRUE(WaitForIdle());
    EXPECT_THAT(States(), ElementsAre(TaskState::Failed));
    EXPECT_TRUE(Logged("Create Target Database[" + database + "] Error!"));
    EXPECT_THAT(ui.messages(), Not(Contains(HasSubstr("Migrating"))));
}

// A workbook of seven sheets where the clone would write its own.
fs::path WriteSevenSheetBook(const fs::path& path) {
    auto book = xls::Workbook::CreateNew({"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul"});
    book.Sheet(3).SetCellText(2, 1, "kept");
    book.Save(path);
    return path;
}

TEST_F(MigrationBodiesTest, ACloneOntoAnExistingWorkbookAsksToReplaceItAndNoKeepsItByteForByte) {
    ConnectShop({test::Customers(), test::Orders()});
    const fs::path existing = WriteSevenSheetBook(scratch / "in/shop.xls");
    const std::string before = test::ReadFile(existing);
    Select(TreeNodeKind::Database, database, TreeNodeKind::Root);
    ui.QueueAnswer(app::MessageAnswer::Ok);
    ui.QueueAnswer(app::MessageAnswer::No);
    MigrateCommand(program.output(), program.sides(), program.engine());
    ASSERT_TRUE(WaitForIdle());
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].text, "Clone database [" + database + "] of source tree?\nIt creates the workbook [" +
                                      existing.string() + "].");
    EXPECT_EQ(ui.boxes()[1], (app::MessageBoxRequest{"The workbook [" + existing.string() +
                                                         "] exists already. Replace it?\nYes replaces the whole "
                                                         "file; No keeps it and clones nothing.",
                                                     app::kProgramTitle, app::MessageButtons::YesNo,
                                                     app::MessageIcon::Warning, app::DefaultButton::Refuse}));
    EXPECT_EQ(program.engine().taskList().size(), 0u);
    EXPECT_EQ(test::ReadFile(existing), before);

    // Cancel on the clone question asks nothing more.
    ui.QueueAnswer(app::MessageAnswer::Cancel);
    MigrateCommand(program.output(), program.sides(), program.engine());
    EXPECT_EQ(ui.boxes().size(), 3u);
    EXPECT_EQ(program.engine().taskList().size(), 0u);

    ui.QueueAnswer(app::MessageAnswer::Ok);
    ui.QueueAnswer(app::MessageAnswer::Yes);
    MigrateCommand(program.output(), program.sides(), program.engine());
    ASSERT_TRUE(WaitForIdle());
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded));
    EXPECT_EQ(test::SheetOf(existing, "Customers"), test::kCustomers);
    EXPECT_EQ(test::FindSheet(test::ReadWithXlrd(existing), "Jan"), nullptr) << "Yes replaced the file";
}

TEST_F(MigrationBodiesTest, AWorkbookThatAppearsAfterTheCloneWasQueuedIsNeverReplaced) {
    ConnectShop({test::Orders()});
    const fs::path appeared = WriteSevenSheetBook(scratch / "in/shop.xls");
    const std::string before = test::ReadFile(appeared);
    // Queued as the command queues a clone onto a free file: no replacing agreed.
    TaskNames names;
    names.sourceDatabase = database;
    names.targetDatabase = database;
    QueueMigrationTask(program.output(), program.sides(), program.engine(), TaskType::CloneDatabase, names);
    ASSERT_TRUE(WaitForIdle());
    EXPECT_THAT(States(), ElementsAre(TaskState::Failed));
    EXPECT_TRUE(Logged("The workbook [" + appeared.string() +
                       "] exists and is not replaced: it was not there when the clone was queued"));
    EXPECT_EQ(test::ReadFile(appeared), before);
    EXPECT_THAT(ui.messages(), Not(Contains(HasSubstr("Migrating"))));
}

TEST_F(MigrationBodiesTest, ViewTasksFailWithTheirLine) {
    ConnectShop({test::Orders()});
    Migrate(TreeNodeKind::ViewsFolder, "Views", TreeNodeKind::Database);
    QueueMigrationTask(program.output(), program.sides(), program.engine(), TaskType::MigrateView, {});
    ASSERT_TRUE(WaitForIdle());
    EXPECT_THAT(States(), ElementsAre(TaskState::Failed, TaskState::Failed));
    const auto messages = ui.messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "Excel Datafiles have no Views to convert !!!"), 2);
}

TEST_F(MigrationBodiesTest, AStopMidTableEndsTheLoopAndTheTaskFails) {
    ConnectShop({Table("Big", 2500), test::Orders()});
    ui.StopOn("[Big] 1000 records converted!", program.engine().runState());
    Migrate(TreeNodeKind::Database, database, TreeNodeKind::Database);
    EXPECT_THAT(States(), ElementsAre(TaskState::Failed));
    EXPECT_TRUE(Logged("Tables Converting Terminaled!"));
    const Rows big = test::SheetOf(book, "Big");
    EXPECT_GE(big.size(), 1001u);
    EXPECT_LT(big.size(), 2501u);
    EXPECT_EQ(test::SheetOf(book, "Orders"), Rows{}) << "the table after the stop is not begun";
}

TEST_F(MigrationBodiesTest, MigrationsQueuedTogetherAllRunFully) {
    ConnectShop({test::Customers(), test::Orders()});
    for (const char* table : {"Customers", "Orders"}) {
        TaskNames names;
        names.sourceObject = table;
        names.sourceDatabase = database;
        names.targetDatabase = (scratch / "out/book").string();
        names.folder = *CacheFolder(program.output(), program.programDirectory());
        program.engine().taskList().Append(
            std::make_shared<MigrationTask>(TaskCategory::Migration, TaskType::MigrateTable, names, 0));
    }
    StartWorkerAfterNewTasks(program.engine());
    ASSERT_TRUE(WaitForIdle());
    EXPECT_THAT(States(), ElementsAre(TaskState::Succeeded, TaskState::Succeeded));
    EXPECT_EQ(test::SheetOf(book, "Customers"), test::kCustomers);
    EXPECT_EQ(test::SheetOf(book, "Orders"), Expected(test::Orders()));
}

}  // namespace
}  // namespace tabvex::tasks
