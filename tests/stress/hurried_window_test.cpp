// A hurried person at the window while real migrations and backups of a database
// run: for about 20 s, commands at random: Migrate and Backup, Start/Stop answered
// either way, task rows deleted and moved, Drop Table, Rename, the database double
// click, the condition Test, Connect, and closing and reopening the window. The
// scripted host plays the window's thread, so every wait between the two threads is
// the one the window has; a watchdog fails any wait over 10 s. Afterwards every task
// has ended and every workbook left behind opens in an independent reader.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <thread>

#include "browser/condition_dialog.h"
#include "connect/connecting.h"
#include "maintenance/maintenance_commands.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/xls/workbook.h"
#include "shell/program.h"
#include "support/brisk_timings.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"
#include "support/watchdog.h"
#include "tasks/bodies/backup_command.h"
#include "tasks/bodies/migrate_command.h"
#include "tasks/bodies/task_bodies.h"
#include "tasks/task_list_view.h"
#include "tasks/worker.h"
#include "trees/database_double_click.h"

namespace tabvex::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using browser::TreeNodeKind;

// Tables of a few thousand rows, so that tasks are still running when the next
// command comes; a name with a blank and a name Excel reads as a cell among them.
fs::path WriteShop(const fs::path& file) {
    mdb::DatabaseWriter writer(file);
    for (const std::string table : {"Orders", "Order Details", "Q1", "Notes"}) {
        writer.AddTable(table, {{"Id", mdb::JetType::Long}, {"Text", mdb::JetType::Text, 40}});
        for (int row = 1; row <= 3000; ++row) writer.AddRow(table, {std::to_string(row), table + " row"});
    }
    writer.Write();
    return file;
}

class HurriedWindowTest : public ::testing::Test {
protected:
    HurriedWindowTest() {
        fs::create_directories(scratch / "program");
        source = WriteShop(scratch / "shop.mdb");
        OpenWindow();
    }
    ~HurriedWindowTest() override { CloseWindow(); }

    void OpenWindow() {
        ui = std::make_unique<ScriptedUserInterface>();
        ui->CarryOutCallsOnThisThread();
        ui->AnswerUnscripted([this](const app::MessageBoxRequest& box) { return RandomAnswer(box); },
                             [this] { return std::optional<fs::path>(scratch / ("backup" + std::to_string(random() % 3))); });
        program = std::make_unique<shell::Program>(*ui, scratch / "program");
        tasks::RegisterTaskBodies(program->engine());
        program->engine().timings() = BriskTimings(5ms);
        Configure(program->sides().source().settings(), source);
        Configure(program->sides().target().settings(), scratch / ("book" + std::to_string(random() % 2) + ".xls"));
        if (!fs::exists(program->sides().target().settings().sourceName))
            xls::Workbook::CreateNew({"Sheet1"}).Save(program->sides().target().settings().sourceName);
        connect::ConnectCommand(program->output(), program->gate(), program->sides());
    }

    void CloseWindow() {
        for (auto& task : program->engine().taskList().Snapshot()) everyTask.push_back(std::move(task));
        ui->Detach();
        program.reset();
    }

    static void Configure(connect::ConnectionSettings& settings, const fs::path& file) {
        settings = {"Microsoft Jet 4.0 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0", "", file.string(), "", "Admin", ""};
    }

    app::MessageAnswer RandomAnswer(const app::MessageBoxRequest& box) {
        const bool yes = std::bernoulli_distribution(0.6)(random);
        if (box.buttons == app::MessageButtons::YesNo) return yes ? app::MessageAnswer::Yes : app::MessageAnswer::No;
        return yes ? app::MessageAnswer::Ok : app::MessageAnswer::Cancel;
    }

    // A random node of that kind in the tree, selected; false when there is none.
    bool SelectRandom(browser::DbTree& tree, TreeNodeKind kind) {
        std::vector<browser::NodeId> found;
        const auto nodes = tree.nodes();
        for (browser::NodeId id = 0; id < nodes.size(); ++id)
            if (nodes[id].kind == kind) found.push_back(id);
        if (found.empty()) return false;
        tree.Select(found[random() % found.size()]);
        return true;
    }

    void Migrate() {
        const TreeNodeKind kinds[] = {TreeNodeKind::Table, TreeNodeKind::Database, TreeNodeKind::TablesFolder};
        SelectRandom(program->sides().source().tree(), kinds[random() % 3]);
        SelectRandom(program->sides().target().tree(), TreeNodeKind::Database);
        tasks::MigrateCommand(program->output(), program->sides(), program->engine());
    }

    void Backup() {
        SelectRandom(program->sides().target().tree(), random() % 2 ? TreeNodeKind::Table : TreeNodeKind::Database);
        tasks::BackupCommand(program->output(), program->sides(), program->engine(), program->backupFolder());
    }

    void OneHurriedStep() {
        auto& target = program->sides().target().tree();
        switch (std::uniform_int_distribution<int>(0, 13)(random)) {
            case 0:
            case 1: Migrate(); break;
            case 2: Backup(); break;
            case 3: tasks::StartStopCommand(program->engine()); break;
            case 4: tasks::DeleteTaskCommand(program->engine(), static_cast<int>(random() % 4) - 1); break;
            case 5: tasks::MoveTaskUpCommand(program->engine(), static_cast<int>(random() % 4)); break;
            case 6:
                if (SelectRandom(target, TreeNodeKind::Table)) maintenance::DropTableCommand(program->output(), program->gate(), program->sides(), target);
                break;
            case 7:
                if (SelectRandom(target, TreeNodeKind::Table) && maintenance::RenameTableCommand(program->gate(), target))
                    maintenance::FinishTableRename(program->output(), program->gate(), program->sides(), target, "Renamed" + std::to_string(random() % 100));
                break;
            case 8:
                if (SelectRandom(program->sides().source().tree(), TreeNodeKind::Database))
                    trees::DoubleClickNode(program->output(), program->gate(), program->sides(), program->sides().source().tree(), program->sides().source().tree().selected());
                break;
            case 9:
                if (SelectRandom(program->sides().source().tree(), TreeNodeKind::Table)) {
                    if (auto dialog = browser::OpenConditionDialog(program->output(), program->gate(), program->sides().conditionFile(), program->sides().source().tree())) {
                        dialog->SetCondition("Id > " + std::to_string(random() % 3000));
                        dialog->Test();
                    }
                }
                break;
            case 10: connect::ConnectCommand(program->output(), program->gate(), program->sides()); break;
            case 11:
                if (std::bernoulli_distribution(0.05)(random) && tasks::CloseRequest(program->engine())) {
                    CloseWindow();
                    OpenWindow();
                    ++reopened;
                }
                break;
            default: ui->HandleCallsUntil([] { return false; }, std::chrono::milliseconds(random() % 20)); break;
        }
    }

    ScratchDir scratch;
    fs::path source;
    std::unique_ptr<ScriptedUserInterface> ui;
    std::unique_ptr<shell::Program> program;
    std::vector<std::shared_ptr<tasks::MigrationTask>> everyTask;  // of every window, once closed
    std::mt19937 random{20261208};
    int reopened = 0;
};

TEST_F(HurriedWindowTest, RandomCommandsBesideRealTasksNeverHangAndLeaveReadableWorkbooks) {
    const auto end = std::chrono::steady_clock::now() + 20s;
    int steps = 0;
    while (std::chrono::steady_clock::now() < end) {
        Watchdog watchdog("a hurried person's command");
        OneHurriedStep();
        ++steps;
    }
    {
        Watchdog watchdog("the queue's end", 60s);
        tasks::RequestStop(program->engine());
        ASSERT_TRUE(ui->HandleCallsUntil([this] { return program->engine().runState().load() == tasks::RunState::Idle; },
                                         std::chrono::seconds(50)));
    }
    CloseWindow();
    OpenWindow();  // the destructor closes it again
    int succeeded = 0;
    for (const auto& task : everyTask) {
        EXPECT_NE(task->stateText.load(), tasks::TaskStateText::Working) << task->names.sourceObject;
        succeeded += task->state.load() == tasks::TaskState::Succeeded;
    }
    EXPECT_GT(succeeded, 0) << "real migrations and backups ran to their end";
    int workbooks = 0;
    for (const auto& entry : fs::recursive_directory_iterator(scratch.path())) {
        if (entry.path().extension() != ".xls") continue;
        SCOPED_TRACE(entry.path().string());
        EXPECT_TRUE(ReadWithXlrd(entry.path()).contains("sheets"));
        ++workbooks;
    }
    EXPECT_GT(workbooks, 0);
    RecordProperty("steps", steps);
    RecordProperty("windows reopened", reopened);
    RecordProperty("tasks", static_cast<int>(everyTask.size()));
    RecordProperty("tasks succeeded", succeeded);
}

}  // namespace
}  // namespace tabvex::test
