// The Task List page's rows as a table model over the rows the task list view
// builds; column 1 carries the task's progress for the bar drawn under its row
// figures. Between rebuilds the state and progress cells follow their tasks.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "tasks/task_list_view.h"

namespace tabvex::gui {

class TaskListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kProgressColumn = static_cast<int>(tasks::kProgressColumn);
    static constexpr int kStateColumn = static_cast<int>(tasks::kStateColumn);
    static constexpr int kProgressRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<tasks::TaskListRow> rows);
    // Takes every task's state and progress into its row again and reports the
    // cells that changed; the rows themselves stay.
    void RefreshLiveCells();
    const std::vector<tasks::TaskListRow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<tasks::TaskListRow> rows_;
};

}  // namespace tabvex::gui
