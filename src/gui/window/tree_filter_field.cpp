#include "gui/window/tree_filter_field.h"

#include <QKeyEvent>

#include "gui/window/db_tree_view.h"

namespace tabvex::gui {

TreeFilterField::TreeFilterField(CDBTreeView* view, QWidget* parent) : QLineEdit(parent) {
    setObjectName(view->objectName() + "Filter");
    setPlaceholderText("Find a table, view or field");
    setClearButtonEnabled(true);
    connect(this, &QLineEdit::textChanged, view, &CDBTreeView::SetFilter);
}

void TreeFilterField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace tabvex::gui
