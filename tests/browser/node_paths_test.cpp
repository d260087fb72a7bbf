// Node paths: the key that finds the same node again after a refill renumbered it.
#include "browser/node_paths.h"

#include <gtest/gtest.h>

namespace tabvex::browser {
namespace {

TEST(NodePathKeysTest, KeysFollowTheTextsFromTheRootAndSkipRemovedSubtrees) {
    std::vector<TreeNode> nodes{
        {TreeNodeKind::Root, "Excel", kNoNode, {1}, true},
        {TreeNodeKind::Database, "/d/book", 0, {2, 4}, true},
        {TreeNodeKind::TablesFolder, "Tables", 1, {3}, false},
        {TreeNodeKind::Table, "Sales", 2, {}, false},
        {TreeNodeKind::ViewsFolder, "Views", 1, {}, false},  // its view was removed:
        {TreeNodeKind::View, "Old", 4, {}, false},           // still points up, no longer a child
    };
    const auto keys = NodePathKeys(nodes);
    ASSERT_EQ(keys.size(), nodes.size());
    EXPECT_EQ(keys[0], "Excel");
    EXPECT_EQ(keys[3], "Excel\x1f/d/book\x1fTables\x1fSales");
    EXPECT_NE(keys[2], keys[4]);
    EXPECT_EQ(keys[5], "");

    // Same texts at another place, or other ids, give the keys of their own path.
    nodes[3].text = "Tables";
    EXPECT_NE(NodePathKeys(nodes)[3], keys[2]);
}

}  // namespace
}  // namespace tabvex::browser
