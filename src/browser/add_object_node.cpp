#include "browser/add_object_node.h"

#include "browser/schema_rows.h"

namespace tabvex::browser {

using namespace tabvex::oledb;

namespace {

// One field node per row of the object's COLUMNS rowset (restricted by TABLE_NAME).
bool AddFields(Session& session, TreeBuilder& tree, NodeId fieldsFolder, const std::string& name) {
    SchemaRows rows;
    if (Failed(rows.Open(session, DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, name}, {"COLUMN_NAME"})))
        return false;
    while (rows.Next()) tree.Insert(TreeNodeKind::Field, std::string(rows.text(0)), fieldsFolder);
    return true;
}

std::string_view TrimRight(std::string_view text) {
    const auto last = text.find_last_not_of(" \t\r\n\v\f");
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// One index node per row of the INDEXES rowset (TABLE_NAME is its fifth
// restriction): an index over several columns has a row, and so a node, per column.
void AddIndexes(Session& session, TreeBuilder& tree, NodeId indexesFolder, const std::string& name) {
    SchemaRows rows;
    if (Failed(rows.Open(session, DBSCHEMA_INDEXES, {std::nullopt, std::nullopt, std::nullopt, std::nullopt, name},
                         {"INDEX_NAME"})))
        return;
    while (rows.Next()) {
        const std::string_view index = TrimRight(rows.text(0));
        if (!index.empty()) tree.Insert(TreeNodeKind::Index, std::string(index), indexesFolder);
    }
}

}  // namespace

void AddObjectNode(Session& session, TreeBuilder& tree, TreeNodeKind kind, const std::string& name) {
    auto& remembered = tree.remembered;
    if (kind == TreeNodeKind::Table) {
        remembered.lastTable = tree.Insert(TreeNodeKind::Table, name, remembered.tablesFolder);
        remembered.fieldsFolder = tree.Insert(TreeNodeKind::FieldsFolder, "Fields", remembered.lastTable);
        remembered.indexesFolder = tree.Insert(TreeNodeKind::IndexesFolder, "Indexes", remembered.lastTable);
        if (AddFields(session, tree, remembered.fieldsFolder, name))
            AddIndexes(session, tree, remembered.indexesFolder, name);
    } else if (kind == TreeNodeKind::View) {
        remembered.lastView = tree.Insert(TreeNodeKind::View, name, remembered.viewsFolder);
        remembered.fieldsFolder = tree.Insert(TreeNodeKind::FieldsFolder, "Fields", remembered.lastView);
        AddFields(session, tree, remembered.fieldsFolder, name);
    }
}

}  // namespace tabvex::browser
