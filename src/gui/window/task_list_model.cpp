#include "gui/window/task_list_model.h"

namespace tabvex::gui {

void TaskListModel::SetRows(std::vector<tasks::TaskListRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void TaskListModel::RefreshLiveCells() {
    const std::int64_t now = adapters::SteadyMilliseconds();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!tasks::RefreshTaskListRow(rows_[i], now)) continue;
        const int row = static_cast<int>(i);
        emit dataChanged(index(row, kProgressColumn), index(row, kStateColumn));
    }
}

int TaskListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TaskListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(tasks::kTaskListColumns.size());
}

QVariant TaskListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const tasks::TaskListRow& row = rows_[static_cast<std::size_t>(index.row())];
    const QString text = QString::fromStdString(row.texts[static_cast<std::size_t>(index.column())]);
    if (role == Qt::DisplayRole) return text;
    // The row figures may be wider than their column.
    if (role == Qt::ToolTipRole && index.column() == kProgressColumn) return text.trimmed();
    if (role == kProgressRole && index.column() == kProgressColumn) return row.progress;
    return {};
}

QVariant TaskListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
    return QString::fromLatin1(tasks::kTaskListColumns[static_cast<std::size_t>(section)].heading);
}

}  // namespace tabvex::gui
