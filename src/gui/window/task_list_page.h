// The "Task List" page: a tool strip of five buttons above a report list of the
// tasks with one progress bar per task. A rebuild keeps the selected row and the
// scroll position; between rebuilds a fast timer shows each task's state and
// progress as they change. Columns fit their content until the person sizes
// one; path columns show file names, the whole path in the tool tip.
#pragma once

#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <map>
#include <vector>

#include "app/user_interface.h"
#include "gui/window/task_list_model.h"

namespace tabvex::gui {

class TaskListPage : public QWidget {
    Q_OBJECT
public:
    explicit TaskListPage(QWidget* parent = nullptr);

    // Keeps the selection and scroll position; a new task at the end is scrolled to.
    void Rebuild(std::vector<tasks::TaskListRow> rows);
    // Shows each task's state and progress now, as the page's own timer does.
    void RefreshLiveCells();
    // The selected row, or -1.
    int selectedRow() const;
    void SelectRow(int row);
    void ShowStartStopButton(const app::StartStopButton& button);
    // The columns' widths as the person left them, to be remembered between runs.
    QByteArray ColumnWidths() const;
    void RestoreColumnWidths(const QByteArray& widths);

    QTableView* list() const { return list_; }
    const TaskListModel& model() const { return *model_; }
    // The tool strip's button of that command id.
    QToolButton* tool(int commandId) const;

signals:
    void commandTriggered(int commandId);

private:
    void SizeColumns();

    TaskListModel* model_;
    QTableView* list_;
    QTimer liveCells_;
    std::map<int, QToolButton*> tools_;
    bool sizingColumns_ = false;       // the page itself is setting the widths
    bool personSizedColumns_ = false;  // widths from the person (or a restored state) stay
};

}  // namespace tabvex::gui
