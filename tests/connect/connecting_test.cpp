#include "connect/connecting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connecting_test_support.h"

namespace tabvex::connect::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

constexpr const char* kSourceTip = "Source Connection error! Please comfirm source database connection properties !";
constexpr const char* kTargetTip = "Target Connection error! Please comfirm target database connection properties !";

app::MessageBoxRequest ErrorBox(const char* text) {
    return {text, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Error};
}

// --- the Connect command

TEST_F(ConnectingTest, WithNothingConfiguredBothSidesReportAndTheCharacterSetIsStillSet) {
    ConnectCommand(migrator);
    EXPECT_THAT(ui.tips(), ElementsAre(kSourceTip, kTargetTip));
    EXPECT_THAT(ui.boxes(), ElementsAre(ErrorBox("Source Connection error!"), ErrorBox("Target Connection error!")));
    EXPECT_THAT(ui.messages(), IsEmpty());
    EXPECT_EQ(migrator.charsetName(), "LATIN1");
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kNotConnected);
    EXPECT_EQ(migrator.targetTree().sideMarker(), browser::kNotConnected);
    EXPECT_FALSE(migrator.sourceHolder().HasDataSource());
    EXPECT_FALSE(migrator.targetHolder().HasDataSource());
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile())) << "the source makes sure of it before opening";
}

TEST_F(ConnectingTest, BothSidesConnectFillTheirTreesAndShowTheirDbmsNames) {
    const fs::path shop = WriteShop(scratch / "data/shop.mdb");
    const fs::path book = WriteBook(scratch / "out/book.xls");
    Configure(migrator.sourceSettings(), shop);
    Configure(migrator.targetSettings(), book);
    migrator.targetSettings().userId = "";

    ConnectCommand(migrator);
    EXPECT_THAT(ui.messages(),
                ElementsAre("Connect Source Database!", kCompleted, "Connect Target Database!", kCompleted));
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_THAT(ui.tips(), IsEmpty());
    EXPECT_EQ(migrator.charsetName(), "LATIN1");

    const auto& source = migrator.sourceSettings();
    EXPECT_EQ(source.dbmsName, "MS Jet[04.00.0000]");
    EXPECT_EQ(source.catalogName, (scratch / "data/shop").string());
    const browser::ConnectionBlock sourceBlock = migrator.sourceTree().connection();
    EXPECT_EQ(sourceBlock.holder, &migrator.sourceHolder());
    EXPECT_EQ(sourceBlock.databaseName, (scratch / "data/shop").string());
    EXPECT_EQ(sourceBlock.providerProgId, kJet);
    EXPECT_EQ(sourceBlock.dbmsKind, 4);
    EXPECT_EQ(sourceBlock.userId, "Admin");
    EXPECT_EQ(sourceBlock.password, "Secret");
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kSourceSide);
    EXPECT_TRUE(migrator.sourceHolder().HasSession());
    EXPECT_THAT(TableNames(migrator.sourceTree()), ElementsAre("Customers", "Orders"));

    EXPECT_EQ(migrator.targetSettings().dbmsName, "MS Jet[04.00.0000]");
    const browser::ConnectionBlock targetBlock = migrator.targetTree().connection();
    EXPECT_EQ(targetBlock.holder, &migrator.targetHolder());
    EXPECT_EQ(targetBlock.databaseName, (scratch / "out/book").string());
    EXPECT_EQ(targetBlock.dbmsKind, 5);
    EXPECT_EQ(targetBlock.userId, "");
    EXPECT_EQ(migrator.targetTree().sideMarker(), browser::kTargetSide);
    EXPECT_THAT(TableNames(migrator.targetTree()), ElementsAre("Sales"));
    EXPECT_THAT(ui.redrawnTrees(), ElementsAre(app::TreeSide::Source, app::TreeSide::Target));
}

TEST_F(ConnectingTest, AFailedSourceStillConnectsTheTarget) {
    Configure(migrator.sourceSettings(), scratch / "missing.mdb");
    Configure(migrator.targetSettings(), WriteBook(scratch / "book.xls"));
    ConnectCommand(migrator);
    EXPECT_THAT(ui.tips(), ElementsAre(kSourceTip));
    EXPECT_THAT(ui.boxes(), ElementsAre(ErrorBox("Source Connection error!")));
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Target Database!", kCompleted));
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kNotConnected);
    EXPECT_EQ(migrator.targetTree().sideMarker(), browser::kTargetSide);
    EXPECT_EQ(migrator.targetSettings().dbmsName, "MS Jet[04.00.0000]");
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
    EXPECT_EQ(migrator.runState().load(), tasks::RunState::Stopping);

    const app::MessageBoxRequest question{"Some Tasks is Processing, STOP ALL?", app::kProgramTitle,
                                          app::MessageButtons::OkCancel, app::MessageIcon::Question};
    EXPECT_THAT(ui.boxes(), ElementsAre(question, question,
                                        app::MessageBoxRequest{"Some Tasks is Stopping, Please try again later!!!",
                                                               app::kProgramTitle, app::MessageButtons::Ok,
                                                               app::MessageIcon::Information}));
    EXPECT_THAT(ui.messages(), IsEmpty()) << "nothing connected";
    EXPECT_FALSE(migrator.sourceHolder().HasDataSource());
    EXPECT_EQ(migrator.charsetName(), "");
    EXPECT_FALSE(fs::exists(profile.workgroupFile()));
}

// --- the source and its workgroup file

TEST_F(ConnectingTest, MissingWorkgroupFileIsCreatedBeforeTheSourceOpens) {
    Configure(migrator.sourceSettings(), WriteShop(scratch / "shop.mdb"));
    ASSERT_FALSE(fs::exists(profile.home() / "Application Data"));
    ConnectSource(migrator);
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile()));
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!", kCompleted));
}

TEST_F(ConnectingTest, EmptyFolderNamedLikeTheWorkgroupFileIsReplacedAndTheSourceConnects) {
    fs::create_directories(profile.workgroupFile());
    Configure(migrator.sourceSettings(), WriteShop(scratch / "shop.mdb"));
    ConnectSource(migrator);
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile()));
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kSourceSide);
}

TEST_F(ConnectingTest, WorkgroupFileThatCannotBeMadeLetsJetRefuseTheSource) {
    fs::create_directories(profile.workgroupFile() / "kept");
    Configure(migrator.sourceSettings(), WriteShop(scratch / "shop.mdb"));
    ConnectSource(migrator);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_THAT(ui.messages()[0], StartsWith("Create SysDB \r\n failed with error code:[0x80004005]"));
    EXPECT_THAT(ui.boxes(), ElementsAre(ErrorBox("Source Connection error!")));
    EXPECT_FALSE(migrator.sourceHolder().HasDataSource());
}

TEST_F(ConnectingTest, AFailedReconnectionReleasesTheOldConnectionButKeepsTheOldNodes) {
    Configure(migrator.sourceSettings(), WriteShop(scratch / "shop.mdb"));
    ConnectSource(migrator);
    ASSERT_TRUE(migrator.sourceHolder().HasSession());
    const std::size_t nodes = migrator.sourceTree().nodeCount();

    migrator.sourceSettings().sourceName = (scratch / "gone.mdb").string();
    ConnectSource(migrator);
    EXPECT_FALSE(migrator.sourceHolder().HasSession());
    EXPECT_FALSE(migrator.sourceHolder().HasDataSource());
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kNotConnected);
    EXPECT_EQ(migrator.sourceTree().nodeCount(), nodes);
    EXPECT_EQ(migrator.sourceSettings().catalogName, (scratch / "gone").string());
}

TEST_F(ConnectingTest, NorthwindConnectsAsJetWithItsTables) {
    if (test::CorpusDir().empty() || !fs::exists(test::CorpusDir() / "mdb/Northwind.mdb")) {
        GTEST_SKIP() << "corpus absent";
    }
    // The provider only reads: a copy keeps the corpus as it is whatever happens.
    fs::copy_file(test::CorpusDir() / "mdb/Northwind.mdb", scratch / "northwind.mdb");
    Configure(migrator.sourceSettings(), scratch / "northwind.mdb");
    ConnectSource(migrator);
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!", kCompleted));
    EXPECT_EQ(migrator.sourceSettings().dbmsName, "MS Jet[04.00.0000]");
    const auto tables = TableNames(migrator.sourceTree());
    EXPECT_THAT(tables, ::testing::IsSupersetOf({"Customers", "Orders", "Products", "Suppliers"}));
}

// --- the target

TEST_F(ConnectingTest, TargetConnectsAWorkbookWithoutTouchingTheWorkgroupFile) {
    Configure(migrator.targetSettings(), WriteBook(scratch / "out/Book.xls"));
    migrator.targetSettings().catalogName = "old";
    ConnectTarget(migrator);
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Target Database!", kCompleted));
    EXPECT_EQ(migrator.targetSettings().catalogName, (scratch / "out/Book").string());
    EXPECT_EQ(migrator.targetTree().connection().databaseName, (scratch / "out/Book").string());
    EXPECT_EQ(migrator.targetSettings().dbmsName, "MS Jet[04.00.0000]");
    EXPECT_FALSE(fs::exists(profile.workgroupFile()));
}

TEST_F(ConnectingTest, TargetThatIsNoWorkbookReportsTheTargetTexts) {
    test::WriteFile(scratch / "book.xls", "not a workbook");
    Configure(migrator.targetSettings(), scratch / "book.xls");
    ConnectTarget(migrator);
    EXPECT_THAT(ui.tips(), ElementsAre(kTargetTip));
    EXPECT_THAT(ui.boxes(), ElementsAre(ErrorBox("Target Connection error!")));
    EXPECT_THAT(ui.messages(), IsEmpty());
    EXPECT_EQ(migrator.targetTree().sideMarker(), browser::kNotConnected);
}

// --- switching the source to another database

TEST_F(ConnectingTest, BareDatabaseNameIsLookedForBesideTheTargetsDatabase) {
    WriteShop(scratch / "out/shop.mdb");
    Configure(migrator.targetSettings(), WriteBook(scratch / "out/book.xls"));
    Configure(migrator.sourceSettings(), WriteShop(scratch / "in/first.mdb"));
    ConnectCommand(migrator);
    ASSERT_EQ(migrator.sourceTree().sideMarker(), browser::kSourceSide);

    EXPECT_TRUE(SelectAccessDatabase(migrator, "shop", 0));
    EXPECT_EQ(migrator.sourceSettings().sourceName, (scratch / "out/shop.mdb").string());
    EXPECT_EQ(migrator.sourceSettings().catalogName, (scratch / "out/shop").string());
    EXPECT_EQ(migrator.sourceTree().connection().databaseName, (scratch / "out/shop").string());
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kSourceSide);
    EXPECT_THAT(TableNames(migrator.sourceTree()), ElementsAre("Customers", "Orders"));
}

TEST_F(ConnectingTest, DatabaseNameWithAFolderOrAnMdbIsTakenAsItIs) {
    WriteShop(scratch / "in/first.mdb");
    migrator.targetTree().SetDatabaseName((scratch / "out/book").string());
    Configure(migrator.sourceSettings(), scratch / "in/first.mdb");

    SelectAccessDatabase(migrator, (scratch / "in/first").string(), 0);
    EXPECT_EQ(migrator.sourceSettings().sourceName, (scratch / "in/first.mdb").string());
    SelectAccessDatabase(migrator, "first.mdb.bak", 0);
    EXPECT_EQ(migrator.sourceSettings().sourceName, (scratch / "out/first.mdb.bak").string())
        << "\".mdb\" anywhere: nothing appended";
    EXPECT_THAT(ui.boxes(), ElementsAre(ErrorBox("Source Connection error!")));
}

}  // namespace
}  // namespace tabvex::connect::testing
