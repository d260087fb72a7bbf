#include "connecting/config_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/adapter_test_support.h"
#include "connecting/config_file.h"
#include "connecting/connecting.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/xls/workbook.h"
#include "shell/program.h"
#include "support/fake_gate.h"
#include "support/scripted_user_interface.h"

namespace tabvex::connect {
namespace {

namespace fs = std::filesystem;
using test::WriteFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class ConfigDialogTest : public ::testing::Test {
protected:
    fs::path Program() const { return scratch.path() / "program"; }

    OdbcConfigFiles Odbc() const { return {scratch / "odbcinst.ini", scratch / "odbc.ini", scratch / "user.odbc.ini"}; }

    fs::path WriteShop(const fs::path& path) {
        fs::create_directories(path.parent_path());
        mdb::DatabaseWriter writer(path);
        writer.AddTable("Customers", {{"ID", mdb::JetType::Long, 0}, {"Name", mdb::JetType::Text, 40}});
        writer.AddRow("Customers", {"1", "Alfreds"});
        writer.Write();
        return path;
    }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.boxes()) texts.push_back(box.text);
        return texts;
    }

    test::ScratchProfile profile;
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, (fs::create_directories(scratch / "program"), scratch / "program")};
};

TEST_F(ConfigDialogTest, OpeningWithoutAFileSelectsJetOnBothSidesAndCreatesNothing) {
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    for (ConfigSide side : {ConfigSide::Source, ConfigSide::Target}) {
        EXPECT_EQ(dialog.selectedProvider(side), 0);
        EXPECT_EQ(dialog.fields(side).providerName, "Microsoft Jet 4.0 OLE DB Provider");
        EXPECT_THAT(dialog.sourceNames(side).entries, IsEmpty());
    }
    EXPECT_EQ(dialog.family(ConfigSide::Source), DbmsKind::Access);
    EXPECT_EQ(dialog.providers(ConfigSide::Target)[3], "Microsoft Excel Driver");
    EXPECT_TRUE(fs::is_empty(Program()));
    EXPECT_THAT(ui.boxes(), IsEmpty());
}

TEST_F(ConfigDialogTest, TheSampleBesideTheProgramIsOfferedOnlyWhenNothingIsConfigured) {
    const fs::path sample = WriteShop(SampleDatabasePath(Program()));
    {
        ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
        EXPECT_THAT(dialog.sourceNames(ConfigSide::Source).entries, ElementsAre(sample.string()));
        EXPECT_EQ(dialog.sourceNames(ConfigSide::Source).selected, 0);
        EXPECT_EQ(dialog.fields(ConfigSide::Source).sourceName, sample.string());
    }
    WriteFile(MigratorConfigPath(Program()), "[Public]\nConfig=true\n[SourceDB]\nSourceName=/data/Shop.mdb\n");
    ConfigDialog configured(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    EXPECT_EQ(configured.fields(ConfigSide::Source).sourceName, "/data/Shop.mdb");
    EXPECT_THAT(configured.sourceNames(ConfigSide::Source).entries, IsEmpty());
}

TEST_F(ConfigDialogTest, AStoredOdbcDriverListsTheFamilysDataSources) {
    WriteFile(MigratorConfigPath(Program()),
              "[Public]\nConfig=true\n[SourceDB]\nProvider=Bogus Provider\n[TargetDB]\nProvider=microsoft excel driver\n");
    WriteFile(scratch / "odbc.ini",
              "[Sales]\nDriver=Microsoft Excel Driver (*.xls)\n[Shop]\nDriver=Microsoft Access Driver (*.mdb)\n"
              "[Budget]\nDriver=Driver do Microsoft Excel(*.xls)\n[Lower]\nDriver=microsoft excel driver\n");
    WriteFile(scratch / "user.odbc.ini",
              "[ODBC Data Sources]\nListed=Microsoft Excel Driver (*.xls)\nOther=Microsoft Access Driver (*.mdb)\n"
              "[Sales]\nDriver=Microsoft Excel Driver\n[Mine]\nDriver=Microsoft Excel Driver\n");
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    EXPECT_EQ(dialog.fields(ConfigSide::Source).providerName, "Microsoft Jet 4.0 OLE DB Provider")
        << "a provider the list lacks gives way to the first";
    EXPECT_EQ(dialog.selectedProvider(ConfigSide::Target), 3);
    EXPECT_EQ(dialog.fields(ConfigSide::Target).providerName, "Microsoft Excel Driver");
    const SourceNameList& names = dialog.sourceNames(ConfigSide::Target);
    EXPECT_THAT(names.entries, ElementsAre("Budget", "Listed", "Mine", "Sales"));
    EXPECT_EQ(names.selected, 0);
    EXPECT_EQ(names.label, "Source Name");
    EXPECT_FALSE(dialog.BrowsesOnSourceNameDropDown(ConfigSide::Target));
    EXPECT_TRUE(dialog.BrowsesOnCatalogDoubleClick(ConfigSide::Target));
}

TEST_F(ConfigDialogTest, ChoosingJetAfterOpeningOffersANewDatabaseCreatedOnce) {
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    fs::create_directories(Program() / "Access_New.mdb");  // an empty folder in its place goes
    dialog.SelectProvider(ConfigSide::Source, 0);
    const fs::path access = Program() / "Access_New.mdb";
    ASSERT_TRUE(fs::is_regular_file(access));
    EXPECT_EQ(dialog.fields(ConfigSide::Source).sourceName, access.string());
    EXPECT_THAT(dialog.sourceNames(ConfigSide::Source).entries, ElementsAre(access.string()));

    dialog.SelectProvider(ConfigSide::Target, 1);
    const fs::path excel = Program() / "Excel_New.xls";
    ASSERT_TRUE(fs::is_regular_file(excel));
    EXPECT_EQ(dialog.fields(ConfigSide::Target).providerName, "Microsoft Jet 3.51 OLE DB Provider");
    EXPECT_EQ(dialog.fields(ConfigSide::Target).sourceName, excel.string());
    EXPECT_EQ(test::ReadWithXlrd(excel)["sheets"].size(), 1u);

    WriteFile(access, "kept");
    dialog.SelectProvider(ConfigSide::Source, 1);
    EXPECT_EQ(test::ReadFile(access), "kept") << "an existing file is only offered";

    dialog.SelectProvider(ConfigSide::Source, 3);
    EXPECT_THAT(dialog.sourceNames(ConfigSide::Source).entries, IsEmpty());
    EXPECT_EQ(dialog.fields(ConfigSide::Source).sourceName, "");
}

// While tasks run the worker owns both sides: the dialog creates no new file beside
// them, opens nothing (the workgroup file included) and hands nothing over.
TEST_F(ConfigDialogTest, WhileTasksRunNothingIsCreatedOpenedOrHandedOver) {
    test::FakeGate gate;
    const fs::path shop = WriteShop(scratch / "data/Shop.mdb");
    ConfigDialog dialog(program.output(), gate, program.sides(), program.options(), Odbc());
    gate.running = true;
    dialog.SelectProvider(ConfigSide::Source, 0);
    dialog.SelectProvider(ConfigSide::Target, 1);
    EXPECT_TRUE(fs::is_empty(Program())) << "no Access_New.mdb, no Excel_New.xls";
    EXPECT_THAT(dialog.sourceNames(ConfigSide::Source).entries, IsEmpty());

    dialog.fields(ConfigSide::Source).sourceName = shop.string();
    dialog.TestConnections();
    EXPECT_FALSE(fs::exists(profile.workgroupFile()));
    EXPECT_THAT(BoxTexts(), IsEmpty()) << "the gate asked instead";
    EXPECT_FALSE(dialog.Connect());
    EXPECT_EQ(program.sides().source().settings(), ConnectionSettings{});
    EXPECT_THAT(ui.postedCommands(), IsEmpty());
    EXPECT_EQ(gate.asked, 4);

    gate.running = false;
    dialog.SelectProvider(ConfigSide::Source, 0);
    EXPECT_TRUE(fs::is_regular_file(Program() / "Access_New.mdb")) << "the same switch once the tasks ended";
}

TEST_F(ConfigDialogTest, BrowsingPutsTheChosenFileIntoTheSourceNameOrTheCatalog) {
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    dialog.fields(ConfigSide::Source).catalogName = "old";
    ui.QueueChosenPath(fs::path("/data/b.mdb"));
    ui.QueueChosenPath(fs::path("/data/a.mdb"));
    ui.QueueChosenPath(std::nullopt);
    EXPECT_TRUE(dialog.BrowseSourceName(ConfigSide::Source));
    EXPECT_TRUE(dialog.BrowseSourceName(ConfigSide::Source));
    EXPECT_FALSE(dialog.BrowseSourceName(ConfigSide::Source));
    const SourceNameList& names = dialog.sourceNames(ConfigSide::Source);
    EXPECT_THAT(names.entries, ElementsAre("/data/a.mdb", "/data/b.mdb"));
    EXPECT_EQ(names.selected, 0) << "the chosen file is selected, wherever the sorted list puts it";
    EXPECT_EQ(dialog.fields(ConfigSide::Source).sourceName, "/data/a.mdb");
    EXPECT_EQ(dialog.fields(ConfigSide::Source).catalogName, "");
    ASSERT_EQ(ui.fileRequests().size(), 3u);
    EXPECT_EQ(ui.fileRequests()[0], (app::FileChooserRequest{"Open the database file",
                                                             "Access File (*.mdb *.MDB *.accdb *.ACCDB)", {}, false}));

    dialog.SelectProvider(ConfigSide::Target, 2);
    dialog.fields(ConfigSide::Target).sourceName = "Sales";
    ui.QueueChosenPath(fs::path("/data/Sales.xls"));
    EXPECT_TRUE(dialog.BrowseCatalogName(ConfigSide::Target));
    EXPECT_EQ(dialog.fields(ConfigSide::Target).catalogName, "/data/Sales.xls");
    EXPECT_EQ(dialog.fields(ConfigSide::Target).sourceName, "");
    EXPECT_EQ(ui.fileRequests().back().filter, "Excel File (*.xls *.XLS)");
    EXPECT_FALSE(ui.fileRequests()[0].newFileAllowed) << "a source must exist";
    EXPECT_TRUE(ui.fileRequests().back().newFileAllowed) << "a target may be named anew";
}

// A workbook named for the target that is not there yet: Test Connections says that
// Connect makes it, and Connect does, then connects to it.
TEST_F(ConfigDialogTest, ANewTargetWorkbookIsAnnouncedByTestAndMadeByConnect) {
    const fs::path shop = WriteShop(scratch / "data/Shop.mdb");
    const fs::path book = scratch / "data/New.xls";
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    dialog.fields(ConfigSide::Source).sourceName = shop.string();
    ui.QueueChosenPath(scratch / "data/New");
    ASSERT_TRUE(dialog.BrowseSourceName(ConfigSide::Target));
    dialog.TestConnections();
    EXPECT_THAT(BoxTexts(), ElementsAre("Source Connection Successful!",
                                        "The workbook [" + book.string() + "] does not exist yet: Connect creates it."));
    EXPECT_FALSE(fs::exists(book)) << "a test makes nothing";

    dialog.Connect();
    ConnectCommand(program.output(), program.gate(), program.sides());
    ASSERT_TRUE(fs::exists(book));
    EXPECT_THAT(ui.messages(), ::testing::Contains("Create Excel xls File [" + book.string() + "]"));
    EXPECT_TRUE(program.sides().target().holder().HasSession());
    EXPECT_EQ(test::ReadWithXlrd(book)["sheets"].size(), 1u);

    const std::size_t shown = ui.boxes().size();
    dialog.TestConnections();
    EXPECT_EQ(BoxTexts().back(), "Target Connection Successful!") << "once there, it is tested as any other";
    EXPECT_EQ(ui.boxes().size(), shown + 2);
}

TEST_F(ConfigDialogTest, TestConnectionsReportsEachSideAndChangesNothing) {
    const fs::path shop = WriteShop(scratch / "data/Shop.mdb");
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    dialog.fields(ConfigSide::Source).sourceName = shop.string();
    WriteFile(scratch / "data/Broken.xls", "no workbook");
    dialog.fields(ConfigSide::Target).sourceName = (scratch / "data/Broken.xls").string();
    dialog.TestConnections();
    const auto texts = BoxTexts();
    ASSERT_EQ(texts.size(), 3u) << ::testing::PrintToString(texts);
    EXPECT_EQ(texts[0], "Source Connection Successful!");
    EXPECT_EQ(texts[1], "Target DB Connect ERROR!");
    EXPECT_THAT(texts[2], HasSubstr("Broken.xls")) << "the provider's own reason";
    EXPECT_THAT(ui.messages(), IsEmpty());
    EXPECT_EQ(program.sides().source().settings(), ConnectionSettings{});
    EXPECT_FALSE(program.sides().source().holder().HasSession());
}

// Through ODBC the files are the catalogs, chosen by a double click in the catalog
// field; both drivers then open them.
TEST_F(ConfigDialogTest, OdbcDriversOpenTheFilesNamedAsCatalogs) {
    const fs::path shop = WriteShop(scratch / "data/Shop.mdb");
    const fs::path book = scratch / "data/Book.xls";
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    dialog.SelectProvider(ConfigSide::Source, 3);
    dialog.SelectProvider(ConfigSide::Target, 2);
    dialog.fields(ConfigSide::Source).catalogName = shop.string();
    xls::Workbook::CreateNew({"Sheet1"}).Save(book);
    dialog.fields(ConfigSide::Target).catalogName = book.string();
    dialog.TestConnections();
    EXPECT_THAT(BoxTexts(), ElementsAre("Source Connection Successful!", "Target Connection Successful!"));
}

// Through ODBC without a data source or a file, each driver says what it misses.
TEST_F(ConfigDialogTest, OdbcDriversWithoutAFileFailTheirTestWithTheDriversReason) {
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    dialog.SelectProvider(ConfigSide::Source, 3);
    dialog.SelectProvider(ConfigSide::Target, 3);
    dialog.TestConnections();
    const auto texts = BoxTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "Source DB Connect ERROR!");
    EXPECT_THAT(texts[1], HasSubstr("DBQ"));
    EXPECT_EQ(texts[2], "Target DB Connect ERROR!");
    EXPECT_THAT(texts[3], HasSubstr("[Tabvex][Excel Driver]"));
}

TEST_F(ConfigDialogTest, ConnectHandsOverAndPostsTheConnectCommand) {
    const fs::path shop = WriteShop(scratch / "data/Shop.mdb");
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    dialog.SelectProvider(ConfigSide::Target, 0);  // Excel_New.xls in the program's folder
    dialog.fields(ConfigSide::Source).sourceName = shop.string();
    dialog.ToggleConfigFile();
    dialog.Connect();
    EXPECT_THAT(ui.postedCommands(), ElementsAre(kConnectButton));
    EXPECT_EQ(program.sides().source().settings().sourceName, shop.string());
    EXPECT_EQ(program.sides().target().settings().providerProgId, "Microsoft.Jet.OLEDB.4.0");

    ConfigDialogRecord reread;
    ReadConfigOptions(reread, program.output(), program.options(), program.programDirectory());
    EXPECT_EQ(reread.source.sourceName, shop.string());
    EXPECT_EQ(reread.target.sourceName, (Program() / "Excel_New.xls").string());

    ConnectCommand(program.output(), program.gate(), program.sides());
    EXPECT_TRUE(program.sides().source().holder().HasSession());
    EXPECT_TRUE(program.sides().target().holder().HasSession());
}

// After a restart nothing was handed over yet: Connect takes what the file keeps,
// and the dialog then shows the connection the window holds, not the file's older one.
TEST_F(ConfigDialogTest, AfterARestartConnectUsesTheSavedFileAndConfigureShowsTheCurrentConnection) {
    const fs::path shop = WriteShop(scratch / "data/Shop.mdb");
    const fs::path book = scratch / "data/Book.xls";
    xls::Workbook::CreateNew({"Sheet1"}).Save(book);
    WriteFile(MigratorConfigPath(Program()),
              "[Public]\nConfig=true\nAutoBackup=true\n"
              "[SourceDB]\nProvider=Microsoft Jet 4.0 OLE DB Provider\nSourceName=" + shop.string() +
                  "\nUserID=Admin\n"
              "[TargetDB]\nProvider=Microsoft Jet 4.0 OLE DB Provider\nSourceName=" + book.string() + "\n");
    TakeSavedConnections(program.options(), program.sides());
    EXPECT_TRUE(program.options().get().autoBackup);
    ConnectCommand(program.output(), program.gate(), program.sides());
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_TRUE(program.sides().source().holder().HasSession());
    EXPECT_TRUE(program.sides().target().holder().HasSession());

    // Another database is connected now than the one the file names.
    const fs::path other = WriteShop(scratch / "data/Other.mdb");
    program.sides().source().settings().sourceName = other.string();
    ConnectSource(program.output(), program.sides());
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    EXPECT_EQ(dialog.fields(ConfigSide::Source).sourceName, other.string());
    EXPECT_EQ(dialog.fields(ConfigSide::Source).userId, "Admin");
    EXPECT_EQ(dialog.fields(ConfigSide::Source).catalogName, "") << "Jet's catalog is derived, never typed";
    EXPECT_EQ(dialog.fields(ConfigSide::Target).sourceName, book.string());
    EXPECT_EQ(dialog.selectedProvider(ConfigSide::Target), 0);
}

TEST_F(ConfigDialogTest, AFileThatKeepsNoConnectionsGivesNothingAtStartUp) {
    WriteFile(MigratorConfigPath(Program()), "[Public]\nConfig=false\n[SourceDB]\nSourceName=/data/Shop.mdb\n");
    TakeSavedConnections(program.options(), program.sides());
    EXPECT_EQ(program.sides().source().settings(), ConnectionSettings{});
    fs::remove(MigratorConfigPath(Program()));
    TakeSavedConnections(program.options(), program.sides());
    EXPECT_EQ(program.sides().source().settings(), ConnectionSettings{});
    EXPECT_THAT(ui.boxes(), IsEmpty());
}

TEST_F(ConfigDialogTest, DisplayTipsTakesEffectInTheWindowAtOnce) {
    ConfigDialog dialog(program.output(), program.gate(), program.sides(), program.options(), Odbc());
    dialog.ToggleDisplayTips();
    EXPECT_TRUE(program.options().get().tipsPageShown);
    dialog.ToggleDisplayTips();
    EXPECT_THAT(ui.tipsPageChanges(), ElementsAre(true, false));
    EXPECT_FALSE(fs::exists(MigratorConfigPath(Program())));
}

}  // namespace
}  // namespace tabvex::connect
