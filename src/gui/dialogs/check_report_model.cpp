#include "gui/dialogs/check_report_model.h"

#include "check/check_text.h"
#include "tasks/task_row_figures.h"

namespace tabvex::gui {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CheckReportModel::CheckReportModel(const check::CheckReport& report, QObject* parent)
    : QAbstractTableModel(parent), report_(report) {}

int CheckReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(report_.tables.size());
}

int CheckReportModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString CheckReportModel::Text(const check::TableCheck& table, int column) const {
    switch (column) {
        case TableColumn: return Q(table.table);
        case RowsColumn: return Q(tasks::GroupedNumber(table.rows));
        case SheetColumn: return Q(table.sheet);
        case OutlookColumn: return Q(check::TableOutlook(table));
        default: return {};
    }
}

QVariant CheckReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const check::TableCheck& table = report_.tables[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return Text(table, index.column());
        case Qt::BackgroundRole: return table.whole() ? kWholeRowColour : kNotWholeRowColour;
        case Qt::ForegroundRole: return QColor(Qt::black);
        case Qt::TextAlignmentRole:
            return index.column() == RowsColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        default: return {};
    }
}

QVariant CheckReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeadings[ColumnCount] = {"Table", "Rows", "Sheet", "Outcome"};
    return section >= 0 && section < ColumnCount ? QVariant(kHeadings[section]) : QVariant();
}

}  // namespace tabvex::gui
