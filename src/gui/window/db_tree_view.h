// A database tree as the person sees it (CDBTreeView): node images, the selection
// that sets the window's menus, context menus, double click, the source tree's tool
// tip, drag and drop between the trees, and label editing on the target tree. A
// redraw keeps the person's place (open nodes, selection, scroll position); a
// filter shows only the tables, views and fields whose names hold its text. The
// view decides nothing itself: it reports what happened as signals.
#pragma once

#include <QMimeData>
#include <QTreeView>
#include <memory>
#include <optional>
#include <vector>

#include "gui/window/db_tree_model.h"
#include "gui/window/tree_place.h"

namespace tabvex::gui {

class CDBTreeView : public QTreeView {
    Q_OBJECT
public:
    static constexpr const char* kNodeMimeType = "application/x-tabvex-tree-node";
    // Dropping within this many pixels of the right edge drops onto the root.
    static constexpr int kRootDropMargin = 70;

    CDBTreeView(browser::DbTree& tree, QWidget* parent = nullptr);

    DbTreeModel* treeModel() const { return model_; }
    browser::DbTree& tree() const { return model_->tree(); }
    // Takes the tree's nodes again; the nodes still there keep their place.
    void Redraw();
    void SelectNode(browser::NodeId id);
    // The selected node, or kNoNode.
    browser::NodeId selectedNode() const;
    // Shows only the tables, views and fields whose names hold `text` (without regard
    // to case), with the nodes above them and everything under a matching table or
    // view; empty text shows every node again as it was before the filter.
    void SetFilter(const QString& text);
    const QString& filter() const { return filter_; }
    // Starts editing the selected node's label (target tree).
    void EditSelectedLabel();
    // Whether a label editor is open.
    bool editingLabel() const { return state() == EditingState; }
    // What a drag from this tree carries: the side it started on.
    std::unique_ptr<QMimeData> DragData() const;
    browser::NodeId NodeAt(const QPoint& viewportPoint) const;

signals:
    void nodeSelected(browser::NodeId id);
    void contextMenuWanted(browser::NodeId underPointer, const QPoint& globalPos);
    void nodeDoubleClicked(browser::NodeId id);
    void nodeHovered(browser::NodeId id);
    // A drag from either tree was dropped here, onto `highlighted`.
    void dropped(browser::NodeId highlighted);

protected:
    using QTreeView::edit;
    // A label editor opens (F2, a slow second click on the selected table, Rename
    // Table): only an Enter typed into this editor commits it.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ApplyFilter();
    // The node a drag over that point highlights: the node under it, else the root.
    browser::NodeId DropNodeAt(const QPoint& viewportPoint);

    DbTreeModel* model_;
    QString filter_;
    std::vector<bool> hidden_;               // per node: its row is hidden by the filter
    std::optional<TreePlace> beforeFilter_;  // where the tree was when the filter began
};

}  // namespace tabvex::gui
