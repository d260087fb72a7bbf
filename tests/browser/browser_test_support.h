// What the tree and condition suites share: a main window driven through the
// scripted host, sides connected straight through the Jet provider, fixture
// databases written by the Access writer, and statements run on a workbook.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browser/db_tree.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/oledb/command.h"
#include "shell/program.h"
#include "support/jet_connection.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"

namespace tabvex::browser::testing {

inline constexpr const char* kJet = "Microsoft.Jet.OLEDB.4.0";

class BrowserTest : public ::testing::Test {
protected:
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};

    // Opens the file into the tree's side and hands the tree its connection block,
    // as connecting does (an .xls as the Excel target, anything else as the Access
    // source).
    void Connect(DbTree& tree, const std::filesystem::path& file, std::string databaseName = {}) {
        auto& holder = tree.fixedSide() == kSourceSide ? program.sides().source().holder() : program.sides().target().holder();
        holder = test::OpenJetConnection(file);
        const int kind = file.extension() == ".xls" ? 5 : 4;
        tree.SetConnection({&holder, std::move(databaseName), kJet, kind, "", ""});
    }

    // The first node with this kind and text, or kNoNode.
    static NodeId FindNode(const DbTree& tree, TreeNodeKind kind, const std::string& text) {
        const auto nodes = tree.nodes();
        for (NodeId id = 0; id < nodes.size(); ++id)
            if (nodes[id].kind == kind && nodes[id].text == text) return id;
        return kNoNode;
    }

    // The texts of a node's children.
    static std::vector<std::string> ChildTexts(const DbTree& tree, NodeId id) {
        std::vector<std::string> texts;
        for (NodeId child : tree.node(id).children) texts.push_back(tree.node(child).text);
        return texts;
    }
};

inline mdb::ColumnSpec LongColumn(const std::string& name) { return {name, mdb::JetType::Long, 0}; }
inline mdb::ColumnSpec TextColumn(const std::string& name) { return {name, mdb::JetType::Text, 40}; }

// Runs statements on a workbook through the Jet provider's Excel ISAM; fails the
// test when one fails. The workbook is written when the session closes.
inline void RunOnWorkbook(const std::filesystem::path& workbook, const std::vector<std::string>& statements) {
    auto holder = test::OpenJetConnection(workbook);
    ASSERT_TRUE(holder.HasSession());
    for (const auto& statement : statements) {
        std::shared_ptr<oledb::Command> command;
        ASSERT_EQ(holder.session->CreateCommand(command), oledb::S_OK);
        ASSERT_EQ(command->SetCommandText(oledb::DBGUID_DBSQL, statement), oledb::S_OK);
        std::shared_ptr<oledb::Rowset> rowset;
        ASSERT_EQ(command->Execute(rowset), oledb::S_OK) << statement;
    }
}

}  // namespace tabvex::browser::testing
