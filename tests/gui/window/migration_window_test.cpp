#include <QDragMoveEvent>
#include <QDropEvent>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "browser/condition_dialog.h"
#include "gui/window/command_ids.h"
#include "gui/window/window_icons.h"
#include "gui/window/window_test_support.h"
#include "trees/tree_menus.h"
#include "platform/xls/workbook.h"
#include "tasks/bodies/migration_fixture.h"

namespace tabvex::gui::testing {
namespace {

using browser::NodeId;
using browser::TreeNodeKind;
namespace fs = std::filesystem;

// Both sides connected as the configuration dialog's Connect button does it: the
// settings filled, then the Connect command routed.
class ConnectedWindowTest : public WindowTest {
protected:
    void ConnectShop() {
        sourceFile = scratch / "in/shop.mdb";
        targetFile = scratch / "out/book.xls";
        fs::create_directories(sourceFile.parent_path());
        fs::create_directories(targetFile.parent_path());
        mdb::DatabaseWriter writer(sourceFile);
        const test::SourceTable customers = test::Customers();
        writer.AddTable(customers.name, customers.columns);
        for (const auto& row : customers.rows) writer.AddRow(customers.name, row);
        writer.Write();
        auto book = xls::Workbook::CreateNew({"Sales", "Regions"});
        for (std::size_t sheet = 0; sheet < 2; ++sheet) {
            book.Sheet(sheet).SetCellText(0, 0, "Region");
            book.AddName(sheet == 0 ? "Sales" : "Regions", xls::SheetArea{sheet, xls::CellRange{0, 0, 0, 0}});
        }
        book.Save(targetFile);

        program().sides().source().settings() = Settings(sourceFile);
        program().sides().target().settings() = Settings(targetFile);
        window->RouteCommand(kConnectButtonCommand);
    }

    static connect::ConnectionSettings Settings(const fs::path& file) {
        return {"Microsoft Jet 4.0 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0", "", file.string(), "", "Admin", ""};
    }

    static NodeId Find(const browser::DbTree& tree, TreeNodeKind kind, const std::string& text = {}) {
        const auto nodes = tree.nodes();
        for (NodeId id = 0; id < nodes.size(); ++id)
            if (nodes[id].kind == kind && (text.empty() || nodes[id].text == text)) return id;
        return browser::kNoNode;
    }

    // Drags the source tree's node onto the target tree's node as the mouse would.
    void DragOnto(NodeId sourceNode, NodeId targetNode) {
        CDBTreeView& from = *window->sourceTreeView();
        CDBTreeView& onto = *window->targetTreeView();
        from.SelectNode(sourceNode);
        const QPoint at = onto.visualRect(onto.treeModel()->IndexOf(targetNode)).center();
        const auto data = from.DragData();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(onto.viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(onto.viewport(), &move);
        EXPECT_EQ(onto.treeModel()->dropHighlight(), targetNode);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(onto.viewport(), &drop);
    }

    fs::path sourceFile;
    fs::path targetFile;
};

TEST_F(ConnectedWindowTest, ConnectingFillsBothTreesAndNamesTheirDbms) {
    ConnectShop();
    EXPECT_NE(Find(program().sides().source().tree(), TreeNodeKind::Table, "Customers"), browser::kNoNode);
    EXPECT_NE(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"), browser::kNoNode);
    CDBTreeView& source = *window->sourceTreeView();
    ASSERT_EQ(source.model()->rowCount(), 1);
    EXPECT_EQ(source.model()->index(0, 0).data().toString().toStdString(), sourceFile.string());
    EXPECT_TRUE(source.isExpanded(source.model()->index(0, 0)));
    EXPECT_TRUE(window->folderTitle(app::TreeSide::Source)->text().startsWith("Access - MS Jet"));
    EXPECT_TRUE(window->folderTitle(app::TreeSide::Target)->text().startsWith("Excel - MS Jet"));
    SaveScreenshot(*window, "connected.png");
}

TEST_F(ConnectedWindowTest, SelectingNodesShowsTheirMenuAndTheSourceTipShowsTheCondition) {
    ConnectShop();
    const NodeId view = Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales");
    window->targetTreeView()->SelectNode(view);
    const MainMenu& menu = window->mainMenu();
    EXPECT_FALSE(menu.topMenu(2)->menuAction()->isVisible());
    EXPECT_TRUE(menu.topMenu(4)->menuAction()->isVisible());
    EXPECT_TRUE(menu.entry(trees::kDropTableCommand)->isEnabled());
    EXPECT_FALSE(menu.entry(trees::kMigrationConditionCommand)->isEnabled());

    CDBTreeView& source = *window->sourceTreeView();
    const NodeId customers = Find(program().sides().source().tree(), TreeNodeKind::Table, "Customers");
    source.scrollTo(source.treeModel()->IndexOf(customers));
    const QPoint over = source.visualRect(source.treeModel()->IndexOf(customers)).center();
    QTest::mouseMove(source.viewport(), over);
    EXPECT_EQ(source.toolTip(), "Convert All");
}

TEST_F(ConnectedWindowTest, ATableWithAConditionShowsTheFunnelImageOnceTheDialogSavedIt) {
    ConnectShop();
    CDBTreeView& source = *window->sourceTreeView();
    const NodeId customers = Find(program().sides().source().tree(), TreeNodeKind::Table, "Customers");
    const auto image = [&] {
        return source.treeModel()->IndexOf(customers).data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
    };
    EXPECT_EQ(image(), TreeNodeIcon(TreeNodeKind::Table).pixmap(16).toImage());

    source.SelectNode(customers);
    auto dialog = browser::OpenConditionDialog(program().output(), program().gate(), program().sides().conditionFile(), program().sides().source().tree());
    ASSERT_NE(dialog, nullptr);
    dialog->SetCondition("ID >= 2");
    ASSERT_TRUE(dialog->Test());
    dialog->Save();
    ASSERT_TRUE(WaitUntil([&] { return image() == ConditionedTableIcon().pixmap(16).toImage(); }));
    EXPECT_NE(image(), TreeNodeIcon(TreeNodeKind::Table).pixmap(16).toImage());
    EXPECT_EQ(source.treeModel()->IndexOf(customers).data().toString(), "Customers") << "the label is the name";
    EXPECT_TRUE(source.treeModel()->IndexOf(customers).data(Qt::FontRole).value<QFont>().italic());
    source.scrollTo(source.treeModel()->IndexOf(customers));
    // From elsewhere onto the table: the pointer may rest there from an earlier test.
    QTest::mouseMove(source.viewport(), source.visualRect(source.treeModel()->IndexOf(0)).center());
    QTest::mouseMove(source.viewport(), source.visualRect(source.treeModel()->IndexOf(customers)).center());
    EXPECT_EQ(source.toolTip(), "Condition : ID >= 2");
    SaveScreenshot(*window, "condition_marked.png");
}

TEST_F(ConnectedWindowTest, DroppingASourceTableOnTheTargetDatabaseMigratesItWithProgressAndColouredLog) {
    ConnectShop();
    OutputPane& pane = *window->outputPane();
    const TaskListModel& tasks = pane.taskList()->model();
    std::vector<std::pair<QString, int>> seen;  // state text and bar of the task at each rebuild
    QObject::connect(&tasks, &QAbstractItemModel::modelReset, window.get(), [&] {
        if (tasks.rowCount() != 1) return;
        const QString state = tasks.index(0, 3).data().toString();
        if (seen.empty() || seen.back().first != state)
            seen.emplace_back(state, tasks.index(0, 1).data(TaskListModel::kProgressRole).toInt());
    });
    auto rebuild = [&] {
        pane.setCurrentWidget(pane.taskList());
        program().engine().taskList().SetRefreshCountdown(5);
        window->TimerTick();
    };
    // Each Log line of the worker is shown while the worker waits: the task's state then.
    QObject::connect(pane.log()->model(), &QAbstractItemModel::rowsInserted, window.get(), rebuild);

    answers = {app::MessageAnswer::Ok};
    DragOnto(Find(program().sides().source().tree(), TreeNodeKind::Table, "Customers"),
             Find(program().sides().target().tree(), TreeNodeKind::Database));
    ASSERT_TRUE(WaitUntil([&] { return !boxes.empty(); }));
    EXPECT_EQ(boxes.front().text,
              "Convert table [Customers] into Target database [" + (scratch / "out/book").string() + "]?");
    ASSERT_TRUE(WaitUntil([&] {
        const auto queued = program().engine().taskList().Snapshot();
        return !queued.empty() && queued[0]->state.load() != tasks::TaskState::NotRun;
    }));
    rebuild();
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), std::make_pair(QString("Waiting"), 5));
    EXPECT_EQ(seen[1].first, "Working");
    EXPECT_EQ(seen.back().first, "SUCCESS");
    EXPECT_EQ(tasks.index(0, 2).data().toString(), "MIGRATION");
    EXPECT_EQ(tasks.index(0, 6).data().toString(), "Customers");

    LogView& log = *pane.log();
    // The task's state changes before its closing line is written.
    EXPECT_TRUE(WaitUntil([&] { return !LogLinesMatching(log, "Operation completed SUCCESSFULLY!", Qt::MatchEndsWith).empty(); }));
    EXPECT_EQ(LogLinesMatching(log, "Operation completed SUCCESSFULLY!", Qt::MatchEndsWith).size(), 1);
    EXPECT_EQ(LogLinesMatching(log, "TABLE: [" + QString::fromStdString((scratch / "in/shop").string()) + "].[Customers] Migrating..... ",
                               Qt::MatchEndsWith).size(), 1);
    SaveScreenshot(*window, "migration.png");

    ASSERT_TRUE(WaitUntil([&] { return program().engine().runState().load() == tasks::RunState::Idle; }));
    const nlohmann::json book = test::ReadWithXlrd(targetFile);
    const nlohmann::json* sheet = test::FindSheet(book, "Customers");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(test::SheetRows(*sheet), test::kCustomers);
}

TEST_F(ConnectedWindowTest, CancellingTheCloneQuestionOfADropQueuesNothingAndClearsTheHighlight) {
    ConnectShop();
    answers = {app::MessageAnswer::Cancel};
    const NodeId root = Find(program().sides().target().tree(), TreeNodeKind::Root);
    DragOnto(Find(program().sides().source().tree(), TreeNodeKind::Database), root);
    ASSERT_TRUE(WaitUntil([&] { return !boxes.empty(); }));
    EXPECT_TRUE(boxes.front().text.starts_with("Clone database ["));
    EXPECT_EQ(program().engine().taskList().size(), 0u);
    EXPECT_EQ(window->targetTreeView()->treeModel()->dropHighlight(), browser::kNoNode);
    EXPECT_EQ(program().sides().target().tree().selected(), root);
}

TEST_F(ConnectedWindowTest, DeleteOnATargetTableAsksTwiceAndDropsTheWorksheet) {
    ConnectShop();
    const std::string database = (scratch / "out/book").string();
    window->targetTreeView()->SelectNode(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"));

    answers = {app::MessageAnswer::Ok, app::MessageAnswer::No};
    window->RouteCommand(kDeleteButtonCommand);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Delete the table [" + database + ".Sales]?");
    EXPECT_EQ(boxes[0].buttons, app::MessageButtons::OkCancel);
    EXPECT_EQ(boxes[1].text,
              "After remove, you can not restore the table [" + database + ".Sales]! Continue?\nPress YES to Continue Removing!");
    EXPECT_EQ(boxes[1].buttons, app::MessageButtons::YesNo);
    EXPECT_NE(test::FindSheet(test::ReadWithXlrd(targetFile), "Sales"), nullptr);

    answers = {app::MessageAnswer::Ok, app::MessageAnswer::Yes};
    window->RouteCommand(kDeleteButtonCommand);
    EXPECT_EQ(test::FindSheet(test::ReadWithXlrd(targetFile), "Sales"), nullptr);
    EXPECT_EQ(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"), browser::kNoNode);
    EXPECT_EQ(LogLinesMatching(*window->outputPane()->log(), "Delete the table [" + QString::fromStdString(database) + ".Sales]?",
                               Qt::MatchEndsWith).size(), 1);
}

TEST_F(ConnectedWindowTest, ATargetTablesContextMenuNamesItAndDropsItOnlyAfterYes) {
    ConnectShop();
    CDBTreeView& target = *window->targetTreeView();
    const std::string before = test::ReadFile(targetFile);
    auto dropSalesFromTheMenu = [&] {
        const QModelIndex sales =
            target.treeModel()->IndexOf(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"));
        target.scrollTo(sales);
        QStringList offered;
        QTimer::singleShot(0, [&] {
            QMenu* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(popup, nullptr);
            for (QAction* action : popup->actions()) offered << action->text();
            popup->actions().front()->trigger();
            popup->close();
        });
        const QPoint at = target.visualRect(sales).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, target.viewport()->mapToGlobal(at));
        QApplication::sendEvent(target.viewport(), &click);
        return offered;
    };
    answers = {app::MessageAnswer::No};
    EXPECT_EQ(dropSalesFromTheMenu(), QStringList({"Drop Table Sales", "Rename Table Sales"}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Drop the worksheet [Sales] of [" + (scratch / "out/book").string() +
                                 "]?\nEverything on it is lost and cannot be restored.");
    EXPECT_EQ(boxes[0].buttons, app::MessageButtons::YesNo);
    EXPECT_EQ(test::ReadFile(targetFile), before);
    EXPECT_NE(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"), browser::kNoNode);

    answers = {app::MessageAnswer::Yes};
    dropSalesFromTheMenu();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(test::FindSheet(test::ReadWithXlrd(targetFile), "Sales"), nullptr);
    EXPECT_EQ(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"), browser::kNoNode);
}

TEST_F(ConnectedWindowTest, CheckOpensFromASourceTablesContextMenuAndFromTheOperationMenu) {
    ConnectShop();
    CDBTreeView& source = *window->sourceTreeView();
    const QModelIndex customers =
        source.treeModel()->IndexOf(Find(program().sides().source().tree(), TreeNodeKind::Table, "Customers"));
    source.scrollTo(customers);
    QStringList offered;
    QTimer::singleShot(0, [&] {
        QMenu* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        for (QAction* action : popup->actions()) offered << action->text();
        popup->actions().back()->trigger();
        popup->close();
    });
    const QPoint at = source.visualRect(customers).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, source.viewport()->mapToGlobal(at));
    QApplication::sendEvent(source.viewport(), &click);
    EXPECT_EQ(offered, QStringList({"Migration Condition", "Check..."}));
    EXPECT_EQ(dialogs.back(), "tabvex::gui::CCheckDlg");

    // From the Operation menu on the database, its Migrate... button queues the migration
    // a drop of the database on the target's database would.
    window->SetDialogRunner([this](QDialog& dialog) {
        dialogs.push_back(dialog.metaObject()->className());
        auto* migrate = dialog.findChild<QPushButton*>("Migrate");
        if (migrate) migrate->click();
        return dialog.result();
    });
    // No target node chosen: the migration goes to the workbook the report was made against.
    program().sides().target().tree().Select(browser::kNoNode);
    source.SelectNode(Find(program().sides().source().tree(), TreeNodeKind::Database));
    answers = {app::MessageAnswer::Ok};
    window->mainMenu().entry(trees::kCheckCommand)->trigger();
    EXPECT_EQ(dialogs.back(), "tabvex::gui::CCheckDlg");
    ASSERT_TRUE(WaitUntil([&] { return !boxes.empty(); }));
    EXPECT_EQ(boxes.front().text, "Convert database [" + (scratch / "in/shop").string() + "] into Target database [" +
                                      (scratch / "out/book").string() + "]?");
    ASSERT_TRUE(WaitUntil([&] { return program().engine().runState().load() == tasks::RunState::Idle; }));
    ASSERT_EQ(program().engine().taskList().Snapshot().size(), 1u);
    EXPECT_EQ(test::SheetOf(targetFile, "Customers"), test::kCustomers);
}

// A file named like a database that is none: the Log says why, the source tree of the
// database connected before is gone, and nothing can be migrated from it.
TEST_F(ConnectedWindowTest, AFailedConnectSaysWhyAndLeavesNoStaleTree) {
    ConnectShop();
    ASSERT_GT(window->sourceTreeView()->model()->rowCount(), 0);
    const fs::path notes = scratch / "in/notes.mdb";
    test::WriteFile(notes, "just some notes\n");
    program().sides().source().settings() = Settings(notes);
    answers = {app::MessageAnswer::Ok};
    window->RouteCommand(kConnectButtonCommand);
    EXPECT_EQ(boxes.back().text, "Source Connection error!");
    EXPECT_EQ(window->sourceTreeView()->model()->rowCount(), 0);
    EXPECT_EQ(window->folderTitle(app::TreeSide::Source)->text(), "Access");
    EXPECT_FALSE(LogLinesMatching(*window->outputPane()->log(),
                                  QString::fromStdString("Source Connection error! " + notes.string() + ": "),
                                  Qt::MatchContains).empty());
    EXPECT_TRUE(program().sides().target().holder().HasSession()) << "the target connected as before";

    // The target's table is still selectable, the source offers nothing to migrate.
    window->targetTreeView()->SelectNode(Find(program().sides().target().tree(), TreeNodeKind::Database));
    window->messageBoxes().SetBoxScript([this](const app::MessageBoxRequest& request) {
        boxes.push_back(request);
        return app::MessageAnswer::Ok;
    });
    window->RouteCommand(kMigrateButtonCommand);
    EXPECT_EQ(program().engine().taskList().size(), 0u);
}

// The label editor open on the target tree, if any.
QLineEdit* OpenEditor(CDBTreeView& view) {
    for (QLineEdit* open : view.viewport()->findChildren<QLineEdit*>())
        if (open->isVisible()) return open;
    return nullptr;
}

TEST_F(ConnectedWindowTest, OnlyTableLabelsOpenAnEditorWhateverAsksForIt) {
    ConnectShop();
    CDBTreeView& target = *window->targetTreeView();
    QApplication::setActiveWindow(window.get());
    for (TreeNodeKind kind : {TreeNodeKind::Root, TreeNodeKind::Database, TreeNodeKind::TablesFolder}) {
        SCOPED_TRACE(static_cast<int>(kind));
        target.SelectNode(Find(program().sides().target().tree(), kind));
        target.setFocus();
        // A second, slow click on the selected node.
        const QPoint label = target.visualRect(target.currentIndex()).center();
        QTest::mouseClick(target.viewport(), Qt::LeftButton, {}, label);
        EXPECT_FALSE(WaitUntil([&] { return OpenEditor(target) != nullptr; }, std::chrono::milliseconds(1500)))
            << "a slow second click";
        QTest::keyClick(&target, Qt::Key_Escape);
        QTest::keyClick(&target, Qt::Key_F2);
        EXPECT_EQ(OpenEditor(target), nullptr) << "F2";
        QTest::keyClick(&target, Qt::Key_Escape);
        window->RouteCommand(trees::kRenameTableCommand);
        EXPECT_EQ(OpenEditor(target), nullptr) << "Rename Table";
    }
    EXPECT_TRUE(boxes.empty());

    target.SelectNode(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"));
    target.scrollTo(target.currentIndex());
    QTest::mouseClick(target.viewport(), Qt::LeftButton, {}, target.visualRect(target.currentIndex()).center());
    EXPECT_TRUE(WaitUntil([&] { return OpenEditor(target) != nullptr; }, std::chrono::seconds(5)));
}

// An Enter typed before the editor opened, and an edit left by clicking elsewhere,
// rename nothing.
TEST_F(ConnectedWindowTest, AnEditLeftByClickingElsewhereRenamesNothingAfterAnEarlierEnter) {
    ConnectShop();
    CDBTreeView& target = *window->targetTreeView();
    QApplication::setActiveWindow(window.get());
    target.SelectNode(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"));
    target.setFocus();
    QTest::keyClick(&target, Qt::Key_Return);
    QTest::keyClick(&target, Qt::Key_F2);
    QLineEdit* editor = OpenEditor(target);
    ASSERT_NE(editor, nullptr);
    editor->setText("Elsewhere");
    CDBTreeView& source = *window->sourceTreeView();
    QTest::mouseClick(source.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    source.setFocus();
    ASSERT_TRUE(WaitUntil([&] { return OpenEditor(target) == nullptr; }, std::chrono::seconds(5)));
    EXPECT_NE(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"), browser::kNoNode);
    EXPECT_NE(test::FindSheet(test::ReadWithXlrd(targetFile), "Sales"), nullptr);
    EXPECT_EQ(test::FindSheet(test::ReadWithXlrd(targetFile), "Elsewhere"), nullptr);
    EXPECT_FALSE(program().sides().target().tree().renameCommit());
}

TEST_F(ConnectedWindowTest, RenameTableEditsTheLabelAndOnlyEnterRenamesTheWorksheet) {
    ConnectShop();
    CDBTreeView& target = *window->targetTreeView();
    auto rename = [&](const char* table, const QString& typed, Qt::Key ending) {
        target.SelectNode(Find(program().sides().target().tree(), TreeNodeKind::Table, table));
        target.scrollTo(target.currentIndex());
        window->RouteCommand(trees::kRenameTableCommand);
        QLineEdit* editor = nullptr;  // an earlier edit's editor may still wait to be deleted
        for (QLineEdit* open : target.viewport()->findChildren<QLineEdit*>())
            if (open->isVisible()) editor = open;
        ASSERT_NE(editor, nullptr);
        editor->setText(typed);
        QTest::keyClick(editor, ending);
    };
    rename("Sales", "Dropped", Qt::Key_Escape);
    EXPECT_NE(Find(program().sides().target().tree(), TreeNodeKind::Table, "Sales"), browser::kNoNode);
    EXPECT_NE(test::FindSheet(test::ReadWithXlrd(targetFile), "Sales"), nullptr);

    rename("Sales", "Turnover", Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return Find(program().sides().target().tree(), TreeNodeKind::Table, "Turnover") != browser::kNoNode; },
                          std::chrono::seconds(10)));
    const nlohmann::json book = test::ReadWithXlrd(targetFile);
    EXPECT_NE(test::FindSheet(book, "Turnover"), nullptr);
    EXPECT_EQ(test::FindSheet(book, "Sales"), nullptr);
    EXPECT_FALSE(program().sides().target().tree().renameCommit());
}

}  // namespace
}  // namespace tabvex::gui::testing
