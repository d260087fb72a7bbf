#include "gui/window/progress_bar_delegate.h"

#include <QPainter>
#include <algorithm>

#include "gui/window/task_list_model.h"

namespace tabvex::gui {

void ProgressBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const QVariant progress = index.data(TaskListModel::kProgressRole);
    if (!progress.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QRect frame = option.rect.adjusted(1, 1, -2, -2);
    painter->save();
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->setBrush(option.palette.color(QPalette::Base));
    painter->drawRect(frame);
    const int percent = std::clamp(progress.toInt(), 0, 100);
    QRect bar = frame.adjusted(1, 1, 0, 0);
    bar.setWidth(bar.width() * percent / 100);
    painter->fillRect(bar, kTaskBarColour);
    const QString figures = index.data(Qt::DisplayRole).toString().trimmed();
    if (!figures.isEmpty()) {
        painter->setPen(option.palette.color(QPalette::Text));
        const QRect textArea = frame.adjusted(4, 0, -4, 0);
        painter->drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft,
                          option.fontMetrics.elidedText(figures, Qt::ElideRight, textArea.width()));
    }
    painter->restore();
}

}  // namespace tabvex::gui
