// A hurried person at the window while real migrations and backups of a database
// run: for about 20 s, commands at random: Migrate and Backup (its folder chosen while
// the window goes on), Start/Stop answered either way, task rows deleted and moved,
// Delete, New, Delete and Clear database, Clear all Data, Drop Table and View, Rename,
// the database double click, the condition Test and Save, Check, Configure with a
// provider switch, Connect, and closing (Exit) and reopening the window. The scripted
// host plays the window's thread and answers questions and choosers after a while,
// carrying out the worker's calls meanwhile, so every wait between the two threads is
// the one the window has; a watchdog fails any wait over 10 s. Each queued task names
// what was selected when its command started; a workbook a refused command would have
// removed is still there; after a stop, every waiting task runs; no task is left
// Working; every workbook left behind opens in an independent reader. The seed varies
// from run to run (TABVEX_STRESS_SEED repeats one) and is printed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <thread>

#include "browser/condition_dialog.h"
#include "check/check_dialog.h"
#include "connecting/config_dialog.h"
#include "connecting/connecting.h"
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

unsigned StressSeed() {
    if (const char* seed = std::getenv("TABVEX_STRESS_SEED")) return static_cast<unsigned>(std::strtoul(seed, nullptr, 10));
    return std::random_device{}();
}

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
                             [this] {
                                 TakeTime();
                                 return std::optional<fs::path>(scratch / ("backup" + std::to_string(random() % 3)));
                             });
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

    // A person who reads before answering: the window goes on meanwhile, as it does
    // while a box or chooser is open.
    void TakeTime() {
        if (std::bernoulli_distribution(0.3)(random))
            ui->HandleCallsUntil([] { return false; }, std::chrono::milliseconds(random() % 40));
    }

    app::MessageAnswer RandomAnswer(const app::MessageBoxRequest& box) {
        TakeTime();
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

    // The task the command queued, if it queued one.
    std::shared_ptr<tasks::MigrationTask> NewTask(std::size_t before) const {
        const auto tasks = program->engine().taskList().Snapshot();
        return tasks.size() > before ? tasks.back() : nullptr;
    }

    void Migrate() {
        const TreeNodeKind kinds[] = {TreeNodeKind::Table, TreeNodeKind::Database, TreeNodeKind::TablesFolder};
        SelectRandom(program->sides().source().tree(), kinds[random() % 3]);
        SelectRandom(program->sides().target().tree(), TreeNodeKind::Database);
        const auto source = program->sides().source().tree().selection();
        const auto target = program->sides().target().tree().selection();
        const std::size_t before = program->engine().taskList().size();
        tasks::MigrateCommand(program->output(), program->sides(), program->engine());
        const auto task = NewTask(before);
        if (!task || !source || !target) return;
        ++checkedTasks;
        EXPECT_EQ(task->names.targetDatabase, target->node.text);
        switch (source->node.kind) {
            case TreeNodeKind::Table:
                EXPECT_EQ(task->names.sourceObject, source->node.text);
                EXPECT_EQ(task->names.sourceDatabase, source->grandparentText);
                break;
            case TreeNodeKind::Database: EXPECT_EQ(task->names.sourceDatabase, source->node.text); break;
            default: EXPECT_EQ(task->names.sourceDatabase, source->parentText); break;
        }
    }

    void Backup() {
        SelectRandom(program->sides().target().tree(), random() % 2 ? TreeNodeKind::Table : TreeNodeKind::Database);
        const auto selected = program->sides().target().tree().selection();
        const std::size_t before = program->engine().taskList().size();
        tasks::BackupCommand(program->output(), program->sides(), program->engine(), program->backupFolder());
        const auto task = NewTask(before);
        if (!task || !selected) return;
        ++checkedTasks;
        if (selected->node.kind == TreeNodeKind::Table) {
            EXPECT_EQ(task->names.targetObject, selected->node.text);
            EXPECT_EQ(task->names.targetDatabase, selected->grandparentText);
        } else {
            EXPECT_EQ(task->names.targetDatabase, selected->node.text);
        }
    }

    // A command that would remove or replace the selected workbook: refused while tasks
    // run, and then the workbook is still there.
    void WorkbookCommand(void (*command)(app::Output&, app::TaskGate&, browser::Sides&, browser::DbTree&)) {
        auto& target = program->sides().target().tree();
        if (!SelectRandom(target, TreeNodeKind::Database)) return;
        const fs::path book = program->sides().target().settings().sourceName;
        const bool existed = fs::exists(book);
        const std::size_t shown = ui->boxes().size();
        command(program->output(), program->gate(), program->sides(), target);
        const auto boxes = ui->boxes();
        const bool refused = boxes.size() > shown && (boxes[shown].text == tasks::kStopAllQuestion ||
                                                      boxes[shown].text == tasks::kStoppingTryLater);
        if (refused && existed) {
            EXPECT_TRUE(fs::exists(book)) << book;
        }
    }

    void Configure() {
        connect::ConfigDialog dialog(program->output(), program->gate(), program->sides(), program->options(),
                                     {scratch / "odbcinst.ini", scratch / "odbc.ini", scratch / "user.odbc.ini"});
        dialog.SelectProvider(random() % 2 ? connect::ConfigSide::Source : connect::ConfigSide::Target,
                              static_cast<int>(random() % 2));
        if (std::bernoulli_distribution(0.3)(random)) dialog.TestConnections();
    }

    void SaveCondition() {
        auto& source = program->sides().source().tree();
        if (!SelectRandom(source, TreeNodeKind::Table)) return;
        auto dialog = browser::OpenConditionDialog(program->output(), program->gate(),
                                                   program->sides().conditionFile(), source);
        if (!dialog) return;
        dialog->SetCondition("Id > " + std::to_string(random() % 3000));
        if (dialog->Test()) dialog->Save();
    }

    void Check() {
        auto& source = program->sides().source().tree();
        if (SelectRandom(source, TreeNodeKind::Table))
            check::OpenCheckDialog(program->output(), program->gate(), program->sides(), program->options().get(),
                                   source);
    }

    void OneHurriedStep() {
        auto& target = program->sides().target().tree();
        switch (std::uniform_int_distribution<int>(0, 22)(random)) {
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
            case 12:
                if (SelectRandom(target, random() % 2 ? TreeNodeKind::Table : TreeNodeKind::View))
                    maintenance::DeleteSelectedCommand(program->output(), program->gate(), program->sides());
                break;
            case 13:
                if (SelectRandom(target, TreeNodeKind::Root))
                    maintenance::NewDatabaseCommand(program->output(), program->gate(), program->sides(), target);
                break;
            case 14: WorkbookCommand(maintenance::DeleteDatabaseCommand); break;
            case 15: WorkbookCommand(random() % 2 ? maintenance::ClearAllTablesCommand : maintenance::ClearAllDataCommand); break;
            case 16:
                if (SelectRandom(target, TreeNodeKind::View)) maintenance::DropViewCommand(program->output(), program->gate(), target);
                break;
            case 17: Configure(); break;
            case 18: SaveCondition(); break;
            case 19: Check(); break;
            default: ui->HandleCallsUntil([] { return false; }, std::chrono::milliseconds(random() % 20)); break;
        }
    }

    ScratchDir scratch;
    fs::path source;
    std::unique_ptr<ScriptedUserInterface> ui;
    std::unique_ptr<shell::Program> program;
    std::vector<std::shared_ptr<tasks::MigrationTask>> everyTask;  // of every window, once closed
    const unsigned seed = StressSeed();
    std::mt19937 random{seed};
    int reopened = 0;
    int checkedTasks = 0;
};

TEST_F(HurriedWindowTest, RandomCommandsBesideRealTasksNeverHangAndLeaveReadableWorkbooks) {
    std::cout << "stress seed " << seed << " (TABVEX_STRESS_SEED=" << seed << " repeats this run)" << std::endl;
    SCOPED_TRACE("stress seed " + std::to_string(seed));
    RecordProperty("seed", std::to_string(seed));
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
    {
        // After the stop was answered, Start runs every task still waiting.
        Watchdog watchdog("the waiting tasks", 120s);
        ui->AnswerUnscripted([](const app::MessageBoxRequest&) { return app::MessageAnswer::Ok; },
                             [this] { return std::optional<fs::path>(scratch / "backup0"); });
        tasks::StartStopCommand(program->engine());
        ASSERT_TRUE(ui->HandleCallsUntil([this] { return !program->engine().taskList().AnyWaiting(); },
                                         std::chrono::seconds(100)));
        tasks::RequestStop(program->engine());  // a worker with nothing left passes until stopped
        ASSERT_TRUE(ui->HandleCallsUntil([this] { return program->engine().runState().load() == tasks::RunState::Idle; },
                                         std::chrono::seconds(10)));
        for (const auto& task : program->engine().taskList().Snapshot())
            EXPECT_NE(task->state.load(), tasks::TaskState::NotRun) << task->names.sourceObject;
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
    RecordProperty("tasks checked against the selection", checkedTasks);
}

}  // namespace
}  // namespace tabvex::test
