// Draws each task's progress bar over its row's "Progress" cell: a smooth bar in the
// task list's blue on a sunken frame, with the row figures (rows copied, rate, time
// left) written over it.
#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace tabvex::gui {

inline const QColor kTaskBarColour{27, 156, 213};

class ProgressBarDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tabvex::gui
