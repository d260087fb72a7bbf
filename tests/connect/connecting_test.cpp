#include "connecting/connecting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/adapter_test_support.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/xls/workbook.h"
#include "shell/program.h"
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
    shell::Program program{ui, scratch.path()};
};

TEST_F(ConnectingTest, WithNothingConfiguredBothSidesReportAndTheCharacterSetIsStillSet) {
    ConnectCommand(program.output(), program.gate(), program.sides());
    EXPECT_THAT(ui.tips(), ElementsAre(kSourceTip, kTargetTip));
    EXPECT_THAT(ui.boxes(), ElementsAre(Box("Source Connection error!"), Box("Target Connection error!")));
    EXPECT_THAT(ui.messages(), ElementsAre("Source Connection error! No class is registered for the ProgID ''.",
                                           "Target Connection error! No class is registered for the ProgID ''."));
    EXPECT_EQ(program.sides().charsetName(), "LATIN1");
    EXPECT_EQ(program.sides().source().tree().sideMarker(), browser::kNotConnected);
    EXPECT_EQ(program.sides().target().tree().sideMarker(), browser::kNotConnected);
    EXPECT_FALSE(program.sides().source().holder().HasDataSource() || program.sides().target().holder().HasDataSource());
}

TEST_F(ConnectingTest, BothSidesConnectFillTheirTreesAndReadTheirDbmsNames) {
    fs::create_directories(profile.workgroupFile());  // an empty folder in the way is replaced
    Configure(program.sides().source().settings(), WriteShop(scratch / "in/shop.mdb"));
    Configure(program.sides().target().settings(), WriteBook(scratch / "out/book.xls"));
    ConnectCommand(program.output(), program.gate(), program.sides());
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!", kCompleted, "Connect Target Database!", kCompleted));
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile()));

    const browser::ConnectionBlock source = program.sides().source().tree().connection();
    EXPECT_EQ(source.holder, &program.sides().source().holder());
    EXPECT_EQ(source.databaseName, (scratch / "in/shop").string());
    EXPECT_EQ(source.providerProgId, "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(source.dbmsKind, 4);
    EXPECT_EQ(source.userId + "/" + source.password, "Admin/Secret");
    EXPECT_EQ(program.sides().source().tree().sideMarker(), browser::kSourceSide);
    EXPECT_EQ(program.sides().source().settings().dbmsName, "MS Jet[04.00.0000]");
    EXPECT_THAT(TableNames(program.sides().source().tree()), ElementsAre("Customers", "Orders"));

    const browser::ConnectionBlock target = program.sides().target().tree().connection();
    EXPECT_EQ(target.holder, &program.sides().target().holder());
    EXPECT_EQ(target.databaseName, (scratch / "out/book").string());
    EXPECT_EQ(target.dbmsKind, 5);
    EXPECT_EQ(program.sides().target().tree().sideMarker(), browser::kTargetSide);
    EXPECT_EQ(program.sides().target().settings().dbmsName, "MS Jet[04.00.0000]");
    EXPECT_THAT(TableNames(program.sides().target().tree()), ElementsAre("Sales"));
}

TEST_F(ConnectingTest, AFailedSourceStillConnectsTheTargetAndAFailedReconnectionKeepsNothing) {
    Configure(program.sides().source().settings(), scratch / "missing.mdb");
    Configure(program.sides().target().settings(), WriteBook(scratch / "book.xls"));
    ConnectCommand(program.output(), program.gate(), program.sides());
    EXPECT_THAT(ui.tips(), ElementsAre(kSourceTip));
    EXPECT_THAT(ui.boxes(), ElementsAre(Box("Source Connection error!")));
    EXPECT_THAT(ui.messages(),
                ElementsAre("Source Connection error! " + (scratch / "missing.mdb").string() + ": the file does not exist",
                            "Connect Target Database!", kCompleted));
    EXPECT_EQ(ui.lines().front().colours, app::SplitMarker("E::x").colours) << "an error line";
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile())) << "made before the source is opened";

    test::WriteFile(scratch / "book.xls", "no longer a workbook");
    ConnectTarget(program.output(), program.sides());
    EXPECT_THAT(ui.tips(), ElementsAre(kSourceTip, kTargetTip));
    EXPECT_EQ(ui.boxes().back(), Box("Target Connection error!"));
    EXPECT_FALSE(program.sides().target().holder().HasDataSource() || program.sides().target().holder().HasSession());
    EXPECT_EQ(program.sides().target().tree().sideMarker(), browser::kNotConnected);
    // Nothing of the old connection is left to work on.
    EXPECT_TRUE(program.sides().target().tree().nodes().empty());
    EXPECT_EQ(program.sides().target().settings().dbmsName, "");
    EXPECT_EQ(ui.redrawnTrees().back(), app::TreeSide::Target);
    EXPECT_THAT(ui.messages().back(), StartsWith("Target Connection error! "));
}

// A text file named like an Access database: the provider's reason reaches the Log
// and the tree of the database connected before goes.
TEST_F(ConnectingTest, AFileThatIsNoDatabaseSaysWhyAndLeavesNoTreeBehind) {
    Configure(program.sides().source().settings(), WriteShop(scratch / "shop.mdb"));
    ConnectSource(program.output(), program.sides());
    ASSERT_FALSE(program.sides().source().tree().nodes().empty());
    const fs::path text = scratch / "notes.mdb";
    test::WriteFile(text, "just some notes\n");
    Configure(program.sides().source().settings(), text);
    ConnectSource(program.output(), program.sides());
    EXPECT_EQ(ui.boxes().back(), Box("Source Connection error!"));
    const std::string reason = ui.messages().back();
    EXPECT_THAT(reason, StartsWith("Source Connection error! " + text.string() + ": "));
    EXPECT_GT(reason.size(), ("Source Connection error! " + text.string() + ": ").size());
    EXPECT_TRUE(program.sides().source().tree().nodes().empty());
    EXPECT_EQ(program.sides().source().tree().sideMarker(), browser::kNotConnected);
    EXPECT_FALSE(program.sides().source().holder().HasDataSource());
}

TEST_F(ConnectingTest, RefusedWhileTasksAreProcessingOrStopping) {
    Configure(program.sides().source().settings(), WriteShop(scratch / "shop.mdb"));
    program.engine().runState() = tasks::RunState::Processing;
    ui.QueueAnswer(app::MessageAnswer::Cancel);
    ConnectCommand(program.output(), program.gate(), program.sides());
    EXPECT_EQ(program.engine().runState().load(), tasks::RunState::Processing);
    ui.QueueAnswer(app::MessageAnswer::Ok);
    ConnectCommand(program.output(), program.gate(), program.sides());
    EXPECT_EQ(program.engine().runState().load(), tasks::RunState::Stopping);
    ConnectCommand(program.output(), program.gate(), program.sides());

    const auto question =
        Box("Some Tasks is Processing, STOP ALL?", app::MessageIcon::Question, app::MessageButtons::OkCancel);
    EXPECT_THAT(ui.boxes(), ElementsAre(question, question,
                                        Box("Some Tasks is Stopping, Please try again later!!!",
                                            app::MessageIcon::Information)));
    EXPECT_THAT(ui.messages(), IsEmpty());
    EXPECT_EQ(program.sides().charsetName(), "");
}

TEST_F(ConnectingTest, BareDatabaseNameIsLookedForBesideTheTargetsDatabase) {
    WriteShop(scratch / "out/shop.mdb");
    Configure(program.sides().source().settings(), WriteShop(scratch / "in/first.mdb"));
    Configure(program.sides().target().settings(), WriteBook(scratch / "out/book.xls"));
    ConnectCommand(program.output(), program.gate(), program.sides());

    EXPECT_TRUE(SelectAccessDatabase(program.output(), program.sides(), "shop"));
    EXPECT_EQ(program.sides().source().settings().sourceName, (scratch / "out/shop.mdb").string());
    EXPECT_EQ(program.sides().source().tree().connection().databaseName, (scratch / "out/shop").string());
    EXPECT_EQ(program.sides().source().tree().sideMarker(), browser::kSourceSide);

    // The name as the tree shows it stands for the file there, whatever the case of
    // its ending; the path keeps its own spelling.
    fs::copy_file(scratch / "out/shop.mdb", scratch / "out/SHOP.MDB");
    fs::copy_file(scratch / "out/shop.mdb", scratch / "out/Sales.accdb");
    EXPECT_TRUE(SelectAccessDatabase(program.output(), program.sides(), (scratch / "out/SHOP").string()));
    EXPECT_EQ(program.sides().source().settings().sourceName, (scratch / "out/SHOP.MDB").string());
    EXPECT_EQ(program.sides().source().tree().connection().databaseName, (scratch / "out/SHOP").string());
    SelectAccessDatabase(program.output(), program.sides(), (scratch / "out/Sales").string());
    EXPECT_EQ(program.sides().source().settings().sourceName, (scratch / "out/Sales.accdb").string());
    EXPECT_EQ(program.sides().source().tree().sideMarker(), browser::kSourceSide);

    SelectAccessDatabase(program.output(), program.sides(), (scratch / "in/first.mdb.bak").string());
    EXPECT_EQ(program.sides().source().settings().sourceName, (scratch / "in/first.mdb.bak.mdb").string())
        << "\".mdb\" inside a name is no ending";
    EXPECT_THAT(ui.boxes(), ElementsAre(Box("Source Connection error!")));
}

TEST_F(ConnectingTest, NorthwindConnectsAsJetWithItsTables) {
    const fs::path northwind = test::CorpusDir() / "mdb/Northwind.mdb";
    if (test::CorpusDir().empty() || !fs::exists(northwind)) GTEST_SKIP() << "corpus absent";
    Configure(program.sides().source().settings(), northwind);
    ConnectSource(program.output(), program.sides());
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!", kCompleted));
    EXPECT_EQ(program.sides().source().settings().dbmsName, "MS Jet[04.00.0000]");
    EXPECT_THAT(TableNames(program.sides().source().tree()), ::testing::IsSupersetOf({"Customers", "Orders", "Products"}));
}

}  // namespace
}  // namespace tabvex::connect
