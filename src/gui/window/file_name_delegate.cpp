#include "gui/window/file_name_delegate.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QHelpEvent>
#include <QToolTip>

namespace tabvex::gui {

QString FileNameDelegate::displayText(const QVariant& value, const QLocale& locale) const {
    const QString path = value.toString();
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? QStyledItemDelegate::displayText(value, locale) : name;
}

bool FileNameDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString path = index.data(Qt::DisplayRole).toString();
    if (path.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(event->globalPos(), path, view);
    return true;
}

}  // namespace tabvex::gui
