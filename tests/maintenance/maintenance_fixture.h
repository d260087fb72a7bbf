// What the maintenance suites share: a target workbook with two tables made through
// the Excel ISAM, connected as the window connects it, and the workbook read back
// by xlrd.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "adapters/adapter_test_support.h"
#include "connecting/connecting.h"
#include "maintenance/maintenance_commands.h"
#include "platform/xls/workbook.h"
#include "shell/program.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"
#include "connect/statement_runners.h"

namespace tabvex::test {

namespace fs = std::filesystem;

class MaintenanceFixture : public ::testing::Test {
protected:
    // shop.xls: Sheet1, Orders (Id, Name; two rows) and Customers, each table with
    // its defined name; on disk, with the target connected to it.
    void ConnectShop() {
        xls::Workbook::CreateNew({"Sheet1"}).Save(shop());
        program.sides().target().settings() = {"", "Microsoft.Jet.OLEDB.4.0", "", shop().string(), "", "Admin", ""};
        connect::ConnectTarget(program.output(), program.sides());
        for (const char* statement :
             {"CREATE TABLE Orders (Id TEXT(10), Name TEXT(50))", "INSERT INTO Orders VALUES ('1', 'Tee')",
              "INSERT INTO Orders VALUES ('2', 'Καφές')", "CREATE TABLE Customers (Name TEXT(50))"}) {
            ASSERT_TRUE(connect::ExecuteStatement(program.output(), program.sides().target().holder(), statement, true)) << statement;
        }
        connect::ConnectTarget(program.output(), program.sides());  // the provider writes what it holds
        ASSERT_TRUE(program.sides().target().holder().HasSession());
        connectedAt_ = ui.messages().size();
    }

    // The Log lines written since the shop was connected, without the lines every
    // (re)connection of the target writes.
    std::vector<std::string> Logged() const {
        std::vector<std::string> lines;
        const auto messages = ui.messages();
        for (std::size_t i = connectedAt_; i < messages.size(); ++i)
            if (messages[i] != "Connect Target Database!" && messages[i] != "RESULT: The operation completed SUCCESSFULLY")
                lines.push_back(messages[i]);
        return lines;
    }

    // A tree as a target with views shows it: database "db" with two views.
    void ShowViews() {
        using browser::TreeNodeKind;
        std::vector<browser::TreeNode> nodes = {
            {TreeNodeKind::Root, "db.xls", browser::kNoNode, {1}},
            {TreeNodeKind::Database, "db", 0, {2, 3}},
            {TreeNodeKind::TablesFolder, "Tables", 1, {}},
            {TreeNodeKind::ViewsFolder, "Views", 1, {4, 5}},
            {TreeNodeKind::View, "Recent", 3, {}},
            {TreeNodeKind::View, "Totals", 3, {}},
        };
        browser::RememberedNodes remembered;
        remembered.root = 0;
        remembered.currentDatabase = 1;
        remembered.viewsFolder = 3;
        remembered.lastView = 5;
        tree().ReplaceNodes(std::move(nodes), remembered);
    }
    fs::path shop() const { return scratch / "shop.xls"; }
    std::string shopDatabase() const { return (scratch / "shop").string(); }
    browser::DbTree& tree() { return program.sides().target().tree(); }

    // The first node of that kind (and text, when given) in the target tree.
    browser::NodeId Node(browser::TreeNodeKind kind, const std::string& text = "") {
        const auto nodes = tree().nodes();
        for (browser::NodeId id = 0; id < nodes.size(); ++id)
            if (nodes[id].kind == kind && (text.empty() || nodes[id].text == text)) return id;
        ADD_FAILURE() << "no node " << text;
        return browser::kNoNode;
    }
    void Select(browser::TreeNodeKind kind, const std::string& text = "") { tree().Select(Node(kind, text)); }

    std::vector<std::string> TreeTables() {
        std::vector<std::string> names;
        const browser::NodeId folder = tree().remembered().tablesFolder;
        if (folder == browser::kNoNode) return names;
        for (auto child : tree().node(folder).children) names.push_back(tree().node(child).text);
        return names;
    }

    // Sheet names and defined names as xlrd reads them.
    static std::vector<std::string> Listed(const nlohmann::json& items) {
        std::vector<std::string> names;
        for (const auto& item : items) names.push_back(item["name"]);
        return names;
    }
    std::vector<std::string> Sheets(const fs::path& book) { return Listed(ReadWithXlrd(book)["sheets"]); }
    std::vector<std::string> Names(const fs::path& book) { return Listed(ReadWithXlrd(book)["names"]); }

    // The texts of the message boxes shown, from the `from`th on.
    std::vector<std::string> BoxTexts(std::size_t from = 0) const {
        std::vector<std::string> texts;
        const auto boxes = ui.boxes();
        for (std::size_t i = from; i < boxes.size(); ++i) texts.push_back(boxes[i].text);
        return texts;
    }

    void Answer(std::initializer_list<app::MessageAnswer> answers) {
        for (auto answer : answers) ui.QueueAnswer(answer);
    }

    std::size_t connectedAt_ = 0;
    ScratchProfile profile;
    ScratchDir scratch;
    ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};
};

}  // namespace tabvex::test
