#include "connect/connecting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/adapter_test_support.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/xls/workbook.h"
#include "support/scripted_user_interface.h"

namespace tabvex::connect {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

constexpr const char* kCompleted = "RESULT: The operation completed SUCCESSFULLY";
constexpr const char* kSourceTip = "Source Connection error! Please comfirm source database connection properties !";
constexpr const char* kTargetTip = "Target Connection error! Please comfirm target database connection properties !";

app::MessageBoxRequest Box(const char* text, app::MessageIcon icon = app::MessageIcon::Error,
                           app::MessageButtons buttons = app::MessageButtons::Ok) {
    return {text, app::kProgramTitle, buttons, icon};
}

class ConnectingTest : public ::testing::Test {
protected:
    // Customers (two rows) and Orders, written by the Access writer.
    fs::path WriteShop(const fs::path& path) {
        fs::create_directories(path.parent_path());
        mdb::DatabaseWriter writer(path);
        writer.AddTable("Customers", {{"ID", mdb::JetType::Long, 0}, {"Name", mdb::JetType::Text, 40}});
        writer.AddRow("Customers", {"1", "Alfreds"});
        writer.AddRow("Customers", {"2", "Bottom-Dollar"});
        writer.AddTable("Orders", {{"OrderID", mdb::JetType::Long, 0}});
        writer.Write();
        return path;
    }

    // One table: the defined name Sales over a header row.
    fs::path WriteBook(const fs::path& path) {
        fs::create_directories(path.parent_path());
        auto book = xls::Workbook::CreateNew({"Sales"});
        book.Sheet(0).SetCellText(0, 0, "Region");
        book.AddName("Sales", xls::SheetArea{0, xls::CellRange{0, 0, 0, 0}});
        book.Save(path);
        return path;
    }

    static void Configure(ConnectionSettings& settings, const fs::path& file) {
        settings = {"Microsoft Jet 4.0 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0", "", file.string(), "Secret", "Admin",
                    ""};
    }

    static std::vector<std::string> TableNames(const browser::DbTree& tree) {
        std::vector<std::string> names;
        if (tree.remembered().tablesFolder == browser::kNoNode) return names;
        for (auto child : tree.node(tree.remembered().tablesFolder).children) names.push_back(tree.node(child).text);
        return names;
    }

    test::ScratchProfile profile;
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    app::Migrator migrator{ui, scratch.path()};
};

TEST_F(ConnectingTest, WithNothingConfiguredBothSidesReportAndTheCharacterSetIsStillSet) {
    ConnectCommand(migrator);
    EXPECT_THAT(ui.tips(), ElementsAre(kSourceTip, kTargetTip));
    EXPECT_THAT(ui.boxes(), ElementsAre(Box("Source Connection error!"), Box("Target Connection error!")));
    EXPECT_THAT(ui.messages(), ElementsAre("Source Connection error! No class is registered for the ProgID ''.",
                                           "Target Connection error! No class is registered for the ProgID ''."));
    EXPECT_EQ(migrator.charsetName(), "LATIN1");
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kNotConnected);
    EXPECT_EQ(migrator.targetTree().sideMarker(), browser::kNotConnected);
    EXPECT_FALSE(migrator.sourceHolder().HasDataSource() || migrator.targetHolder().HasDataSource());
}

TEST_F(ConnectingTest, BothSidesConnectFillTheirTreesAndReadTheirDbmsNames) {
    fs::create_directories(profile.workgroupFile());  // an empty folder in the way is replaced
    Configure(migrator.sourceSettings(), WriteShop(scratch / "in/shop.mdb"));
    Configure(migrator.targetSettings(), WriteBook(scratch / "out/book.xls"));
    ConnectCommand(migrator);
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!", kCompleted, "Connect Target Database!", kCompleted));
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile()));

    const browser::ConnectionBlock source = migrator.sourceTree().connection();
    EXPECT_EQ(source.holder, &migrator.sourceHolder());
    EXPECT_EQ(source.databaseName, (scratch / "in/shop").string());
    EXPECT_EQ(source.providerProgId, "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(source.dbmsKind, 4);
    EXPECT_EQ(source.userId + "/" + source.password, "Admin/Secret");
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kSourceSide);
    EXPECT_EQ(migrator.sourceSettings().dbmsName, "MS Jet[04.00.0000]");
    EXPECT_THAT(TableNames(migrator.sourceTree()), ElementsAre("Customers", "Orders"));

    const browser::ConnectionBlock target = migrator.targetTree().connection();
    EXPECT_EQ(target.holder, &migrator.targetHolder());
    EXPECT_EQ(target.databaseName, (scratch / "out/book").string());
    EXPECT_EQ(target.dbmsKind, 5);
    EXPECT_EQ(migrator.targetTree().sideMarker(), browser::kTargetSide);
    EXPECT_EQ(migrator.targetSettings().dbmsName, "MS Jet[04.00.0000]");
    EXPECT_THAT(TableNames(migrator.targetTree()), ElementsAre("Sales"));
}

TEST_F(ConnectingTest, AFailedSourceStillConnectsTheTargetAndAFailedReconnectionKeepsNothing) {
    Configure(migrator.sourceSettings(), scratch / "missing.mdb");
    Configure(migrator.targetSettings(), WriteBook(scratch / "book.xls"));
    ConnectCommand(migrator);
    EXPECT_THAT(ui.tips(), ElementsAre(kSourceTip));
    EXPECT_THAT(ui.boxes(), ElementsAre(Box("Source Connection error!")));
    EXPECT_THAT(ui.messages(),
                ElementsAre("Source Connection error! " + (scratch / "missing.mdb").string() + ": the file does not exist",
                            "Connect Target Database!", kCompleted));
    EXPECT_EQ(ui.lines().front().colours, app::SplitMarker("E::x").colours) << "an error line";
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile())) << "made before the source is opened";

    test::WriteFile(scratch / "book.xls", "no longer a workbook");
    ConnectTarget(migrator);
    EXPECT_THAT(ui.tips(), ElementsAre(kSourceTip, kTargetTip));
    EXPECT_EQ(ui.boxes().back(), Box("Target Connection error!"));
    EXPECT_FALSE(migrator.targetHolder().HasDataSource() || migrator.targetHolder().HasSession());
    EXPECT_EQ(migrator.targetTree().sideMarker(), browser::kNotConnected);
    // Nothing of the old connection is left to work on.
    EXPECT_TRUE(migrator.targetTree().nodes().empty());
    EXPECT_EQ(migrator.targetSettings().dbmsName, "");
    EXPECT_EQ(ui.redrawnTrees().back(), app::TreeSide::Target);
    EXPECT_THAT(ui.messages().back(), StartsWith("Target Connection error! "));
}

// A text file named like an Access database: the provider's reason reaches the Log
// and the tree of the database connected before goes.
TEST_F(ConnectingTest, AFileThatIsNoDatabaseSaysWhyAndLeavesNoTreeBehind) {
    Configure(migrator.sourceSettings(), WriteShop(scratch / "shop.mdb"));
    ConnectSource(migrator);
    ASSERT_FALSE(migrator.sourceTree().nodes().empty());
    const fs::path text = scratch / "notes.mdb";
    test::WriteFile(text, "just some notes\n");
    Configure(migrator.sourceSettings(), text);
    ConnectSource(migrator);
    EXPECT_EQ(ui.boxes().back(), Box("Source Connection error!"));
    const std::string reason = ui.messages().back();
    EXPECT_THAT(reason, StartsWith("Source Connection error! " + text.string() + ": "));
    EXPECT_GT(reason.size(), ("Source Connection error! " + text.string() + ": ").size());
    EXPECT_TRUE(migrator.sourceTree().nodes().empty());
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kNotConnected);
    EXPECT_FALSE(migrator.sourceHolder().HasDataSource());
}

TEST_F(ConnectingTest, RefusedWhileTasksAreProcessingOrStopping) {
    Configure(migrator.sourceSettings(), WriteShop(scratch / "shop.mdb"));
    migrator.runState() = tasks::RunState::Processing;
    ui.QueueAnswer(app::MessageAnswer::Cancel);
    ConnectCommand(migrator);
    EXPECT_EQ(migrator.runState().load(), tasks::RunState::Processing);
    ui.QueueAnswer(app::MessageAnswer::Ok);
    ConnectCommand(migrator);
    EXPECT_EQ(migrator.runState().load(), tasks::RunState::Stopping);
    ConnectCommand(migrator);

    const auto question =
        Box("Some Tasks is Processing, STOP ALL?", app::MessageIcon::Question, app::MessageButtons::OkCancel);
    EXPECT_THAT(ui.boxes(), ElementsAre(question, question,
                                        Box("Some Tasks is Stopping, Please try again later!!!",
                                            app::MessageIcon::Information)));
    EXPECT_THAT(ui.messages(), IsEmpty());
    EXPECT_EQ(migrator.charsetName(), "");
}

TEST_F(ConnectingTest, BareDatabaseNameIsLookedForBesideTheTargetsDatabase) {
    WriteShop(scratch / "out/shop.mdb");
    Configure(migrator.sourceSettings(), WriteShop(scratch / "in/first.mdb"));
    Configure(migrator.targetSettings(), WriteBook(scratch / "out/book.xls"));
    ConnectCommand(migrator);

    EXPECT_TRUE(SelectAccessDatabase(migrator, "shop", 0));
    EXPECT_EQ(migrator.sourceSettings().sourceName, (scratch / "out/shop.mdb").string());
    EXPECT_EQ(migrator.sourceTree().connection().databaseName, (scratch / "out/shop").string());
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kSourceSide);

    // The name as the tree shows it stands for the file there, whatever the case of
    // its ending; the path keeps its own spelling.
    fs::copy_file(scratch / "out/shop.mdb", scratch / "out/SHOP.MDB");
    fs::copy_file(scratch / "out/shop.mdb", scratch / "out/Sales.accdb");
    EXPECT_TRUE(SelectAccessDatabase(migrator, (scratch / "out/SHOP").string(), 0));
    EXPECT_EQ(migrator.sourceSettings().sourceName, (scratch / "out/SHOP.MDB").string());
    EXPECT_EQ(migrator.sourceTree().connection().databaseName, (scratch / "out/SHOP").string());
    SelectAccessDatabase(migrator, (scratch / "out/Sales").string(), 0);
    EXPECT_EQ(migrator.sourceSettings().sourceName, (scratch / "out/Sales.accdb").string());
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kSourceSide);

    SelectAccessDatabase(migrator, (scratch / "in/first.mdb.bak").string(), 0);
    EXPECT_EQ(migrator.sourceSettings().sourceName, (scratch / "in/first.mdb.bak.mdb").string())
        << "\".mdb\" inside a name is no ending";
    EXPECT_THAT(ui.boxes(), ElementsAre(Box("Source Connection error!")));
}

TEST_F(ConnectingTest, NorthwindConnectsAsJetWithItsTables) {
    const fs::path northwind = test::CorpusDir() / "mdb/Northwind.mdb";
    if (test::CorpusDir().empty() || !fs::exists(northwind)) GTEST_SKIP() << "corpus absent";
    Configure(migrator.sourceSettings(), northwind);
    ConnectSource(migrator);
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!", kCompleted));
    EXPECT_EQ(migrator.sourceSettings().dbmsName, "MS Jet[04.00.0000]");
    EXPECT_THAT(TableNames(migrator.sourceTree()), ::testing::IsSupersetOf({"Customers", "Orders", "Products"}));
}

}  // namespace
}  // namespace tabvex::connect
