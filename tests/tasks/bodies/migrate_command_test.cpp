#include "tasks/bodies/migrate_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "adapters/excel/excel_workbook.h"
#include "tasks/bodies/migration_fixture.h"

namespace tabvex::tasks {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using browser::TreeNodeKind;
namespace fs = std::filesystem;

app::MessageBoxRequest Refusal(const char* text) {
    return {text, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Warning};
}

app::MessageBoxRequest Question(const std::string& text) {
    return {text, app::kProgramTitle, app::MessageButtons::OkCancel, app::MessageIcon::Question};
}

// The command without task bodies: what it asks and queues, not what runs.
class MigrateCommandTest : public test::MigrationFixture {
protected:
    void ConnectShop() {
        Connect(WriteDatabase(scratch / "in/shop.mdb", {test::Customers(), test::Orders()}),
                WriteBook(scratch / "out/book.xls"));
        source = (scratch / "in/shop").string();
        target = (scratch / "out/book").string();
    }

    std::string source;
    std::string target;
};

TEST_F(MigrateCommandTest, WithoutATargetConnectionItRefusesBeforeTouchingTheCacheFolder) {
    MigrateCommand(program.output(), program.sides(), program.engine());
    EXPECT_THAT(ui.tips(), ElementsAre("Please confirm your Target Database Connection is valid!"));
    EXPECT_THAT(ui.boxes(), ElementsAre(Refusal("No Target DataSource Connection!")));
    EXPECT_FALSE(fs::exists(programFolder() / "data_cache"));
    EXPECT_EQ(program.engine().taskList().size(), 0u);
}

TEST_F(MigrateCommandTest, MissingSelectionsAreRefusedInTurnAfterTheCacheFolderIsEntered) {
    ConnectShop();
    // A file where the cache folder belongs is kept, named, and stops the command.
    test::WriteFile(programFolder() / "data_cache", "a plain file in the way");
    MigrateCommand(program.output(), program.sides(), program.engine());
    EXPECT_EQ(test::ReadFile(programFolder() / "data_cache"), "a plain file in the way");
    EXPECT_TRUE(Logged("The file " + (programFolder() / "data_cache").string() +
                       " stands where a folder of that name is needed; the file is kept"));
    EXPECT_THAT(ui.boxes(), IsEmpty());
    fs::remove(programFolder() / "data_cache");
    MigrateCommand(program.output(), program.sides(), program.engine());
    EXPECT_TRUE(fs::is_directory(programFolder() / "data_cache"));
    EXPECT_FALSE(fs::equivalent(fs::current_path(), programFolder() / "data_cache")) << "the current folder stays";

    program.sides().source().tree().Select(program.sides().source().tree().remembered().currentDatabase);
    MigrateCommand(program.output(), program.sides(), program.engine());
    EXPECT_THAT(ui.tips(), ElementsAre("Please Select a Object to Convert in Source Databases Tree!",
                                       "Please Select a object in Target Tree!"));
    EXPECT_THAT(ui.boxes(), ElementsAre(Refusal("No Selected Source Database Object!"),
                                        Refusal("No Selected Target Objects!")));
    EXPECT_EQ(program.engine().taskList().size(), 0u);
}

TEST_F(MigrateCommandTest, EachSourceNodeOnATargetDatabaseAsksItsQuestionAndCancelQueuesNothing) {
    ConnectShop();
    const std::string into = "] into Target database [" + target + "]?";
    struct Case {
        TreeNodeKind kind;
        std::string text;
        std::string question;
    };
    const std::vector<Case> cases = {
        {TreeNodeKind::Database, source, "Convert database [" + source + into},
        {TreeNodeKind::TablesFolder, "Tables", "Convert tables of [" + source + into},
        {TreeNodeKind::ViewsFolder, "Views", "Convert views of [" + source + into},
        {TreeNodeKind::Table, "Orders", "Convert table [Orders" + into},
    };
    for (const auto& c : cases) {
        Select(c.kind, c.text, TreeNodeKind::Database);
        ui.QueueAnswer(app::MessageAnswer::Cancel);
        MigrateCommand(program.output(), program.sides(), program.engine());
        ASSERT_FALSE(ui.boxes().empty());
        EXPECT_EQ(ui.boxes().back(), Question(c.question));
    }
    EXPECT_THAT(ui.tips(), IsEmpty());
    EXPECT_EQ(program.engine().taskList().size(), 0u);
    EXPECT_EQ(program.engine().runState().load(), RunState::Idle);
}

TEST_F(MigrateCommandTest, ConfirmedTasksCarryTheirTypeNamesAndBothSidesDbmsNames) {
    ConnectShop();
    Select(TreeNodeKind::Table, "Customers", TreeNodeKind::Database);
    ui.QueueAnswer(app::MessageAnswer::Ok);
    MigrateCommand(program.output(), program.sides(), program.engine());
    Select(TreeNodeKind::Database, source, TreeNodeKind::Root);
    ui.QueueAnswer(app::MessageAnswer::Ok);
    MigrateCommand(program.output(), program.sides(), program.engine());
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes().back(), Question("Clone database [" + source + "] of source tree?\nIt creates the workbook [" +
                                          source + ".xls]."));
    ASSERT_TRUE(WaitForIdle());

    const auto tasks = program.engine().taskList().Snapshot();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0]->type, TaskType::MigrateTable);
    EXPECT_EQ(tasks[0]->category, TaskCategory::Migration);
    EXPECT_EQ(tasks[0]->names.sourceObject, "Customers");
    EXPECT_EQ(tasks[0]->names.sourceDatabase, source);
    EXPECT_EQ(tasks[0]->names.targetDatabase, target);
    EXPECT_EQ(tasks[0]->names.sourceDbms, "MS Jet[04.00.0000]");
    EXPECT_EQ(tasks[0]->names.targetDbms, "MS Jet[04.00.0000]");
    EXPECT_EQ(tasks[1]->type, TaskType::CloneDatabase);
    EXPECT_EQ(tasks[1]->names.sourceDatabase, source);
    EXPECT_EQ(tasks[1]->names.targetDatabase, source);
}

TEST_F(MigrateCommandTest, ATargetThatIsNoDatabaseOrARootWithoutASourceDatabaseIsRefused) {
    ConnectShop();
    Select(TreeNodeKind::Table, "Orders", TreeNodeKind::Table);
    MigrateCommand(program.output(), program.sides(), program.engine());
    Select(TreeNodeKind::Table, "Orders", TreeNodeKind::Root);
    MigrateCommand(program.output(), program.sides(), program.engine());
    EXPECT_THAT(ui.tips(), ElementsAre("Please select a database in Target Database Tree!",
                                       "Please select a database in Target Database Tree!"));
    EXPECT_THAT(ui.boxes(), ElementsAre(Refusal("Please select a target Database!"),
                                        Refusal("Please select a target Database!")));
    EXPECT_EQ(program.engine().taskList().size(), 0u);
}

TEST_F(MigrateCommandTest, AFieldOnATargetDatabaseQueuesNothingAndAsksNothingButStartsTheWorker) {
    ConnectShop();
    Select(TreeNodeKind::Field, "Customer", TreeNodeKind::Database);
    MigrateCommand(program.output(), program.sides(), program.engine());
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_EQ(program.engine().taskList().size(), 0u);
    EXPECT_EQ(program.engine().runState().load(), RunState::Processing);
}

// The worker reconnects the target within every task; meanwhile the window's Migrate
// still finds the side connected and asks its question, never "No Target
// DataSource Connection!", and reads settings the worker is not changing.
TEST_F(MigrateCommandTest, TheWindowSeesTheTargetConnectedWhileTheWorkerReconnectsIt) {
    ConnectShop();
    constexpr int kCommands = 30;
    std::atomic<int> asked{0};
    std::atomic<int> reconnected{0};
    std::thread worker([&] {
        while (asked < kCommands) {
            adapters::SelectExcelWorkbook(program.sides(), browser::kTargetSide, target);
            ++reconnected;
        }
    });
    for (; asked < kCommands; ++asked) {
        // Each command follows a finished reconnection, while the next one is under way.
        const int before = reconnected;
        while (reconnected == before) std::this_thread::yield();
        Select(TreeNodeKind::Table, "Orders", TreeNodeKind::Database);
        ui.QueueAnswer(app::MessageAnswer::Cancel);
        MigrateCommand(program.output(), program.sides(), program.engine());
    }
    worker.join();
    for (const auto& box : ui.boxes()) EXPECT_NE(box.text, "No Target DataSource Connection!");
    EXPECT_TRUE(program.sides().of(browser::kTargetSide).published().connected);
    EXPECT_EQ(program.engine().taskList().size(), 0u);
}

}  // namespace
}  // namespace tabvex::tasks
