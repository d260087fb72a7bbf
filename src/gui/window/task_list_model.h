// The Task List page's rows as a table model over the rows the task list view
// builds; column 1 carries the task's progress for the bar drawn over it.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "tasks/task_list_view.h"

namespace tabvex::gui {

class TaskListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kProgressColumn = 1;
    static constexpr int kProgressRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<tasks::TaskListRow> rows);
    const std::vector<tasks::TaskListRow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<tasks::TaskListRow> rows_;
};

}  // namespace tabvex::gui
