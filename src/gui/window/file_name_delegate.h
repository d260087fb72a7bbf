// Shows a cell holding a file's full path by the file's name alone; the whole path
// is the cell's tool tip.
#pragma once

#include <QStyledItemDelegate>

namespace tabvex::gui {

class FileNameDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

}  // namespace tabvex::gui
