// The main window (CMigratorDlg): menu bar, mini tool bar, the two trees side by
// side, the output pane and the status bar over the shell::Program, its non-visual half.
// Every command goes through one command table; the handlers call the core's
// commands. The window carries out the UserInterface calls on its own thread
// (through QtUserInterface, which also waits for the worker's calls).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <QUrl>
#include <QSplitter>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "gui/dialogs/web_address.h"
#include "gui/window/command_table.h"
#include "gui/window/db_tree_view.h"
#include "gui/window/help_window.h"
#include "gui/window/main_menu.h"
#include "gui/window/message_boxes.h"
#include "gui/window/output_pane.h"
#include "gui/window/qt_user_interface.h"
#include "gui/window/status_line.h"
#include "gui/window/window_settings.h"
#include "shell/program.h"

namespace tabvex::gui {

class CMigratorDlg : public QMainWindow, private app::UserInterface {
    Q_OBJECT
public:
    // folders: where migrator.cfg, Condition.cfg, data_cache and backup live.
    explicit CMigratorDlg(com::ProgramFolders folders, QWidget* parent = nullptr);
    ~CMigratorDlg() override;

    shell::Program& program() { return program_; }
    MessageBoxes& messageBoxes() { return boxes_; }
    MainMenu& mainMenu() const { return *menu_; }
    CDBTreeView* sourceTreeView() const { return sourceView_; }
    CDBTreeView* targetTreeView() const { return targetView_; }
    OutputPane* outputPane() const { return output_; }
    QSplitter* treesSplitter() const { return trees_; }
    StatusLine* statusLine() const { return status_; }
    QLabel* folderTitle(app::TreeSide side) const;
    // The mini tool bar's button of that command id.
    QToolButton* toolButton(int commandId) const;

    // Routes a command id as a menu entry or button would.
    void RouteCommand(int commandId);
    // Runs the timer's tick now (clock, task list rebuild when due).
    void TimerTick();
    // How the window's own modal dialogs run (exec() unless set); returns the result.
    void SetDialogRunner(std::function<int(QDialog&)> runner) { dialogRunner_ = std::move(runner); }
    // How the manual and the web page are opened (the desktop's handler unless set); false
    // when nothing could open it: the manual then opens in the help window, the web page's
    // address shows in a box.
    void SetUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }
    // The program's own help window, once the manual had to open there.
    HelpWindow* helpWindow() const { return helpWindow_; }

signals:
    // Every command as it is routed, in order (posted ones when their turn comes).
    void commandRouted(int commandId);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The UserInterface port, on the window's thread.
    void ShowOutputLine(const app::OutputLine& line) override;
    void ShowTip(const std::string& tip, const std::string& helpPageText) override;
    void ShowTipsPage(bool shown) override;
    void SetStatusText(app::StatusPane pane, const std::string& text) override;
    app::MessageAnswer ShowMessageBox(const app::MessageBoxRequest& request) override;
    std::optional<std::filesystem::path> ChooseFolder(const std::string& title,
                                                      const std::filesystem::path& startFolder) override;
    std::optional<std::filesystem::path> ChooseFile(const app::FileChooserRequest& request) override;
    void RedrawTree(app::TreeSide side) override;
    void RebuildTaskList() override;
    void ShowStartStopButton(const app::StartStopButton& button) override;
    void PostCommand(int commandId) override;

    QWidget* BuildMiniToolBar();
    QWidget* BuildTrees();
    QWidget* BuildFolder(app::TreeSide side, CDBTreeView* view);
    void ConnectTreeView(CDBTreeView* view);
    void BuildCommandTable();
    void ShowTreeContextMenu(CDBTreeView* view, browser::NodeId underPointer, const QPoint& globalPos);
    void RouteTaskStripCommand(int commandId);
    void Migrate();
    void OpenManual();
    void SaveLog();
    void ShowHelpWindow(const QUrl& page);
    void OpenWebsite();
    void ShowAbout();
    void OpenConfigDialog();
    void OpenDriverCheck();
    // The Check command on a tree (check::OpenCheckDialog decides and refuses).
    void OpenCheck(browser::DbTree& tree);
    void Exit();
    CDBTreeView* ViewOf(const browser::DbTree& tree) const;
    // Each folder title names its family and, once connected, the side's DBMS.
    void ShowFolderTitles();
    RememberedWidgets Remembered();

    MessageBoxes boxes_;
    QtUserInterface host_;
    shell::Program program_;
    CommandTable commands_;
    MainMenu* menu_ = nullptr;
    CDBTreeView* sourceView_ = nullptr;
    CDBTreeView* targetView_ = nullptr;
    QSplitter* trees_ = nullptr;
    std::map<app::TreeSide, QLabel*> folderTitles_;
    std::map<int, QToolButton*> toolButtons_;
    OutputPane* output_ = nullptr;
    StatusLine* status_ = nullptr;
    QTimer clock_;
    std::function<int(QDialog&)> dialogRunner_ = [](QDialog& dialog) { return dialog.exec(); };
    UrlOpener urlOpener_ = OpenWithDesktop;
    HelpWindow* helpWindow_ = nullptr;
    // Where a drag of the window by a free spot started (global position, window position).
    std::optional<std::pair<QPoint, QPoint>> windowDrag_;
};

}  // namespace tabvex::gui
