// A target connected as the window connects it, to a workbook in a scratch folder,
// with tables made through the Excel ISAM; shared by the automation and workbook
// suites.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/adapter_test_support.h"
#include "app/migrator.h"
#include "connect/connecting.h"
#include "platform/xls/workbook.h"
#include "support/scripted_user_interface.h"
#include "tasks/statement_runners.h"

namespace tabvex::test {

class ExcelTargetTest : public ::testing::Test {
protected:
    // An empty workbook ("Sheet1") at `file`, connected as the target.
    void ConnectNewWorkbook(const std::filesystem::path& file) {
        std::filesystem::create_directories(file.parent_path());
        xls::Workbook::CreateNew({"Sheet1"}).Save(file);
        ConnectTargetTo(file);
    }

    void ConnectTargetTo(const std::filesystem::path& file) {
        migrator.targetSettings() = {"Microsoft Jet 4.0 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0", "", file.string(),
                                     "", "Admin", ""};
        connect::ConnectTarget(migrator);
        ASSERT_TRUE(migrator.targetHolder().HasSession()) << "the target did not connect to " << file;
    }

    void Run(std::string_view statement) {
        ASSERT_TRUE(tasks::ExecuteStatement(migrator, migrator.targetHolder(), statement, true)) << statement;
    }

    // The tables the target tree lists under its current database.
    std::vector<std::string> TargetTables() const {
        const browser::DbTree& tree = migrator.targetTree();
        std::vector<std::string> names;
        if (tree.remembered().tablesFolder == browser::kNoNode) return names;
        for (auto child : tree.node(tree.remembered().tablesFolder).children) names.push_back(tree.node(child).text);
        return names;
    }

    // The target's workbook path without ".xls", as the tree and the operations name it.
    std::string TargetDatabase() const { return migrator.targetTree().connection().databaseName; }

    ScratchProfile profile;
    ScratchDir scratch;
    ScriptedUserInterface ui;
    app::Migrator migrator{ui, scratch.path()};
};

}  // namespace tabvex::test
