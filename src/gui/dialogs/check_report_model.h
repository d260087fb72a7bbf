// A check's report as a table model: one row per table (its name, rows, sheet and
// outlook), green when it would arrive whole and red when it would not.
#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include "check/source_check.h"

namespace tabvex::gui {

inline const QColor kWholeRowColour(212, 240, 212);
inline const QColor kNotWholeRowColour(246, 208, 208);

class CheckReportModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { TableColumn, RowsColumn, SheetColumn, OutlookColumn, ColumnCount };

    CheckReportModel(const check::CheckReport& report, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString Text(const check::TableCheck& table, int column) const;

    const check::CheckReport& report_;
};

}  // namespace tabvex::gui
