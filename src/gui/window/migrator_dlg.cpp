#include "gui/window/migrator_dlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QShortcut>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <chrono>

#include "app/save_log.h"
#include "app/session_log.h"
#include "browser/condition_file.h"
#include "connecting/config_file.h"
#include "connecting/connecting.h"
#include "gui/dialogs/check_dlg.h"
#include "gui/dialogs/charset_dlg.h"
#include "gui/dialogs/condition_dlg.h"
#include "gui/dialogs/config_dlg.h"
#include "gui/dialogs/driver_check_dlg.h"
#include "gui/window/about_box.h"
#include "gui/window/command_ids.h"
#include "gui/window/manual_file.h"
#include "gui/window/tree_filter_field.h"
#include "gui/window/window_icons.h"
#include "maintenance/maintenance_commands.h"
#include "tasks/bodies/backup_command.h"
#include "tasks/bodies/migrate_command.h"
#include "tasks/bodies/task_bodies.h"
#include "tasks/task_list_view.h"
#include "tasks/worker.h"
#include "trees/database_double_click.h"
#include "trees/source_tree_tip.h"
#include "trees/tree_context_menu.h"

namespace tabvex::gui {

namespace {

using app::TreeSide;

struct ToolSpec {
    int commandId;
    const char* caption;
    const char* toolTip;
};

// The mini tool bar's buttons in order; button i shows image i.
constexpr ToolSpec kMiniTools[] = {
    {kConfigButtonCommand, " Configure ", "Database Connections Config"},
    {kConnectButtonCommand, " Connect ", "Connect the DataSources"},
    {kMigrateButtonCommand, " Migrate ", "Convert from source into target"},
    {kDeleteButtonCommand, " Delete ", "Delete the selected object"},
    {kBackupButtonCommand, " Backup ", "Backup the selected object"},
    {kAboutButtonCommand, " About ", ""},
};

constexpr int kOutputExtraHeight = 26;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CMigratorDlg::CMigratorDlg(com::ProgramFolders folders, QWidget* parent)
    : QMainWindow(parent), boxes_(this), host_(static_cast<app::UserInterface&>(*this)),
      program_(host_, std::move(folders)) {
    tasks::RegisterTaskBodies(program_.engine());
    menu_ = new MainMenu(menuBar());
    connect(menu_, &MainMenu::commandTriggered, this, &CMigratorDlg::RouteCommand);
    setWindowTitle(app::kProductLine);
    setWindowIcon(ProgramIcon());

    // The program's folder is the current folder from here on: relative names a
    // person types mean files there. Nothing moves it later. Condition.cfg lives in
    // the configuration folder.
    std::error_code error;
    std::filesystem::create_directories(program_.programDirectory(), error);
    std::filesystem::create_directories(program_.folders().config, error);
    std::filesystem::current_path(program_.programDirectory(), error);
    browser::EnsureConditionFile(program_.sides().conditionFile());
    connect::TakeSavedConnections(program_.options(), program_.sides());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(BuildMiniToolBar());
    layout->addWidget(BuildTrees(), 3);
    output_ = new OutputPane(Text(program_.output().helpPage().text()), central);
    output_->setMinimumHeight(output_->sizeHint().height() / 2 + kOutputExtraHeight);
    connect(output_->taskList(), &TaskListPage::commandTriggered, this, &CMigratorDlg::RouteCommand);
    connect(output_->log(), &LogView::saveWanted, this, &CMigratorDlg::SaveLog);
    app::KeepSessionLog(program_.output());
    connect::ShowSavedTipsPage(program_.output(), program_.options(), program_.programDirectory());
    layout->addWidget(output_, 2);
    setCentralWidget(central);

    status_ = new StatusLine(this);
    setStatusBar(status_);
    for (auto pane : {app::StatusPane::Product, app::StatusPane::Engine})
        status_->SetText(pane, Text(program_.output().statusText(pane)));

    BuildCommandTable();
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    help->setContext(Qt::ApplicationShortcut);
    connect(help, &QShortcut::activated, this, [this] { RouteCommand(kManualCommand); });
    // The Delete key on the target tree deletes its selection, as the Delete button does.
    auto* deleteKey = new QShortcut(QKeySequence::Delete, targetView_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { RouteCommand(kDeleteMenuCommand); });
    resize(840, 660);
    RestoreWindowSettings(Remembered());
    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this, &CMigratorDlg::TimerTick);
    clock_.start();
    TimerTick();
    qApp->installEventFilter(this);
    targetView_->setFocus();
    PostCommand(kDriverCheckCommand);
}

CMigratorDlg::~CMigratorDlg() {
    qApp->removeEventFilter(this);
    clock_.stop();
    // An editor still open commits when the views go, after this object is gone.
    targetView_->treeModel()->SetRenameHandler(nullptr);
    // The shell::Program ends the worker next; its calls must not wait for this thread.
    host_.Detach();
}

QWidget* CMigratorDlg::BuildMiniToolBar() {
    auto* bar = new QToolBar("    ", this);
    bar->setObjectName("Minitools");
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    int image = 0;
    for (const ToolSpec& tool : kMiniTools) {
        auto* button = new QToolButton(bar);
        button->setIcon(ToolBarIcon(image++));
        button->setText(tool.caption);
        button->setToolTip(tool.toolTip);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        bar->addWidget(button);
        toolButtons_[tool.commandId] = button;
        connect(button, &QToolButton::clicked, this, [this, id = tool.commandId] { RouteCommand(id); });
    }
    return bar;
}

QWidget* CMigratorDlg::BuildTrees() {
    auto* splitter = trees_ = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("outlook");
    sourceView_ = new CDBTreeView(program_.sides().source().tree(), splitter);
    targetView_ = new CDBTreeView(program_.sides().target().tree(), splitter);
    sourceView_->setToolTip(trees::kInitialTreeTip);
    // Rename Table: the edit is finished by the core's command, which renames only
    // what Enter committed.
    targetView_->treeModel()->SetRenameHandler([this](browser::NodeId node, const std::string& text) {
        program_.sides().target().tree().Select(node);
        return maintenance::FinishTableRename(program_.output(), program_.gate(), program_.sides(),
                                              program_.sides().target().tree(), text);
    });
    splitter->addWidget(BuildFolder(TreeSide::Source, sourceView_));
    splitter->addWidget(BuildFolder(TreeSide::Target, targetView_));
    splitter->setSizes({1, 1});
    ConnectTreeView(sourceView_);
    ConnectTreeView(targetView_);
    return splitter;
}

QWidget* CMigratorDlg::BuildFolder(TreeSide side, CDBTreeView* view) {
    auto* folder = new QWidget(this);
    auto* title = new QLabel(side == TreeSide::Source ? "Access" : "Excel", folder);
    title->setFrameShape(QFrame::StyledPanel);
    title->setFrameShadow(QFrame::Raised);
    title->setMargin(3);
    folderTitles_[side] = title;
    auto* layout = new QVBoxLayout(folder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title);
    layout->addWidget(new TreeFilterField(view, folder));
    layout->addWidget(view);
    return folder;
}

void CMigratorDlg::ConnectTreeView(CDBTreeView* view) {
    connect(view, &CDBTreeView::nodeSelected, this, [this, view](browser::NodeId node) {
        menu_->Apply(trees::SelectTreeNode(view->tree(), node));
    });
    connect(view, &CDBTreeView::contextMenuWanted, this,
            [this, view](browser::NodeId node, const QPoint& at) { ShowTreeContextMenu(view, node, at); });
    connect(view, &CDBTreeView::nodeDoubleClicked, this,
            [this, view](browser::NodeId node) { trees::DoubleClickNode(program_.output(), program_.gate(), program_.sides(), view->tree(), node); });
    connect(view, &CDBTreeView::dropped, this, [this] { PostCommand(kMigrateButtonCommand); });
    if (view == sourceView_) {
        connect(view, &CDBTreeView::nodeHovered, this, [this](browser::NodeId node) {
            if (auto tip = trees::SourceTreeTip(program_.sides().conditionFile(), program_.sides().source().tree(), node)) sourceView_->setToolTip(Text(*tip));
        });
    }
}

void CMigratorDlg::BuildCommandTable() {
    app::Output& out = program_.output();
    app::TaskGate& gate = program_.gate();
    browser::Sides& sides = program_.sides();
    commands_.Add({kConfigMenuCommand, kConfigButtonCommand}, [this] { OpenConfigDialog(); });
    commands_.Add({kDriverCheckCommand}, [this] { OpenDriverCheck(); });
    commands_.Add({kConnectMenuCommand, kConnectButtonCommand}, [this, &out, &gate, &sides] {
        connect::ConnectCommand(out, gate, sides);
        ShowFolderTitles();
    });
    commands_.Add({kExitCommand}, [this] { Exit(); });
    commands_.Add({kMigrateMenuCommand, kMigrateButtonCommand}, [this] { Migrate(); });
    commands_.Add({kDeleteMenuCommand, kDeleteButtonCommand}, [&out, &gate, &sides] { maintenance::DeleteSelectedCommand(out, gate, sides); });
    commands_.Add({kBackupMenuCommand, kBackupButtonCommand}, [this] {
        tasks::BackupCommand(program_.output(), program_.sides(), program_.engine(), program_.backupFolder());
    });
    commands_.Add({kManualCommand}, [this] { OpenManual(); });
    commands_.Add({kAboutMenuCommand, kAboutButtonCommand}, [this] { ShowAbout(); });
    commands_.Add({kWebsiteCommand}, [this] { OpenWebsite(); });
    for (const auto& tool : tasks::kTaskListTools)
        commands_.Add({tool.commandId}, [this, id = tool.commandId] { RouteTaskStripCommand(id); });

    // The trees' own commands, from their context menus.
    commands_.AddTreeCommand(trees::kNewDatabaseCommand,
                             [&out, &gate, &sides](browser::DbTree& tree) { maintenance::NewDatabaseCommand(out, gate, sides, tree); });
    commands_.AddTreeCommand(trees::kDeleteDatabaseCommand,
                             [&out, &gate, &sides](browser::DbTree& tree) { maintenance::DeleteDatabaseCommand(out, gate, sides, tree); });
    commands_.AddTreeCommand(trees::kClearAllTablesCommand,
                             [&out, &gate, &sides](browser::DbTree& tree) { maintenance::ClearAllTablesCommand(out, gate, sides, tree); });
    commands_.AddTreeCommand(trees::kClearAllDataCommand,
                             [&out, &gate, &sides](browser::DbTree& tree) { maintenance::ClearAllDataCommand(out, gate, sides, tree); });
    commands_.AddTreeCommand(trees::kDropTableCommand,
                             [&out, &gate, &sides](browser::DbTree& tree) { maintenance::DropTableCommand(out, gate, sides, tree); });
    commands_.AddTreeCommand(trees::kDropViewCommand,
                             [&out, &gate](browser::DbTree& tree) { maintenance::DropViewCommand(out, gate, tree); });
    commands_.AddTreeCommand(trees::kStorageEngineCommand, [this, &out](browser::DbTree& tree) {
        QAction* entry = menu_->entry(trees::kStorageEngineCommand);
        const std::string text = maintenance::StorageEngineCommand(out, tree, entry ? entry->text().toStdString() : "");
        if (entry) entry->setText(Text(text));
    });
    commands_.AddTreeCommand(trees::kMigrationConditionCommand,
                             [this, &out, &gate, &sides](browser::DbTree& tree) {
        OpenConditionDlg(out, gate, sides.conditionFile(), tree, this);
    });
    commands_.AddTreeCommand(trees::kCheckCommand, [this](browser::DbTree& tree) { OpenCheck(tree); });
    commands_.AddTreeCommand(trees::kChangeCharsetCommand,
                             [this, &out, &gate, &sides](browser::DbTree& tree) {
        ChangeCharsetCommand(out, gate, sides, tree, this);
    });
    commands_.AddTreeCommand(trees::kRenameTableCommand, [this, &gate](browser::DbTree& tree) {
        if (!maintenance::RenameTableCommand(gate, tree)) return;
        if (CDBTreeView* view = ViewOf(tree)) view->EditSelectedLabel();
    });

    // The main menu's tree entries go to the target tree; Migration Condition and
    // Check to the source tree; New Database only from the target's root.
    commands_.Add({trees::kNewDatabaseCommand}, [&out, &gate, &sides] { maintenance::NewDatabaseMenuCommand(out, gate, sides); });
    for (int id : {trees::kDeleteDatabaseCommand, trees::kClearAllTablesCommand, trees::kClearAllDataCommand,
                   trees::kDropTableCommand, trees::kDropViewCommand, trees::kRenameTableCommand})
        commands_.Add({id}, [this, id] { commands_.RouteToTree(id, program_.sides().target().tree()); });
    for (int id : {trees::kMigrationConditionCommand, trees::kCheckCommand})
        commands_.Add({id}, [this, id] { commands_.RouteToTree(id, program_.sides().source().tree()); });
}

void CMigratorDlg::RouteCommand(int commandId) {
    emit commandRouted(commandId);
    commands_.Route(commandId);
}

void CMigratorDlg::RouteTaskStripCommand(int commandId) {
    TaskListPage* page = output_->taskList();
    const int row = page->selectedRow();
    switch (commandId) {
        case 5550: tasks::DeleteTaskCommand(program_.engine(), row); break;
        case 5561: tasks::ClearTasksCommand(program_.engine()); break;
        case 5579:
            if (row > 0) page->SelectRow(row - 1);
            tasks::MoveTaskUpCommand(program_.engine(), row);
            break;
        case 5580:
            if (row >= 0 && row + 1 < page->model().rowCount()) page->SelectRow(row + 1);
            tasks::MoveTaskDownCommand(program_.engine(), row);
            break;
        case tasks::kStartStopCommand: tasks::StartStopCommand(program_.engine()); break;
        default: break;
    }
}

void CMigratorDlg::Migrate() {
    tasks::MigrateCommand(program_.output(), program_.sides(), program_.engine());
    // A drop's highlight lasts until its migration was asked for (or refused).
    sourceView_->treeModel()->SetDropHighlight(browser::kNoNode);
    targetView_->treeModel()->SetDropHighlight(browser::kNoNode);
}

void CMigratorDlg::ShowTreeContextMenu(CDBTreeView* view, browser::NodeId underPointer, const QPoint& globalPos) {
    const browser::NodeId node = trees::RightClickNode(view->tree(), underPointer);
    if (node == browser::kNoNode) return;
    view->SelectNode(node);
    const auto menu = trees::ContextMenuFor(view->tree(), node);
    if (!menu) return;
    QMenu popup(view);
    popup.setObjectName(QString("ContextMenu%1").arg(menu->menuId));
    for (const auto& entry : menu->entries) popup.addAction(Text(entry.text))->setData(entry.commandId);
    // The command runs once the menu is gone, however its entry was chosen.
    std::optional<int> chosen;
    connect(&popup, &QMenu::triggered, this, [&chosen](QAction* action) { chosen = action->data().toInt(); });
    popup.exec(globalPos);
    if (chosen) {
        emit commandRouted(*chosen);
        commands_.RouteToTree(*chosen, view->tree());
    }
}

CDBTreeView* CMigratorDlg::ViewOf(const browser::DbTree& tree) const {
    return &tree == &sourceView_->tree() ? sourceView_ : &tree == &targetView_->tree() ? targetView_ : nullptr;
}

void CMigratorDlg::OpenManual() {
    const auto manual = FindManual();
    if (!manual) {
        boxes_.Show({"The manual (docs/manual/index.html) is neither beside the program nor in its source folder.",
                     "Help", app::MessageButtons::Ok, app::MessageIcon::Warning});
        return;
    }
    const QUrl page = QUrl::fromLocalFile(Text(manual->string()));
    if (!urlOpener_(page)) ShowHelpWindow(page);
}

// The help window is made once and keeps its page and history while the program runs.
void CMigratorDlg::ShowHelpWindow(const QUrl& page) {
    if (helpWindow_ == nullptr) helpWindow_ = new HelpWindow(page, this);
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void CMigratorDlg::SaveLog() {
    const auto path = boxes_.ChooseFile({"Save Log As", "Text File (*.txt)", {}, true});
    if (!path) return;
    try {
        app::SaveLogAs(program_.output().log(), *path);
    } catch (const std::exception& error) {
        boxes_.Show({error.what(), "Save Log As", app::MessageButtons::Ok, app::MessageIcon::Error});
    }
}

void CMigratorDlg::OpenWebsite() { OpenWebAddress(QUrl(kWebsiteAddress), program_.output().ui(), urlOpener_); }

// Help and the web page open once the About box is gone, so that they come up in front
// and are not held behind a modal box.
void CMigratorDlg::ShowAbout() {
    AboutBox about(program_.folders(), this);
    void (CMigratorDlg::*wanted)() = nullptr;
    auto closeThen = [&](void (CMigratorDlg::*open)()) {
        return [&, open] {
            wanted = open;
            about.accept();
        };
    };
    connect(&about, &AboutBox::helpWanted, &about, closeThen(&CMigratorDlg::OpenManual));
    connect(&about, &AboutBox::websiteWanted, &about, closeThen(&CMigratorDlg::OpenWebsite));
    dialogRunner_(about);
    if (wanted) (this->*wanted)();
}

void CMigratorDlg::OpenConfigDialog() {
    CConfigDlg config(program_.output(), program_.gate(), program_.sides(), program_.options(), this);
    // Connect closes the dialog and posts the Connect command; its outcome shows in the Log.
    if (dialogRunner_(config) == QDialog::Accepted) output_->setCurrentWidget(output_->taskList());
}

void CMigratorDlg::OpenDriverCheck() {
    CDriverCheckDlg check(program_.output().ui(), this);
    dialogRunner_(check);
}

void CMigratorDlg::OpenCheck(browser::DbTree& tree) {
    auto model = check::OpenCheckDialog(program_.output(), program_.gate(), program_.sides(), program_.options().get(), tree);
    if (!model) return;
    CCheckDlg check(std::move(model), this);
    dialogRunner_(check);
}

// Exit closes as the window's close button does, asking first while tasks run.
void CMigratorDlg::Exit() { close(); }

void CMigratorDlg::TimerTick() {
    if (auto rows = tasks::TaskListTimerTick(program_.engine(), output_->taskListInFront(), std::chrono::system_clock::now()))
        output_->taskList()->Rebuild(std::move(*rows));
}

QLabel* CMigratorDlg::folderTitle(TreeSide side) const { return folderTitles_.at(side); }

QToolButton* CMigratorDlg::toolButton(int commandId) const {
    const auto found = toolButtons_.find(commandId);
    return found == toolButtons_.end() ? nullptr : found->second;
}

void CMigratorDlg::closeEvent(QCloseEvent* event) {
    if (!tasks::CloseRequest(program_.engine())) {
        event->ignore();
        return;
    }
    clock_.stop();
    SaveWindowSettings(Remembered());
    event->accept();
}

RememberedWidgets CMigratorDlg::Remembered() { return {this, trees_, output_, output_->taskList()}; }

void CMigratorDlg::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    status_->FitPanes(width());
}

// A press on a free spot of the window (one no child took) drags the window.
void CMigratorDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) windowDrag_ = std::make_pair(event->globalPosition().toPoint(), pos());
    QMainWindow::mousePressEvent(event);
}

void CMigratorDlg::mouseMoveEvent(QMouseEvent* event) {
    if (windowDrag_ && (event->buttons() & Qt::LeftButton))
        move(windowDrag_->second + event->globalPosition().toPoint() - windowDrag_->first);
    QMainWindow::mouseMoveEvent(event);
}

void CMigratorDlg::mouseReleaseEvent(QMouseEvent* event) {
    windowDrag_.reset();
    QMainWindow::mouseReleaseEvent(event);
}

// Enter and Escape anywhere in the window go to their widget as usual. On the way
// they tell the target tree whether its label edit is committed: only an Enter
// typed into the open label editor commits it.
bool CMigratorDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const bool inLabelEditor = targetView_->editingLabel() && targetView_->viewport()->isAncestorOf(widget);
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && inLabelEditor)
                program_.sides().target().tree().SetRenameCommit(true);
            if (key == Qt::Key_Escape) program_.sides().target().tree().SetRenameCommit(false);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMigratorDlg::ShowOutputLine(const app::OutputLine& line) { output_->log()->AppendLine(line); }

void CMigratorDlg::ShowTip(const std::string&, const std::string& helpPageText) {
    output_->ShowHelpText(Text(helpPageText));
}

void CMigratorDlg::ShowTipsPage(bool shown) { output_->ShowTipsPage(shown); }

// The engine's status and the task rows change together, so that no row reads Working
// beside "NO PROCESSING!!!".
void CMigratorDlg::SetStatusText(app::StatusPane pane, const std::string& text) {
    status_->SetText(pane, Text(text));
    if (pane == app::StatusPane::Engine) output_->taskList()->RefreshLiveCells();
}

app::MessageAnswer CMigratorDlg::ShowMessageBox(const app::MessageBoxRequest& request) { return boxes_.Show(request); }

std::optional<std::filesystem::path> CMigratorDlg::ChooseFolder(const std::string& title,
                                                                const std::filesystem::path& startFolder) {
    return boxes_.ChooseFolder(title, startFolder);
}

std::optional<std::filesystem::path> CMigratorDlg::ChooseFile(const app::FileChooserRequest& request) {
    return boxes_.ChooseFile(request);
}

void CMigratorDlg::RedrawTree(TreeSide side) {
    const bool source = side == TreeSide::Source;
    (source ? sourceView_ : targetView_)->Redraw();
    ShowFolderTitles();
}

void CMigratorDlg::ShowFolderTitles() {
    for (const auto& [side, title] : folderTitles_) {
        const bool source = side == TreeSide::Source;
        // The published copy: a running task may be rewriting the live settings.
        const std::string dbms = program_.sides().of(source ? browser::kSourceSide : browser::kTargetSide)
                                     .published()
                                     .settings.dbmsName;
        const QString family = source ? "Access" : "Excel";
        title->setText(dbms.empty() ? family : family + " - " + Text(dbms));
    }
}

void CMigratorDlg::RebuildTaskList() { TimerTick(); }

void CMigratorDlg::ShowStartStopButton(const app::StartStopButton& button) {
    output_->taskList()->ShowStartStopButton(button);
}

void CMigratorDlg::PostCommand(int commandId) {
    QMetaObject::invokeMethod(this, [this, commandId] { RouteCommand(commandId); }, Qt::QueuedConnection);
}

}  // namespace tabvex::gui
