#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connecting/config_file.h"
#include "shell/program.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"

namespace tabvex::connect {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;
using ::testing::ElementsAre;

class ConfigFileTest : public ::testing::Test {
protected:
    fs::path ConfigPath() const { return scratch / "migrator.cfg"; }

    static ConfigDialogRecord TypedRecord(bool configFile) {
        ConfigDialogRecord record;
        record.source = {"Microsoft Jet 4.0 OLE DB Provider", "/Data/Shop.MDB", "Admin", "PassWord1", "Shop"};
        record.target = {"Microsoft Jet 4.0 OLE DB Provider", "/Data/Out.XLS", "", "", "Out"};
        record.options.configFile = configFile;
        record.options.autoBackup = true;
        return record;
    }

    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};
};

constexpr const char* kFullFile =
    "[public]\n"
    "CONFIG=untrue\n"
    "AutoBackup=true1\n"
    "Tips=TRUE\n"
    "[SourceDB]\n"
    "Provider=Microsoft Jet 4.0 OLE DB Provider\n"
    "SourceName=/Data/Shop.mdb\n"
    "userid=Admin\n"
    "PassWord=Secret\n"
    "CatalogName=Shop\n"
    "[TargetDB]\n"
    "Provider=Microsoft Jet 4.0 OLE DB Provider\n"
    "SourceName=/Data/Out.xls\n";

TEST_F(ConfigFileTest, WithoutAFileEverythingStaysOffAndEmpty) {
    ConfigDialogRecord record;
    record.options.overwriteTable = true;
    ReadConfigOptions(record, program.output(), program.options(), program.programDirectory());
    EXPECT_EQ(record.options, ConfigDialogOptions{});
    EXPECT_EQ(record.source, SideFields{});
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_TRUE(ui.tipsPageChanges().empty()) << "the Tips tab is left as it was";
}

TEST_F(ConfigFileTest, BooleansAreASubstringTestAndSectionsLoadWhenConfigIsTrue) {
    WriteFile(ConfigPath(), kFullFile);
    ConfigDialogRecord record;
    ReadConfigOptions(record, program.output(), program.options(), program.programDirectory());
    EXPECT_TRUE(record.options.configFile) << "\"untrue\" holds \"true\"";
    EXPECT_TRUE(record.options.autoBackup) << "\"true1\" holds \"true\"";
    EXPECT_FALSE(record.options.displayTips) << "\"TRUE\" does not";
    EXPECT_EQ(record.source, (SideFields{"Microsoft Jet 4.0 OLE DB Provider", "/Data/Shop.mdb", "Admin", "Secret", "Shop"}));
    EXPECT_EQ(record.target, (SideFields{"Microsoft Jet 4.0 OLE DB Provider", "/Data/Out.xls", "", "", ""}));
    EXPECT_FALSE(program.options().get().autoBackup) << "reading hands nothing to the main window";
}

TEST_F(ConfigFileTest, SectionsStayEmptyWhenConfigIsFalse) {
    WriteFile(ConfigPath(), "[Public]\nConfig=false\nTips=true\n[SourceDB]\nSourceName=x\n");
    ConfigDialogRecord record;
    ReadConfigOptions(record, program.output(), program.options(), program.programDirectory());
    EXPECT_FALSE(record.options.configFile);
    EXPECT_EQ(record.source, SideFields{});
    EXPECT_TRUE(record.options.displayTips);
    EXPECT_THAT(ui.tipsPageChanges(), ElementsAre(true));
    WriteFile(ConfigPath(), "[Public]\nTips=false\n");
    ReadConfigOptions(record, program.output(), program.options(), program.programDirectory());
    EXPECT_THAT(ui.tipsPageChanges(), ElementsAre(true, false));
}

// Long paths and passwords, blanks at either end and quotes come back from the file
// exactly as they were typed, through Save Config and the next dialog's read.
TEST_F(ConfigFileTest, ValuesOfAnyLengthBlanksAndQuotesReadBackAsWritten) {
    std::string longName = "/Data/";
    for (int i = 0; i < 160; ++i) longName += "\xC3\xA9";  // 160 two-byte characters
    longName += "/Shop.MDB";
    ConfigDialogRecord record = TypedRecord(true);
    record.source.sourceName = longName;
    record.source.password = "  " + std::string(300, 'p') + " ";
    record.source.userId = "\"Admin\"";
    record.source.catalogName = "'Shop'";
    record.target.sourceName = " /Data/Out.XLS";
    record.target.password = "pass\"word'";
    SaveConfig(record, program.output(), program.programDirectory());

    ConfigDialogRecord read;
    ReadConfigSections(read, program.output(), program.programDirectory());
    EXPECT_EQ(read.source, record.source);
    EXPECT_EQ(read.target, record.target);
    ASSERT_GT(record.source.sourceName.size(), 300u);

    // Written back as read, nothing is lost on the way either.
    SaveConfig(read, program.output(), program.programDirectory());
    ConfigDialogRecord again;
    ReadConfigSections(again, program.output(), program.programDirectory());
    EXPECT_EQ(again.source, record.source);
    EXPECT_EQ(again.target, record.target);
}

TEST_F(ConfigFileTest, SectionsWithoutAFileShowTheMessageAndChangeNothing) {
    ConfigDialogRecord record = TypedRecord(true);
    const ConfigDialogRecord before = record;
    ReadConfigSections(record, program.output(), program.programDirectory());
    EXPECT_EQ(record.source, before.source);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, "找不到有效配置文件(" + ConfigPath().string() + "),检查配置文件路径!");
}

// Source and catalog names are file names on Linux: lower-casing them would name other files.
TEST_F(ConfigFileTest, ConnectWritesTheTypedValuesAndHandsThemOverAsTyped) {
    ConfigDialogRecord record = TypedRecord(true);
    program.sides().source().settings().dbmsName = "MS Jet[04.00.0000]";
    WriteConfigOnConnect(record, program.output(), program.options(), program.sides());
    EXPECT_EQ(ReadFile(ConfigPath()),
              "[Public]\n"
              "Tips=false\n"
              "AutoBackup=true\n"
              "SplitLongTables=false\n"
              "Verify=false\n"
              "BinaryFiles=false\n" "OverwriteTable=false\n"
              "Config=true\n"
              "[SourceDB]\n"
              "Provider=Microsoft Jet 4.0 OLE DB Provider\n"
              "SourceName=/Data/Shop.MDB\n"
              "UserID=Admin\n"
              "PassWord=PassWord1\n"
              "CatalogName=Shop\n"
              "[TargetDB]\n"
              "Provider=Microsoft Jet 4.0 OLE DB Provider\n"
              "SourceName=/Data/Out.XLS\n"
              "UserID=\n"
              "PassWord=\n"
              "CatalogName=Out\n");
    EXPECT_EQ(fs::status(ConfigPath()).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    const ConnectionSettings& source = program.sides().source().settings();
    EXPECT_EQ(source.sourceName, "/Data/Shop.MDB");
    EXPECT_EQ(source.catalogName, "Shop");
    EXPECT_EQ(source.password, "PassWord1");
    EXPECT_EQ(source.userId, "Admin");
    EXPECT_EQ(source.providerName, "Microsoft Jet 4.0 OLE DB Provider");
    EXPECT_EQ(source.providerProgId, "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(source.dbmsName, "MS Jet[04.00.0000]") << "connecting, not the dialog, sets the DBMS name";
    EXPECT_EQ(program.sides().target().settings().sourceName, "/Data/Out.XLS");
    EXPECT_EQ(record.source.sourceName, "/Data/Shop.MDB") << "the dialog's fields stay as typed";
    EXPECT_EQ(record.target.catalogName, "Out");
    EXPECT_TRUE(program.options().get().autoBackup);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ConfigFileTest, ConnectWithoutConfigFileKeepsTheOldSections) {
    WriteFile(ConfigPath(), "; written by hand\n[Public]\nConfig=true\n\n[SourceDB]\nSourceName=/old.mdb\n");
    fs::permissions(ConfigPath(), fs::perms::all);
    ConfigDialogRecord record = TypedRecord(false);
    WriteConfigOnConnect(record, program.output(), program.options(), program.sides());
    EXPECT_EQ(ReadFile(ConfigPath()),
              "; written by hand\n[Public]\nConfig=false\nTips=false\nAutoBackup=true\nSplitLongTables=false\n"
              "Verify=false\nBinaryFiles=false\nOverwriteTable=false\n\n[SourceDB]\nSourceName=/old.mdb\n");
    EXPECT_EQ(fs::status(ConfigPath()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(program.sides().source().settings().sourceName, "/Data/Shop.MDB");
}

// The migration options are kept whether or not the file keeps the connections, and
// reach the main window on Connect and at start-up, never by merely reading.
TEST_F(ConfigFileTest, TheMigrationOptionsAreWrittenReadAndHandedOver) {
    ConfigDialogRecord record = TypedRecord(false);
    record.options.verifyAfterWriting = true;
    record.options.binaryFiles = true;
    record.options.overwriteTable = true;
    WriteConfigOnConnect(record, program.output(), program.options(), program.sides());
    EXPECT_EQ(ReadFile(ConfigPath()), "[Public]\nConfig=false\nTips=false\nAutoBackup=true\nSplitLongTables=false\n"
                                      "Verify=true\nBinaryFiles=true\nOverwriteTable=true\n");
    EXPECT_TRUE(program.options().get().verifyAfterWriting);
    EXPECT_TRUE(program.options().get().binaryFiles);

    shell::Program later(ui, scratch.path());
    ConfigDialogRecord read;
    ReadConfigOptions(read, later.output(), later.options(), later.programDirectory());
    EXPECT_TRUE(read.options.verifyAfterWriting);
    EXPECT_TRUE(read.options.binaryFiles);
    EXPECT_TRUE(read.options.overwriteTable);
    EXPECT_FALSE(later.options().get().verifyAfterWriting);
    TakeSavedConnections(later.options(), later.sides());
    EXPECT_TRUE(later.options().get().verifyAfterWriting);
    EXPECT_TRUE(later.options().get().binaryFiles);
    EXPECT_TRUE(later.options().get().overwriteTable);
    EXPECT_EQ(later.sides().source().settings(), ConnectionSettings{}) << "Config=false keeps the connections out";

    record.options.binaryFiles = false;
    WriteConfigOnConnect(record, program.output(), program.options(), program.sides());
    EXPECT_FALSE(program.options().get().binaryFiles);
    EXPECT_TRUE(program.options().get().verifyAfterWriting);
}

// Trace files are on unless the file turns them off; the dialog, which has no field
// for them, keeps the key as it was written by hand.
TEST_F(ConfigFileTest, TraceFilesAreOnUnlessTheFileTurnsThemOff) {
    TakeSavedConnections(program.options(), program.sides());
    EXPECT_TRUE(program.options().get().traceFiles) << "no file";
    WriteFile(ConfigPath(), "[Public]\nVerify=true\n");
    TakeSavedConnections(program.options(), program.sides());
    EXPECT_TRUE(program.options().get().traceFiles) << "no key";
    WriteFile(ConfigPath(), "[Public]\nTraceFiles=false\n");
    TakeSavedConnections(program.options(), program.sides());
    EXPECT_FALSE(program.options().get().traceFiles);

    WriteConfigOnConnect(TypedRecord(false), program.output(), program.options(), program.sides());
    EXPECT_THAT(ReadFile(ConfigPath()), ::testing::HasSubstr("TraceFiles=false\n"));
    EXPECT_FALSE(program.options().get().traceFiles) << "Connect hands over only the dialog's options";
}

TEST_F(ConfigFileTest, ConnectReportsAFileItCannotWriteAndStillHandsOver) {
    shell::Program homeless(ui, scratch / "no-such-folder");
    ConfigDialogRecord record = TypedRecord(true);
    WriteConfigOnConnect(record, homeless.output(), homeless.options(), homeless.sides());
    ASSERT_EQ(ui.lines().size(), 1u);
    EXPECT_EQ(ui.lines()[0].colours, app::kErrorColours);
    EXPECT_THAT(ui.messages()[0], ::testing::HasSubstr((scratch / "no-such-folder" / "migrator.cfg").string()));
    EXPECT_EQ(homeless.sides().source().settings().catalogName, "Shop");
}

TEST_F(ConfigFileTest, SaveConfigWritesBothSectionsAndHandsNothingOver) {
    ConfigDialogRecord record = TypedRecord(true);
    record.options.displayTips = true;
    SaveConfig(record, program.output(), program.programDirectory());
    const std::string text = ReadFile(ConfigPath());
    EXPECT_TRUE(text.starts_with("[Public]\nConfig=true\nTips=true\nAutoBackup=true\nSplitLongTables=false\n"
                                 "Verify=false\nBinaryFiles=false\nOverwriteTable=false\n[SourceDB]\n"))
        << text;
    EXPECT_THAT(text, ::testing::HasSubstr("[TargetDB]\nProvider=Microsoft Jet 4.0 OLE DB Provider\nSourceName=/Data/Out.XLS\n"));
    EXPECT_EQ(program.sides().source().settings(), ConnectionSettings{});
    EXPECT_FALSE(program.options().get().autoBackup);
    EXPECT_EQ(record.source.sourceName, "/Data/Shop.MDB");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, "The Config Infomation saved successfully!");
}

TEST_F(ConfigFileTest, ContinuingLongTablesIsReadWrittenAndHandedOverAsAutoBackupIs) {
    WriteFile(ConfigPath(), "[Public]\nConfig=true\nSplitLongTables=true\n");
    ConfigDialogRecord record;
    ReadConfigOptions(record, program.output(), program.options(), program.programDirectory());
    EXPECT_TRUE(record.options.splitLongTables);
    EXPECT_FALSE(program.options().get().splitLongTables) << "reading hands nothing to the main window";
    TakeSavedConnections(program.options(), program.sides());
    EXPECT_TRUE(program.options().get().splitLongTables) << "at start-up the saved option applies";

    record.options.splitLongTables = false;
    WriteConfigOnConnect(record, program.output(), program.options(), program.sides());
    EXPECT_FALSE(program.options().get().splitLongTables);
    EXPECT_THAT(ReadFile(ConfigPath()), ::testing::HasSubstr("SplitLongTables=false\n"));
}

TEST_F(ConfigFileTest, SaveConfigWithTheOptionOffWritesOnlyConfigFalse) {
    WriteFile(ConfigPath(), "[Public]\nTips=true\nAutoBackup=false\n");
    SaveConfig(TypedRecord(false), program.output(), program.programDirectory());
    EXPECT_EQ(ReadFile(ConfigPath()), "[Public]\nTips=true\nAutoBackup=false\nConfig=false\n");
}

TEST_F(ConfigFileTest, SaveConfigThatFailsSaysSoInsteadOfSuccess) {
    shell::Program homeless(ui, scratch / "no-such-folder");
    SaveConfig(TypedRecord(true), homeless.output(), homeless.programDirectory());
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].icon, app::MessageIcon::Error);
    EXPECT_THAT(ui.boxes()[0].text, ::testing::HasSubstr("not saved"));
}

TEST_F(ConfigFileTest, WrittenValuesReadBackThroughTheDialogRecord) {
    ConfigDialogRecord typed = TypedRecord(true);
    typed.options.displayTips = true;
    SaveConfig(typed, program.output(), program.programDirectory());
    ConfigDialogRecord reopened;
    ReadConfigOptions(reopened, program.output(), program.options(), program.programDirectory());
    EXPECT_EQ(reopened.source, typed.source);
    EXPECT_EQ(reopened.target, typed.target);
    EXPECT_EQ(reopened.options, typed.options);
}

}  // namespace
}  // namespace tabvex::connect
