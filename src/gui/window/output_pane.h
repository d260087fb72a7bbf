// The output pane: the "Log" page, the "Task List" page and the help page, whose
// "Tips" tab is there only while the Display Tips option is on.
#pragma once

#include <QTabWidget>
#include <QTextEdit>

#include "gui/window/log_view.h"
#include "gui/window/task_list_page.h"

namespace tabvex::gui {

class OutputPane : public QTabWidget {
    Q_OBJECT
public:
    explicit OutputPane(const QString& helpText, QWidget* parent = nullptr);

    LogView* log() const { return log_; }
    TaskListPage* taskList() const { return taskList_; }
    QTextEdit* helpPage() const { return helpPage_; }

    bool taskListInFront() const { return currentWidget() == taskList_; }
    bool tipsPageShown() const { return indexOf(helpPage_) >= 0; }
    void ShowTipsPage(bool shown);
    // The help page now reads `text`; it comes to front when its tab is there.
    void ShowHelpText(const QString& text);

private:
    LogView* log_;
    TaskListPage* taskList_;
    QTextEdit* helpPage_;
};

}  // namespace tabvex::gui
