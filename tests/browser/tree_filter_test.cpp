#include "browser/tree_filter.h"

#include <gtest/gtest.h>

namespace tabvex::browser {
namespace {

// root > database > Tables > {Customers > Fields > {City}, Orders > Fields > {Cust}}
std::vector<TreeNode> Shop() {
    std::vector<TreeNode> nodes{{TreeNodeKind::Root, "shop.mdb", kNoNode, {1}},
                                {TreeNodeKind::Database, "shop", 0, {2}},
                                {TreeNodeKind::TablesFolder, "Tables", 1, {3, 6}},
                                {TreeNodeKind::Table, "Customers", 2, {4}},
                                {TreeNodeKind::FieldsFolder, "Fields", 3, {5}},
                                {TreeNodeKind::Field, "City", 4, {}},
                                {TreeNodeKind::Table, "Orders", 2, {7}},
                                {TreeNodeKind::FieldsFolder, "Fields", 6, {8}},
                                {TreeNodeKind::Field, "Cust", 7, {}}};
    return nodes;
}

TEST(TreeFilterTest, MatchesShowTheirFoldersAndAMatchingTableItsWholeBranch) {
    const auto contains = [](const std::string& text) {
        return [text](const std::string& name) { return name.find(text) != std::string::npos; };
    };
    const TreeFilter cust = FilterTree(Shop(), true, contains("Cust"));
    EXPECT_EQ(cust.matched, (std::vector<bool>{false, false, false, true, false, false, false, false, true}));
    EXPECT_EQ(cust.shown, (std::vector<bool>(9, true))) << "Customers' branch whole, and Orders above its field";

    const TreeFilter city = FilterTree(Shop(), true, contains("City"));
    EXPECT_EQ(city.shown, (std::vector<bool>{true, true, true, true, true, true, false, false, false}));
    // Folder names never match; without matches only the top stays.
    EXPECT_EQ(FilterTree(Shop(), true, contains("Fields")).shown,
              (std::vector<bool>{true, false, false, false, false, false, false, false, false}));
    EXPECT_EQ(FilterTree(Shop(), false, contains("x")).shown, (std::vector<bool>(9, true)));
}

}  // namespace
}  // namespace tabvex::browser
