#include <QAction>
#include <QLabel>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>

#include "app/output_lines.h"
#include "connecting/config_file.h"
#include "gui/window/about_box.h"
#include "gui/window/command_ids.h"
#include "gui/window/window_test_support.h"
#include "shell/program.h"
#include "support/watchdog.h"
#include "tasks/task_list_view.h"
#include "tasks/worker.h"
#include "trees/tree_menus.h"

namespace tabvex::gui::testing {
namespace {

class MainWindowTest : public WindowTest {};

TEST_F(MainWindowTest, StartsWithTitleMenusStatusPanesAndTheTaskListInFront) {
    QSignalSpy routed(window.get(), &CMigratorDlg::commandRouted);
    EXPECT_EQ(window->windowTitle(), "Norvu Tabvex Version: 1.0");
    const MainMenu& menu = window->mainMenu();
    const QStringList captions = {"&Connect", "&Operation", "D&atabases", "&Database", "&Table", "&Help", "&About"};
    for (int position = 0; position < captions.size(); ++position)
        EXPECT_EQ(menu.topMenu(position)->title(), captions[position]);
    for (int greyed : {trees::kNewDatabaseCommand, trees::kDeleteDatabaseCommand, trees::kClearAllTablesCommand,
                       trees::kClearAllDataCommand, trees::kMigrationConditionCommand, trees::kDropTableCommand,
                       trees::kDropViewCommand, trees::kRenameTableCommand})
        EXPECT_FALSE(menu.entry(greyed)->isEnabled()) << greyed;
    EXPECT_EQ(menu.entry(trees::kChangeCharsetCommand), nullptr);
    EXPECT_EQ(menu.entry(trees::kStorageEngineCommand), nullptr);
    for (int withImage : {kConfigMenuCommand, kConnectMenuCommand, kMigrateMenuCommand, kDeleteMenuCommand,
                          kBackupMenuCommand})
        EXPECT_FALSE(menu.entry(withImage)->icon().isNull());
    EXPECT_EQ(menu.entry(kWebsiteCommand)->text(), "Norvu website");

    StatusLine& status = *window->statusLine();
    EXPECT_EQ(status.text(app::StatusPane::Product), "Norvu Tabvex Version: 1.0");
    EXPECT_EQ(status.text(app::StatusPane::Engine), "Main Controller:IDLE");
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(status.text(app::StatusPane::Clock)).hasMatch());
    EXPECT_EQ(status.paneWidth(app::StatusPane::Product), window->width() * 5 / 8);
    EXPECT_EQ(status.paneWidth(app::StatusPane::Engine), window->width() * 2 / 8);
    EXPECT_GE(status.paneWidth(app::StatusPane::Clock), 42);
    const QLabel* clock = status.findChildren<QLabel*>().back();
    EXPECT_GE(clock->contentsRect().width(), clock->fontMetrics().horizontalAdvance(clock->text()));

    EXPECT_TRUE(window->outputPane()->taskListInFront());
    EXPECT_EQ(window->folderTitle(app::TreeSide::Source)->text(), "Access");
    EXPECT_EQ(window->folderTitle(app::TreeSide::Target)->text(), "Excel");
    EXPECT_EQ(window->sourceTreeView()->toolTip(), "Tree Tool Tip");
    EXPECT_TRUE(std::filesystem::exists(scratch / "program/Condition.cfg"));

    // The driver check is the first command the window routes.
    ASSERT_TRUE(WaitUntil([&] { return routed.count() > 0; }));
    EXPECT_EQ(routed.front().front().toInt(), kDriverCheckCommand);
    EXPECT_EQ(dialogs, std::vector<std::string>{"tabvex::gui::CDriverCheckDlg"});
    SaveScreenshot(*window, "main_window.png");
}

TEST_F(MainWindowTest, ToolBarsShowTheirCaptionsToolTipsAndImages) {
    const std::vector<std::tuple<int, QString, QString>> tools = {
        {kConfigButtonCommand, " Configure ", "Database Connections Config"},
        {kConnectButtonCommand, " Connect ", "Connect the DataSources"},
        {kMigrateButtonCommand, " Migrate ", "Convert from source into target"},
        {kDeleteButtonCommand, " Delete ", "Delete the selected object"},
        {kBackupButtonCommand, " Backup ", "Backup the selected object"},
        {kAboutButtonCommand, " About ", ""}};
    for (const auto& [id, caption, tip] : tools) {
        QToolButton* button = window->toolButton(id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->toolTip(), tip);
        EXPECT_FALSE(button->icon().isNull());
    }
    TaskListPage& page = *window->outputPane()->taskList();
    QSet<QByteArray> images;  // each tool shows an image of its own
    for (const auto& tool : tasks::kTaskListTools) {
        ASSERT_NE(page.tool(tool.commandId), nullptr);
        EXPECT_EQ(page.tool(tool.commandId)->toolTip(), tool.toolTip);
        const QImage image = page.tool(tool.commandId)->icon().pixmap(16, 16).toImage();
        images << QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    }
    EXPECT_EQ(images.size(), static_cast<int>(tasks::kTaskListTools.size()));
    QStringList headings;
    for (int column = 0; column < page.model().columnCount(); ++column)
        headings << page.model().headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headings, QStringList({"NO.", "Progress", "Type", "State", "Source DBMS", "Source DB", "Source T(V)",
                                     "Targert DBMS", "Target DB", "Target T(V)"}));
    for (int column = 0; column < page.model().columnCount(); ++column)
        EXPECT_GE(page.list()->columnWidth(column), page.fontMetrics().horizontalAdvance(headings[column]));
}

TEST_F(MainWindowTest, TheLogColoursMarkedLinesKeepsEveryLineAndShowsTheNewest) {
    app::WriteOutputLine(program().output(), "E::No Connection!");
    app::WriteOutputLine(program().output(), "S::");
    app::WriteOutputLine(program().output(), "100%% done");
    const QAbstractItemModel& log = *window->outputPane()->log()->model();
    auto text = [&](int row) { return log.index(row, 0).data().toString(); };
    auto colour = [&](int row) { return log.index(row, 0).data(Qt::ForegroundRole).value<QColor>(); };
    ASSERT_EQ(log.rowCount(), 3);
    EXPECT_TRUE(text(0).endsWith(" No Connection!"));
    EXPECT_EQ(colour(0), QColor(255, 0, 0));
    EXPECT_EQ(colour(1), QColor(0, 255, 0));
    EXPECT_EQ(text(1).size(), 24);  // the time stamp alone
    EXPECT_TRUE(text(2).endsWith(" 100% done"));

    for (int i = 0; i < 1100; ++i) app::WriteOutputLine(program().output(), "line %d", i);
    EXPECT_EQ(log.rowCount(), 1103);
    EXPECT_TRUE(text(1102).endsWith(" line 1099"));
    EXPECT_TRUE(text(0).endsWith(" No Connection!"));
    EXPECT_EQ(window->outputPane()->log()->currentIndex().row(), 1102);
}

// A wide window made small in one step: nothing in it holds on to the old width.
TEST_F(MainWindowTest, TheWindowShrinksToASensibleMinimumAtOnce) {
    window->resize(1500, 1100);
    QApplication::processEvents();
    window->resize(200, 150);
    QApplication::processEvents();
    EXPECT_LE(window->width(), 640);
    EXPECT_LE(window->height(), 480);

    window->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(window->statusLine()->paneWidth(app::StatusPane::Product), 900 * 5 / 8);
    EXPECT_EQ(window->statusLine()->paneWidth(app::StatusPane::Engine), 900 * 2 / 8);
}

TEST_F(MainWindowTest, TheTipsTabIsThereOnlyWhileDisplayTipsIsOn) {
    OutputPane& pane = *window->outputPane();
    EXPECT_FALSE(pane.tipsPageShown()) << "Display Tips is off without a migrator.cfg";
    EXPECT_EQ(pane.count(), 2);
    app::ShowTip(program().output(), "first. ");
    EXPECT_TRUE(pane.taskListInFront()) << "a tip does not bring a hidden page to front";

    connect::ShowTipsPage(program().output(), program().options(), true);
    EXPECT_EQ(pane.tabText(2), "Tips");
    app::ShowTip(program().output(), "second. ");
    EXPECT_TRUE(pane.helpPage()->toPlainText().startsWith("F1 to Help:\nsecond. first. Before you fill out"));
    EXPECT_EQ(pane.currentWidget(), pane.helpPage());
    connect::ShowTipsPage(program().output(), program().options(), false);
    EXPECT_FALSE(pane.tipsPageShown());
    EXPECT_EQ(pane.count(), 2);
}

TEST_F(MainWindowTest, DisplayTipsSavedInMigratorCfgShowsTheTipsTabAtStart) {
    std::filesystem::create_directories(scratch / "other");
    test::WriteFile(scratch / "other/migrator.cfg", "[Public]\nTips=true\n");
    CMigratorDlg other(scratch / "other");
    other.SetDialogRunner([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    EXPECT_TRUE(other.outputPane()->tipsPageShown());
    EXPECT_TRUE(other.program().options().get().tipsPageShown);
    EXPECT_TRUE(other.outputPane()->taskListInFront());
}

TEST_F(MainWindowTest, EnterAndEscapeNeitherCloseTheWindowNorCommitARenameOutsideTheLabelEditor) {
    QTest::keyClick(window->targetTreeView(), Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(program().sides().target().tree().renameCommit());
    QTest::keyClick(window->targetTreeView(), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(program().sides().target().tree().renameCommit());
}

TEST_F(MainWindowTest, DraggingAFreeSpotMovesTheWindow) {
    QWidget* freeSpot = window->centralWidget();
    const QPoint before = window->pos();
    QTest::mousePress(freeSpot, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(freeSpot, QPoint(42, 32));
    QTest::mouseRelease(freeSpot, Qt::LeftButton, {}, QPoint(42, 32));
    EXPECT_EQ(window->pos(), before + QPoint(40, 30));
}

TEST_F(MainWindowTest, TheTaskStripStartsAndStopsTheWorkerWithItsImages) {
    TaskListPage& page = *window->outputPane()->taskList();
    QToolButton* startStop = page.tool(tasks::kStartStopCommand);
    const QImage play = startStop->icon().pixmap(16, 16).toImage();
    window->RouteCommand(tasks::kStartStopCommand);
    EXPECT_NE(startStop->icon().pixmap(16, 16).toImage(), play);
    ASSERT_TRUE(WaitUntil([&] { return window->statusLine()->text(app::StatusPane::Engine) == "Some Tasks are WORKING!!!"; }));

    answers = {app::MessageAnswer::Ok};
    window->RouteCommand(tasks::kStartStopCommand);
    EXPECT_EQ(boxes.back().text, "Some Tasks is Processing, STOP ALL?");
    EXPECT_EQ(startStop->icon().pixmap(16, 16).toImage(), play);
    EXPECT_TRUE(WaitUntil([&] { return window->statusLine()->text(app::StatusPane::Engine) == "NO PROCESSING!!!"; }));
    EXPECT_EQ(startStop->toolTip(), "Start tasks");
}

TEST_F(MainWindowTest, TheTaskListKeepsItsSelectionAcrossRebuildsAndMovesRowsWithTheirTasks) {
    for (const char* table : {"A", "B", "C"}) {
        tasks::TaskNames names;
        names.sourceObject = table;
        program().engine().taskList().Append(std::make_shared<tasks::MigrationTask>(
            tasks::TaskCategory::Migration, tasks::TaskType::MigrateTable, names, 0));
    }
    tasks::RequestTaskListRebuild(program().engine());
    TaskListPage& page = *window->outputPane()->taskList();
    auto column = [&](int column) {
        QStringList texts;
        for (int row = 0; row < page.model().rowCount(); ++row) texts << page.model().index(row, column).data().toString();
        return texts;
    };
    ASSERT_EQ(column(6), QStringList({"A", "B", "C"}));
    EXPECT_EQ(column(3), QStringList({"Waiting", "Waiting", "Waiting"}));

    page.SelectRow(1);
    for (int tick = 0; tick < 5; ++tick) window->TimerTick();
    EXPECT_EQ(page.selectedRow(), 1);

    window->RouteCommand(5579);  // Item Up
    EXPECT_EQ(column(6), QStringList({"B", "A", "C"}));
    EXPECT_EQ(column(0), QStringList({"01", "02", "03"}));
    EXPECT_EQ(page.selectedRow(), 0);
    window->RouteCommand(5579);  // the first row goes nowhere
    EXPECT_EQ(column(6), QStringList({"B", "A", "C"}));

    window->RouteCommand(5550);  // Delete
    EXPECT_EQ(column(6), QStringList({"A", "C"}));
    EXPECT_EQ(column(0), QStringList({"01", "02"}));
    window->RouteCommand(5561);  // Clear All Tasks
    EXPECT_EQ(page.model().rowCount(), 0);
    EXPECT_EQ(program().engine().taskList().size(), 0u);
}

TEST_F(MainWindowTest, ClosingWhileTasksRunAsksAndCancelKeepsTheWindow) {
    window->RouteCommand(tasks::kStartStopCommand);
    ASSERT_EQ(program().engine().runState().load(), tasks::RunState::Processing);
    answers = {app::MessageAnswer::Cancel};
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(boxes.back().text, "Some Tasks is Processing, STOP ALL and EXIT?");
    EXPECT_EQ(program().engine().runState().load(), tasks::RunState::Processing);

    answers = {app::MessageAnswer::Ok};
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_NE(program().engine().runState().load(), tasks::RunState::Processing);
}

// Exit from the menu is closing: the same question, and Cancel keeps everything running.
TEST_F(MainWindowTest, ExitWhileTasksRunAsksLikeClosing) {
    window->RouteCommand(tasks::kStartStopCommand);
    ASSERT_EQ(program().engine().runState().load(), tasks::RunState::Processing);
    answers = {app::MessageAnswer::Cancel};
    window->RouteCommand(kExitCommand);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(boxes.back().text, "Some Tasks is Processing, STOP ALL and EXIT?");
    EXPECT_EQ(program().engine().runState().load(), tasks::RunState::Processing);

    answers = {app::MessageAnswer::Ok};
    window->RouteCommand(kExitCommand);
    EXPECT_FALSE(window->isVisible());
}

// A body held until the test lets it end; it writes a Log line on every round, so
// the worker keeps calling the window while it runs.
struct HeldBody {
    std::atomic<bool> entered{false};
    std::atomic<bool> released{false};
    bool operator()(tasks::TaskContext& context) {
        entered = true;
        while (!released && !context.gate.stopRequested()) {
            app::WriteOutputLine(context.output, "rows copied");
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
};

std::shared_ptr<tasks::MigrationTask> QueuedTask(shell::Program& program, const std::string& table) {
    tasks::TaskNames names;
    names.sourceObject = table;
    auto task = std::make_shared<tasks::MigrationTask>(tasks::TaskCategory::Migration, tasks::TaskType::MigrateTable,
                                                       names, 0);
    program.engine().taskList().Append(task);
    return task;
}

// The person presses Start/Stop, and answers OK only after the task has ended and
// the worker is gone: nothing stays "stopping", and the next task runs.
TEST_F(MainWindowTest, AStopAnsweredAfterTheTaskEndedLeavesTheEngineIdle) {
    HeldBody body;
    program().engine().taskBodies()[tasks::TaskType::MigrateTable] = [&body](tasks::TaskContext& context) {
        return body(context);
    };
    QueuedTask(program(), "first");
    tasks::StartWorkerAfterNewTasks(program().engine());
    ASSERT_TRUE(WaitUntil([&] { return body.entered.load(); }));
    window->messageBoxes().SetBoxScript([&](const app::MessageBoxRequest& request) {
        boxes.push_back(request);
        body.released = true;
        EXPECT_TRUE(WaitUntil([&] { return program().engine().runState().load() == tasks::RunState::Idle; },
                              std::chrono::seconds(10)));
        return app::MessageAnswer::Ok;
    });
    window->RouteCommand(tasks::kStartStopCommand);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Some Tasks is Processing, STOP ALL?");
    EXPECT_EQ(program().engine().runState().load(), tasks::RunState::Idle);
    EXPECT_EQ(window->statusLine()->text(app::StatusPane::Engine), "NO PROCESSING!!!");

    body.entered = false;
    const auto next = QueuedTask(program(), "next");
    tasks::StartWorkerAfterNewTasks(program().engine());
    EXPECT_TRUE(WaitUntil([&] { return next->state.load() == tasks::TaskState::Succeeded; }, std::chrono::seconds(10)));
    EXPECT_EQ(boxes.size(), 1u) << "no \"Stopping\" box";
}

// Closing while the worker keeps calling the window and tasks wait behind it: OK
// ends the running task, the waiting one never starts, and neither thread waits
// for the other.
TEST_F(MainWindowTest, ClosingWhileTheWorkerCallsTheWindowNeverHangs) {
    HeldBody body;
    program().engine().taskBodies()[tasks::TaskType::MigrateTable] = [&body](tasks::TaskContext& context) {
        return body(context);
    };
    const auto running = QueuedTask(program(), "running");
    const auto waiting = QueuedTask(program(), "waiting");
    tasks::StartWorkerAfterNewTasks(program().engine());
    ASSERT_TRUE(WaitUntil([&] { return body.entered.load(); }));

    test::Watchdog watchdog("close the window while the worker calls it");
    answers = {app::MessageAnswer::Ok};
    window->close();
    EXPECT_EQ(boxes.back().text, "Some Tasks is Processing, STOP ALL and EXIT?\n1 waiting task will not run; Cancel keeps it.");
    EXPECT_FALSE(window->isVisible());
    window.reset();
    EXPECT_EQ(running->state.load(), tasks::TaskState::Succeeded);
    EXPECT_EQ(waiting->state.load(), tasks::TaskState::NotRun);
}

TEST_F(MainWindowTest, HelpAndTheWebPageOpenThroughTheDesktop) {
    QList<QUrl> opened;
    window->SetUrlOpener([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    window->RouteCommand(kManualCommand);
    window->RouteCommand(kWebsiteCommand);
    QApplication::setActiveWindow(window.get());  // shortcuts need an active window
    QTest::keyClick(window->targetTreeView(), Qt::Key_F1);
    ASSERT_EQ(opened.size(), 3);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("docs/manual/index.html"));
    EXPECT_TRUE(QFileInfo(opened[0].toLocalFile()).isFile());
    EXPECT_EQ(opened[1].toString(), kWebsiteAddress);
    EXPECT_EQ(opened[2], opened[0]);
}

TEST_F(MainWindowTest, WithoutABrowserTheAddressShowsInABoxAndAboutsHelpComesUpInFront) {
    ASSERT_TRUE(WaitUntil([&] { return !dialogs.empty(); }));  // the driver check came first
    window->SetUrlOpener([](const QUrl&) { return false; });
    answers = {app::MessageAnswer::Ok};
    window->RouteCommand(kWebsiteCommand);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No web browser could open this address; copy it into one:\n" + std::string(kWebsiteAddress));
    EXPECT_TRUE(MakeMessageBox(boxes[0], nullptr)->textInteractionFlags() & Qt::TextSelectableByMouse);

    // The About box's Help: the box goes first, then the manual comes up in the help window.
    auto aboutShown = [] {
        const auto widgets = QApplication::topLevelWidgets();
        return std::any_of(widgets.begin(), widgets.end(),
                           [](QWidget* widget) { return qobject_cast<AboutBox*>(widget) && widget->isVisible(); });
    };
    std::vector<bool> aboutShownAtOpening;
    window->SetUrlOpener([&](const QUrl&) {
        aboutShownAtOpening.push_back(aboutShown());
        return false;
    });
    window->SetDialogRunner([](QDialog& dialog) {
        dialog.show();
        emit static_cast<AboutBox&>(dialog).helpWanted();
        return dialog.result();
    });
    window->RouteCommand(kAboutButtonCommand);
    EXPECT_EQ(aboutShownAtOpening, std::vector<bool>{false});
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_TRUE(window->helpWindow()->isVisible());
}

TEST_F(MainWindowTest, TheDeleteKeyOnTheTargetTreeRunsDelete) {
    ASSERT_TRUE(WaitUntil([&] { return !dialogs.empty(); }));  // the driver check came first
    QSignalSpy routed(window.get(), &CMigratorDlg::commandRouted);
    answers = {app::MessageAnswer::Ok};  // "No Target DataSource Connection!"
    QApplication::setActiveWindow(window.get());
    window->targetTreeView()->setFocus();
    QTest::keyClick(window->targetTreeView(), Qt::Key_Delete);
    ASSERT_FALSE(routed.isEmpty());
    EXPECT_EQ(routed.back().front().toInt(), kDeleteMenuCommand);
    const qsizetype afterTarget = routed.size();
    window->sourceTreeView()->setFocus();
    QTest::keyClick(window->sourceTreeView(), Qt::Key_Delete);
    EXPECT_EQ(routed.size(), afterTarget) << "not on the source tree";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Delete");
}

}  // namespace
}  // namespace tabvex::gui::testing
