// The field above a tree that finds a table: what is typed filters the tree at
// once (tables, views and fields whose names hold the text, with their folders);
// Escape or the clear button empties it and shows the whole tree again.
#pragma once

#include <QLineEdit>

namespace tabvex::gui {

class CDBTreeView;

class TreeFilterField : public QLineEdit {
    Q_OBJECT
public:
    TreeFilterField(CDBTreeView* view, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tabvex::gui
