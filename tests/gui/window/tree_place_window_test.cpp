// The trees as a person keeps using them: a refill leaves the open nodes open, the
// selection selected and the scroll position where they were, as far as the same
// nodes still exist; the filter field above a tree finds tables, views and fields
// by a part of their names among a thousand tables.
#include <QKeyEvent>
#include <QScrollBar>
#include <set>

#include "gui/window/tree_filter_field.h"
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
    browser::DbTree& tree() { return program().sides().target().tree(); }

    // Puts the nodes in place as a fill does and has the window redraw the tree.
    void Fill(const TreeShape& shape) {
        tree().ReplaceNodes(shape.nodes, {});
        program().output().ui().RedrawTree(app::TreeSide::Target);
    }

    NodeId Find(const std::string& text, TreeNodeKind kind = TreeNodeKind::Table) {
        const auto& nodes = view().treeModel()->nodes();
        for (NodeId id = 0; id < nodes.size(); ++id)
            if (nodes[id].kind == kind && nodes[id].text == text) return id;
        return kNoNode;
    }
    NodeId FieldsOf(const std::string& table) { return view().treeModel()->nodes()[Find(table)].children.front(); }

    bool Expanded(NodeId id) { return view().isExpanded(view().treeModel()->IndexOf(id)); }
    bool Hidden(NodeId id) {
        const QModelIndex index = view().treeModel()->IndexOf(id);
        return view().isRowHidden(index.row(), index.parent());
    }
    std::string TopText() { return view().treeModel()->nodes()[view().NodeAt(QPoint(1, 1))].text; }

    TreeFilterField& filterField() { return *window->findChild<TreeFilterField*>("TargetTreeFilter"); }
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

TEST_F(TreePlaceWindowTest, TheFilterFindsTablesAndFieldsByAPartOfTheirNamesAndEscapeBringsTheTreeBack) {
    TreeShape shape = NumberedTables(1000);
    shape.AddTable("Customers", {"Id", "Name"});
    shape.AddTable("Orders", {"Id", "CustomerId", "Placed"});
    Fill(shape);
    ASSERT_FALSE(Expanded(2)) << "the Tables folder starts closed";

    QElapsedTimer clock;
    clock.start();
    filterField().setText("CUST");
    QCoreApplication::processEvents();  // the view lays out and paints the filtered tree
    const qint64 filterMs = clock.elapsed();
    std::printf("filter of %zu nodes: %lld ms\n", view().treeModel()->nodes().size(), static_cast<long long>(filterMs));

    EXPECT_FALSE(Hidden(Find("Customers")));
    EXPECT_FALSE(Hidden(Find("Orders"))) << "its field CustomerId matches";
    EXPECT_TRUE(Hidden(Find("T000")));
    EXPECT_TRUE(Hidden(Find("T999")));
    EXPECT_TRUE(Expanded(2)) << "the folder above the matches opens";
    const NodeId ordersFields = FieldsOf("Orders");
    EXPECT_TRUE(Expanded(ordersFields));
    const auto& nodes = view().treeModel()->nodes();
    EXPECT_FALSE(Hidden(nodes[ordersFields].children[1]));  // CustomerId
    EXPECT_TRUE(Hidden(nodes[ordersFields].children[0]));   // Id
    EXPECT_FALSE(Expanded(Find("Customers"))) << "a matching table stays closed, its fields one click away";
    EXPECT_FALSE(Hidden(nodes[FieldsOf("Customers")].children[0])) << "everything under a match is there";

    // Selecting a found table selects that node of the tree, for every command.
    view().SelectNode(Find("Orders"));
    EXPECT_EQ(tree().selected(), Find("Orders"));
    ASSERT_EQ(tree().node(tree().selected()).text, "Orders");

    // A refill while filtering keeps the filter.
    clock.restart();
    Fill(shape);
    QCoreApplication::processEvents();
    std::printf("redraw keeping place and filter: %lld ms\n", static_cast<long long>(clock.elapsed()));
    EXPECT_TRUE(Hidden(Find("T500")));
    EXPECT_FALSE(Hidden(Find("Customers")));

    filterField().setText("t5");
    EXPECT_FALSE(Hidden(Find("T500")));
    EXPECT_TRUE(Hidden(Find("Customers")));

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&filterField(), &escape);
    EXPECT_TRUE(filterField().text().isEmpty());
    EXPECT_FALSE(Hidden(Find("T000")));
    EXPECT_FALSE(Hidden(Find("Customers")));
    EXPECT_FALSE(Hidden(nodes[ordersFields].children[0]));
    EXPECT_FALSE(Expanded(FieldsOf("Orders"))) << "the nodes opened for the matches close again";
}

TEST_F(TreePlaceWindowTest, EachTreeHasItsFilterFieldAndAFilterWithoutMatchesShowsOnlyTheTop) {
    EXPECT_NE(window->findChild<TreeFilterField*>("SourceTreeFilter"), nullptr);
    Fill(NumberedTables(3));
    filterField().setText("zzz");
    EXPECT_FALSE(Hidden(0)) << "the root stays, so the tree is never a blank area";
    EXPECT_TRUE(Hidden(1));
    filterField().clear();
    EXPECT_FALSE(Hidden(1));
    EXPECT_TRUE(Expanded(1));
}

}  // namespace
}  // namespace tabvex::gui::testing
