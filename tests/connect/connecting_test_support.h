// What the connecting suites share: a main window driven through the scripted host
// with its own profile folder, fixture databases written by the Access writer and
// workbooks written by the workbook engine, and reading the trees back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "adapters/adapter_test_support.h"
#include "app/migrator.h"
#include "browser/db_tree.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/xls/workbook.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"

namespace tabvex::connect::testing {

inline constexpr const char* kJet = "Microsoft.Jet.OLEDB.4.0";
inline constexpr const char* kCompleted = "RESULT: The operation completed SUCCESSFULLY";

class ConnectingTest : public ::testing::Test {
protected:
    // An Access file with a Customers table of two rows and an empty Orders table.
    std::filesystem::path WriteShop(const std::filesystem::path& path) {
        std::filesystem::create_directories(path.parent_path());
        mdb::DatabaseWriter writer(path);
        writer.AddTable("Customers", {{"ID", mdb::JetType::Long, 0}, {"Name", mdb::JetType::Text, 40}});
        writer.AddRow("Customers", {"1", "Alfreds"});
        writer.AddRow("Customers", {"2", "Bottom-Dollar"});
        writer.AddTable("Orders", {{"OrderID", mdb::JetType::Long, 0}});
        writer.Write();
        return path;
    }

    // A workbook whose one table is the defined name Sales over a header row.
    std::filesystem::path WriteBook(const std::filesystem::path& path) {
        std::filesystem::create_directories(path.parent_path());
        auto book = xls::Workbook::CreateNew({"Sales"});
        book.Sheet(0).SetCellText(0, 0, "Region");
        book.Sheet(0).SetCellText(0, 1, "Amount");
        book.AddName("Sales", xls::SheetArea{0, xls::CellRange{0, 0, 0, 1}});
        book.Save(path);
        return path;
    }

    static void Configure(ConnectionSettings& settings, const std::filesystem::path& file,
                          const std::string& progId = kJet) {
        settings.providerName = "Microsoft Jet 4.0 OLE DB Provider";
        settings.providerProgId = progId;
        settings.sourceName = file.string();
        settings.userId = "Admin";
        settings.password = "Secret";
    }

    static std::vector<std::string> ChildTexts(const browser::DbTree& tree, browser::NodeId id) {
        std::vector<std::string> texts;
        for (browser::NodeId child : tree.node(id).children) texts.push_back(tree.node(child).text);
        return texts;
    }

    // The texts of the current database's tables.
    static std::vector<std::string> TableNames(const browser::DbTree& tree) {
        const auto folder = tree.remembered().tablesFolder;
        return folder == browser::kNoNode ? std::vector<std::string>{} : ChildTexts(tree, folder);
    }

    test::ScratchProfile profile;
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    app::Migrator migrator{ui, scratch.path()};
};

}  // namespace tabvex::connect::testing
