// While a worker runs it owns both connections: every window command that would
// use, release or replace one is refused, asking to stop the tasks (processing) or
// saying they are ending (stopping), and leaves the workbook and the connection
// as they were.
#include <functional>

#include "adapters/excel/excel_workbook.h"
#include "browser/condition_dialog.h"
#include "connecting/config_dialog.h"
#include "maintenance/maintenance_fixture.h"
#include "tasks/worker.h"
#include "trees/database_double_click.h"

namespace tabvex::maintenance {
namespace {

using ::testing::ElementsAre;
using browser::TreeNodeKind;
using tasks::RunState;

class CommandsWhileTasksRunTest : public test::MaintenanceFixture {
protected:
    struct Command {
        const char* name;
        TreeNodeKind selected;
        std::function<void()> run;
    };

    std::vector<Command> Commands() {
        return {
            {"Drop Table", TreeNodeKind::Table, [this] { DropTableCommand(program.output(), program.gate(), program.sides(), tree()); }},
            {"Rename Table", TreeNodeKind::Table, [this] { EXPECT_FALSE(RenameTableCommand(program.gate(), tree())); }},
            {"end of a rename", TreeNodeKind::Table,
             [this] {
                 tree().SetRenameCommit(true);
                 EXPECT_FALSE(FinishTableRename(program.output(), program.gate(), program.sides(), tree(), "Renamed"));
             }},
            {"Clear all Data", TreeNodeKind::Database, [this] { ClearAllDataCommand(program.output(), program.gate(), program.sides(), tree()); }},
            {"Clear all tables", TreeNodeKind::Database, [this] { ClearAllTablesCommand(program.output(), program.gate(), program.sides(), tree()); }},
            {"Delete Database", TreeNodeKind::Database, [this] { DeleteDatabaseCommand(program.output(), program.gate(), program.sides(), tree()); }},
            {"New Database", TreeNodeKind::Root, [this] { NewDatabaseCommand(program.output(), program.gate(), program.sides(), tree()); }},
            {"Delete", TreeNodeKind::Table, [this] { DeleteSelectedCommand(program.output(), program.gate(), program.sides()); }},
            {"dropping the workbook", TreeNodeKind::Database,
             [this] { EXPECT_FALSE(adapters::DropExcelWorkbook(program.output(), program.gate(), program.sides(), shopDatabase())); }},
            {"double click", TreeNodeKind::Database,
             [this] { EXPECT_FALSE(trees::DoubleClickNode(program.output(), program.gate(), program.sides(), tree(), tree().selected())); }},
            {"Connect", TreeNodeKind::Root, [this] { connect::ConnectCommand(program.output(), program.gate(), program.sides()); }},
            {"the dialog's Connect", TreeNodeKind::Root,
             [this] {
                 connect::ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), {});
                 EXPECT_FALSE(dialog.Connect());
             }},
            {"condition Test", TreeNodeKind::Table,
             [this] {
                 browser::ConditionDialog dialog(program.output(), program.gate(), program.sides().conditionFile(), tree());
                 EXPECT_FALSE(dialog.Test());
                 EXPECT_EQ(dialog.result(), "");
             }},
        };
    }

    // Runs every command in that state; each shows exactly the one box.
    void RunAllWhile(RunState state, const std::string& box) {
        for (const Command& command : Commands()) {
            SCOPED_TRACE(command.name);
            program.engine().runState() = state;
            tree().Select(Node(command.selected));
            const std::size_t boxesBefore = ui.boxes().size();
            if (state == RunState::Processing) ui.QueueAnswer(app::MessageAnswer::Cancel);
            command.run();
            EXPECT_THAT(BoxTexts(boxesBefore), ElementsAre(box));
            EXPECT_EQ(program.engine().runState().load(), state);
            EXPECT_TRUE(ui.postedCommands().empty());
        }
    }
};

TEST_F(CommandsWhileTasksRunTest, EveryCommandOnAConnectionIsRefusedAndChangesNothing) {
    ConnectShop();
    const std::string before = test::ReadFile(shop());
    const auto session = program.sides().target().holder().session;
    const auto settings = program.sides().target().settings();

    RunAllWhile(RunState::Processing, "Some Tasks is Processing, STOP ALL?");
    RunAllWhile(RunState::Stopping, "Some Tasks is Stopping, Please try again later!!!");

    EXPECT_EQ(test::ReadFile(shop()), before);
    EXPECT_EQ(program.sides().target().holder().session, session);  // never released or replaced
    EXPECT_EQ(program.sides().target().settings(), settings);
    EXPECT_TRUE(ui.fileRequests().empty());
    EXPECT_THAT(Logged(), ::testing::IsEmpty());
}

TEST_F(CommandsWhileTasksRunTest, OkToTheQuestionRequestsTheStopOnlyWhileAWorkerRuns) {
    ConnectShop();
    Select(TreeNodeKind::Table, "Orders");
    program.engine().runState() = RunState::Processing;
    ui.QueueAnswer(app::MessageAnswer::Ok);
    DropTableCommand(program.output(), program.gate(), program.sides(), tree());
    EXPECT_EQ(program.engine().runState().load(), RunState::Stopping);
    EXPECT_EQ(program.output().startStopButton().image, app::StartStopImage::Play);
    EXPECT_THAT(Sheets(shop()), ElementsAre("Sheet1", "Orders", "Customers"));

    // The worker ended while the question was open: the answer leaves it idle.
    program.engine().runState() = RunState::Idle;
    EXPECT_FALSE(tasks::RequestStop(program.engine()));
    EXPECT_EQ(program.engine().runState().load(), RunState::Idle);
}

}  // namespace
}  // namespace tabvex::maintenance
