// The trees as a person keeps using them: a refill leaves the open nodes open, the
// selection selected and the scroll position where they were, as far as the same
// nodes still exist.
#include <QScrollBar>
#include <set>

#include "gui/window/window_test_support.h"

namespace tabvex::gui::testing {
namespace {

using browser::kNoNode;
using browser::NodeId;
using browser::TreeNode;
using browser::TreeNodeKind;

// A workbook's tree as a fill builds it: root, database, the Tables folder, each
// table with its Fields folder and fields.
class TreeShape {
public:
    TreeShape() {
        Add(TreeNodeKind::Root, "Excel", kNoNode, true);
        Add(TreeNodeKind::Database, "/d/book", 0, true);
        tables_ = Add(TreeNodeKind::TablesFolder, "Tables", 1, false);
    }
    void AddTable(const std::string& name, const std::vector<std::string>& fields) {
        const NodeId table = Add(TreeNodeKind::Table, name, tables_, false);
        const NodeId folder = Add(TreeNodeKind::FieldsFolder, "Fields", table, false);
        for (const auto& field : fields) Add(TreeNodeKind::Field, field, folder, false);
    }
    std::vector<TreeNode> nodes;

private:
    NodeId Add(TreeNodeKind kind, const std::string& text, NodeId parent, bool expanded) {
        const NodeId id = nodes.size();
        nodes.push_back({kind, text, parent, {}, expanded});
        if (parent != kNoNode) nodes[parent].children.push_back(id);
        return id;
    }
    NodeId tables_ = kNoNode;
};

std::string TableName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "T%03d", i);
    return name;
}

// Tables T000..T(count-1) but those skipped, each with the fields Id and Name.
TreeShape NumberedTables(int count, const std::set<int>& skipped = {}) {
    TreeShape shape;
    for (int i = 0; i < count; ++i)
        if (!skipped.count(i)) shape.AddTable(TableName(i), {"Id", "Name"});
    return shape;
}

class TreePlaceWindowTest : public WindowTest {
protected:
    CDBTreeView& view() { return *window->targetTreeView(); }
    browser::DbTree& tree() { return migrator().targetTree(); }

    // Puts the nodes in place as a fill does and has the window redraw the tree.
    void Fill(const TreeShape& shape) {
        tree().ReplaceNodes(shape.nodes, {});
        migrator().ui().RedrawTree(app::TreeSide::Target);
    }

    NodeId Find(const std::string& text, TreeNodeKind kind = TreeNodeKind::Table) {
        const auto& nodes = view().treeModel()->nodes();
        for (NodeId id = 0; id < nodes.size(); ++id)
            if (nodes[id].kind == kind && nodes[id].text == text) return id;
        return kNoNode;
    }
    NodeId FieldsOf(const std::string& table) { return view().treeModel()->nodes()[Find(table)].children.front(); }

    bool Expanded(NodeId id) { return view().isExpanded(view().treeModel()->IndexOf(id)); }
    std::string TopText() { return view().treeModel()->nodes()[view().NodeAt(QPoint(1, 1))].text; }

};

TEST_F(TreePlaceWindowTest, ARefillKeepsOpenNodesSelectionAndScrollWhereTheNodesStillExist) {
    window->resize(840, 660);
    Fill(NumberedTables(300));
    view().collapse(view().treeModel()->IndexOf(0));  // the person closes the root ...
    view().expand(view().treeModel()->IndexOf(2));    // ... after opening the Tables folder
    view().expand(view().treeModel()->IndexOf(Find("T050")));
    view().expand(view().treeModel()->IndexOf(FieldsOf("T050")));
    view().expand(view().treeModel()->IndexOf(0));
    view().SelectNode(Find("T120"));
    view().scrollTo(view().treeModel()->IndexOf(Find("T100")), QAbstractItemView::PositionAtTop);
    ASSERT_EQ(TopText(), "T100");

    // A migration added a table, a drop took one away: every id after it moved.
    Fill(NumberedTables(301, {10}));
    EXPECT_TRUE(Expanded(Find("T050")));
    EXPECT_TRUE(Expanded(FieldsOf("T050")));
    EXPECT_FALSE(Expanded(Find("T051")));
    EXPECT_EQ(view().selectedNode(), Find("T120"));
    EXPECT_EQ(tree().selected(), Find("T120")) << "the commands act on the node the person sees selected";
    EXPECT_EQ(TopText(), "T100");

    // A node that is gone leaves nothing selected; a tree closed by the person stays closed.
    view().SelectNode(Find("T200"));
    view().collapse(view().treeModel()->IndexOf(0));
    Fill(NumberedTables(301, {10, 200}));
    EXPECT_EQ(view().selectedNode(), kNoNode);
    EXPECT_FALSE(Expanded(0)) << "the fill's wish to open the root yields to the person";
    EXPECT_TRUE(Expanded(Find("T050")));
}

}  // namespace
}  // namespace tabvex::gui::testing
