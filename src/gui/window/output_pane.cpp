#include "gui/window/output_pane.h"

#include "gui/window/window_icons.h"

namespace tabvex::gui {

OutputPane::OutputPane(const QString& helpText, QWidget* parent)
    : QTabWidget(parent), log_(new LogView(this)), taskList_(new TaskListPage(this)), helpPage_(new QTextEdit(this)) {
    setObjectName("Output");
    helpPage_->setReadOnly(true);
    QFont bold = helpPage_->font();
    bold.setPointSize(12);
    bold.setBold(true);
    helpPage_->setFont(bold);
    helpPage_->setStyleSheet("QTextEdit { color: rgb(255, 0, 0); }");
    helpPage_->setPlainText(helpText);
    addTab(log_, OutputTabIcon(0), "Log");
    addTab(taskList_, OutputTabIcon(1), "Task List");
    helpPage_->hide();  // its tab comes with Display Tips
    setCurrentWidget(taskList_);
}

void OutputPane::ShowTipsPage(bool shown) {
    if (shown == tipsPageShown()) return;
    if (shown) {
        addTab(helpPage_, OutputTabIcon(2), "Tips");
    } else {
        removeTab(indexOf(helpPage_));
    }
}

void OutputPane::ShowHelpText(const QString& text) {
    helpPage_->setPlainText(text);
    if (tipsPageShown()) setCurrentWidget(helpPage_);
}

}  // namespace tabvex::gui
