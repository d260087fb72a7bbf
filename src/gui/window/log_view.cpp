#include "gui/window/log_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QStyle>
#include <QMenu>
#include <algorithm>

namespace tabvex::gui {

LogView::LogView(QWidget* parent)
    : QTableView(parent), copy_(new QAction("Copy", this)), save_(new QAction("Save Log As...", this)),
      errorsOnly_(new QAction("Errors Only", this)) {
    setObjectName("Log");
    setModel(&model_);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    // A reset (Errors Only, old lines trimmed) forgets the width: measure the lines in sight.
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] { resizeColumnToContents(0); });
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    copy_->setShortcut(QKeySequence::Copy);
    copy_->setShortcutContext(Qt::WidgetShortcut);
    addAction(copy_);
    errorsOnly_->setCheckable(true);
    connect(copy_, &QAction::triggered, this, &LogView::CopySelection);
    connect(save_, &QAction::triggered, this, &LogView::saveWanted);
    connect(errorsOnly_, &QAction::toggled, this, &LogView::SetErrorsOnly);
}

void LogView::AppendLine(const app::OutputLine& line) {
    if (!model_.Append(line)) return;
    WidenFor(QString::fromStdString(line.text));
    SelectNewest();
}

void LogView::WidenFor(const QString& text) {
    const int wanted = fontMetrics().horizontalAdvance(text) + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    if (wanted > columnWidth(0)) setColumnWidth(0, wanted);
}

// The newest line is the one selected; in a multi-line list a plain setCurrentIndex
// would add it to the selection, until every line was.
void LogView::SelectNewest() {
    if (model_.rowCount() == 0) return;
    const QModelIndex newest = model_.index(model_.rowCount() - 1);
    selectionModel()->setCurrentIndex(newest, QItemSelectionModel::ClearAndSelect);
    scrollTo(newest);
}

QString LogView::SelectedText() const {
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& row : rows) lines << row.data().toString();
    return lines.join('\n');
}

void LogView::SetErrorsOnly(bool errorsOnly) {
    if (errorsOnly_->isChecked() != errorsOnly) {
        errorsOnly_->setChecked(errorsOnly);  // its toggled signal comes back here
        return;
    }
    model_.SetErrorsOnly(errorsOnly);
    SelectNewest();
}

void LogView::contextMenuEvent(QContextMenuEvent* event) {
    copy_->setEnabled(selectionModel()->hasSelection());
    QMenu menu(this);
    menu.addAction(copy_);
    menu.addAction(save_);
    menu.addSeparator();
    menu.addAction(errorsOnly_);
    menu.exec(event->globalPos());
}

QModelIndex LogView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void LogView::CopySelection() const {
    if (selectionModel()->hasSelection()) QApplication::clipboard()->setText(SelectedText());
}

}  // namespace tabvex::gui
