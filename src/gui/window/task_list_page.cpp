#include "gui/window/task_list_page.h"

#include <QHeaderView>
#include <algorithm>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "gui/window/file_name_delegate.h"
#include "gui/window/progress_bar_delegate.h"
#include "gui/window/window_icons.h"

namespace tabvex::gui {

namespace {
// Well under the 200 ms in which a task's start and end should show.
constexpr int kLiveCellsInterval = 100;

// "Source DB" and "Target DB" hold full paths.
constexpr int kPathColumns[] = {5, 8};
constexpr int kHeadingPadding = 15;
constexpr int kWidestColumn = 320;

// The state and progress cells change between rebuilds: they are sized for the
// widest text they show, not for the text of the moment.
int WidestLiveText(int column, const QFontMetrics& metrics) {
    QStringList texts;
    if (column == TaskListModel::kStateColumn) {
        for (auto state : {tasks::TaskStateText::Waiting, tasks::TaskStateText::Working, tasks::TaskStateText::Success,
                           tasks::TaskStateText::Failure})
            texts << QString::fromLatin1(tasks::StateTextOf(state));
    } else if (column == TaskListModel::kProgressColumn) {
        texts << "1,800,000 of 1,800,000 rows, 200,000 rows/s, 59 min 59 s left";
    }
    int widest = 0;
    for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text) + kHeadingPadding);
    return widest;
}

}  // namespace

TaskListPage::TaskListPage(QWidget* parent)
    : QWidget(parent), model_(new TaskListModel(this)), list_(new QTableView(this)) {
    setObjectName("TasksViewer");
    auto* strip = new QToolBar(this);
    strip->setIconSize(QSize(16, 16));
    for (const auto& tool : tasks::kTaskListTools) {
        auto* button = new QToolButton(strip);
        button->setIcon(TaskToolIcon(tool.image));
        button->setToolTip(QString::fromLatin1(tool.toolTip));
        button->setAutoRaise(true);
        strip->addWidget(button);
        tools_[tool.commandId] = button;
        connect(button, &QToolButton::clicked, this, [this, id = tool.commandId] { emit commandTriggered(id); });
    }
    list_->setModel(model_);
    list_->setItemDelegateForColumn(TaskListModel::kProgressColumn, new ProgressBarDelegate(list_));
    for (int column : kPathColumns) list_->setItemDelegateForColumn(column, new FileNameDelegate(list_));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setShowGrid(true);
    list_->setWordWrap(false);
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SizeColumns();
    connect(list_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!sizingColumns_) personSizedColumns_ = true;
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(list_);

    liveCells_.setInterval(kLiveCellsInterval);
    connect(&liveCells_, &QTimer::timeout, this, &TaskListPage::RefreshLiveCells);
    liveCells_.start();
}

void TaskListPage::RefreshLiveCells() {
    if (isVisible()) model_->RefreshLiveCells();
}

// Each column is as wide as its heading and its widest cell (a path column's file
// name, the progress figures), until the person sizes a column.
void TaskListPage::SizeColumns() {
    if (personSizedColumns_) return;
    sizingColumns_ = true;
    const QFontMetrics metrics = list_->horizontalHeader()->fontMetrics();
    for (int column = 0; column < model_->columnCount(); ++column) {
        const auto& spec = tasks::kTaskListColumns[static_cast<std::size_t>(column)];
        const int heading = metrics.horizontalAdvance(QString::fromLatin1(spec.heading)) + kHeadingPadding;
        const int content = static_cast<const QAbstractItemView*>(list_)->sizeHintForColumn(column);
        // The live figures are shown whole; other columns stop at a sensible width.
        const int width = std::max(std::clamp(content, heading, kWidestColumn), WidestLiveText(column, list_->fontMetrics()));
        list_->setColumnWidth(column, width);
    }
    sizingColumns_ = false;
}

QByteArray TaskListPage::ColumnWidths() const { return list_->horizontalHeader()->saveState(); }

void TaskListPage::RestoreColumnWidths(const QByteArray& widths) {
    if (widths.isEmpty()) return;
    sizingColumns_ = true;
    personSizedColumns_ = list_->horizontalHeader()->restoreState(widths);
    sizingColumns_ = false;
}

void TaskListPage::Rebuild(std::vector<tasks::TaskListRow> rows) {
    const int horizontal = list_->horizontalScrollBar()->value();
    const int vertical = list_->verticalScrollBar()->value();
    const int selected = selectedRow();
    const int before = model_->rowCount();
    model_->SetRows(std::move(rows));
    SizeColumns();
    list_->doItemsLayout();  // the scroll ranges fit the new rows before the places are set
    if (selected >= 0 && selected < model_->rowCount()) SelectRow(selected);
    list_->horizontalScrollBar()->setValue(horizontal);
    list_->verticalScrollBar()->setValue(vertical);
    // A task just queued comes into sight.
    if (model_->rowCount() > before) list_->scrollTo(model_->index(model_->rowCount() - 1, 0));
}

int TaskListPage::selectedRow() const {
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    if (!rows.isEmpty()) return rows.front().row();
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TaskListPage::SelectRow(int row) {
    list_->selectRow(row);
    list_->setCurrentIndex(model_->index(row, 0));
}

void TaskListPage::ShowStartStopButton(const app::StartStopButton& button) {
    QToolButton* startStop = tool(tasks::kTaskListTools.back().commandId);
    startStop->setIcon(TaskToolIcon(static_cast<int>(button.image)));
    startStop->setToolTip(QString::fromStdString(button.toolTip));
    startStop->repaint();
}

QToolButton* TaskListPage::tool(int commandId) const {
    const auto found = tools_.find(commandId);
    return found == tools_.end() ? nullptr : found->second;
}

}  // namespace tabvex::gui
