// The four dialogs driven as a person drives them, on the offscreen platform: the
// scripted host answers the message boxes and file choosers they ask through the port.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QRadioButton>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/adapter_test_support.h"
#include "browser/condition_file.h"
#include "browser/fill_tree.h"
#include "connecting/config_file.h"
#include "connecting/connecting.h"
#include "gui/dialogs/charset_dlg.h"
#include "gui/dialogs/check_dlg.h"
#include "gui/dialogs/check_report_model.h"
#include "gui/dialogs/condition_dlg.h"
#include "gui/dialogs/config_dlg.h"
#include "gui/dialogs/driver_check_dlg.h"
#include "gui/screenshot.h"
#include "platform/jet/mdb/database_writer.h"
#include "shell/program.h"
#include "tasks/bodies/migrate_command.h"
#include "support/jet_connection.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"

namespace tabvex::gui {
namespace {

namespace fs = std::filesystem;
using connect::ConfigSide;
using ::testing::ElementsAre;

class DialogTest : public ::testing::Test {
protected:
    fs::path Program() const { return scratch / "program"; }

    // Customers with three rows, written by the Access writer.
    fs::path WriteShop(const fs::path& path) {
        fs::create_directories(path.parent_path());
        mdb::DatabaseWriter writer(path);
        writer.AddTable("Customers", {{"ID", mdb::JetType::Long, 0}, {"Name", mdb::JetType::Text, 40}});
        for (const char* id : {"1", "2", "3"}) writer.AddRow("Customers", {id, std::string("Name ") + id});
        writer.Write();
        return path;
    }

    template <typename Widget>
    static Widget* Child(const QWidget& dialog, const char* id) {
        auto* child = dialog.findChild<Widget*>(id);
        EXPECT_NE(child, nullptr) << "no control " << id;
        return child;
    }

    // Near the left edge: a check box stretched by its layout reacts only on its box
    // and its text, not on the empty rest.
    static void Click(const QWidget& dialog, const char* id) {
        QAbstractButton* button = Child<QAbstractButton>(dialog, id);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    // A window manager gives the dialog its title bar, which shows the caption.
    static void ExpectTitleBar(const QWidget& dialog, const QString& caption) {
        EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint)) << caption.toStdString();
        EXPECT_EQ(dialog.windowTitle(), caption);
        EXPECT_GT(dialog.width(), dialog.fontMetrics().horizontalAdvance(caption) + 100) << "the title is not cut";
    }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.boxes()) texts.push_back(box.text);
        return texts;
    }

    connect::OdbcConfigFiles Odbc() const { return {scratch / "odbcinst.ini", scratch / "odbc.ini", scratch / "u.ini"}; }

    test::ScratchProfile profile;
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, (fs::create_directories(scratch / "program"), scratch / "program")};
};

using ConfigDlgTest = DialogTest;

TEST_F(ConfigDlgTest, FilledTestedAndConnectedAgainstAWrittenDatabaseAndANewWorkbook) {
    const fs::path shop = WriteShop(scratch / "data/Shop.mdb");
    CConfigDlg dialog(program.output(), program.gate(), program.sides(), program.options(), nullptr, Odbc());
    dialog.show();
    ExpectTitleBar(dialog, "Config");
    const auto& source = dialog.controls(ConfigSide::Source);
    const auto& target = dialog.controls(ConfigSide::Target);
    EXPECT_EQ(source.provider->currentText(), "Microsoft Jet 4.0 OLE DB Provider");
    EXPECT_EQ(source.group->title(), "Access");
    EXPECT_EQ(target.family->currentText(), "Excel");
    EXPECT_FALSE(target.family->isEnabled());

    QTest::keyClicks(source.sourceName->lineEdit(), QString::fromStdString(shop.string()));
    emit target.provider->activated(0);  // choosing Jet again offers a new workbook
    const fs::path book = Program() / "Excel_New.xls";
    EXPECT_EQ(target.sourceName->currentText().toStdString(), book.string());
    EXPECT_EQ(test::ReadWithXlrd(book)["sheets"].size(), 1u);

    Click(dialog, "3");
    EXPECT_THAT(BoxTexts(), ElementsAre("Source Connection Successful!", "Target Connection Successful!"));
    test::SaveScreenshot(dialog, "config_dialog.png");

    Click(dialog, "1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_THAT(ui.postedCommands(), ElementsAre(connect::kConnectButton));
    EXPECT_EQ(program.sides().source().settings().sourceName, shop.string());
    EXPECT_EQ(program.sides().target().settings().sourceName, book.string());
    connect::ConnectCommand(program.output(), program.gate(), program.sides());  // what the posted command runs
    EXPECT_TRUE(program.sides().source().holder().HasSession());
    EXPECT_TRUE(program.sides().target().holder().HasSession());
}

TEST_F(ConfigDlgTest, SaveConfigWritesAFileThatTheNextDialogShows) {
    {
        CConfigDlg dialog(program.output(), program.gate(), program.sides(), program.options(), nullptr, Odbc());
        dialog.show();
        Click(dialog, "1008");
        ASSERT_TRUE(Child<QCheckBox>(dialog, "1008")->isChecked());
        const auto& source = dialog.controls(ConfigSide::Source);
        source.sourceName->setEditText("/data/Shop.mdb");
        QTest::keyClicks(source.userId, "Admin");
        QTest::keyClicks(source.password, "Se cret");
        Click(dialog, "4");
        EXPECT_THAT(BoxTexts(), ElementsAre("The Config Infomation saved successfully!"));
        EXPECT_TRUE(program.sides().source().settings().sourceName.empty()) << "Save hands nothing over";
    }
    connect::ConfigDialogRecord reread;
    connect::ReadConfigOptions(reread, program.output(), program.options(), program.programDirectory());
    EXPECT_EQ(reread.source, (connect::SideFields{"Microsoft Jet 4.0 OLE DB Provider", "/data/Shop.mdb", "Admin",
                                                  "Se cret", ""}));

    CConfigDlg next(program.output(), program.gate(), program.sides(), program.options(), nullptr, Odbc());
    EXPECT_TRUE(Child<QCheckBox>(next, "1008")->isChecked());
    EXPECT_EQ(next.controls(ConfigSide::Source).password->text(), "Se cret");
    EXPECT_EQ(next.controls(ConfigSide::Source).sourceName->currentText(), "/data/Shop.mdb");
}

TEST_F(ConfigDlgTest, ContinuingLongTablesIsABoxThatIsSavedShownAgainAndHandedOver) {
    {
        CConfigDlg dialog(program.output(), program.gate(), program.sides(), program.options(), nullptr, Odbc());
        dialog.show();
        ASSERT_FALSE(Child<QCheckBox>(dialog, "SplitLongTables")->isChecked());
        EXPECT_EQ(Child<QCheckBox>(dialog, "SplitLongTables")->text(), "Continue long tables on new sheets");
        Click(dialog, "1008");
        Click(dialog, "SplitLongTables");
        Click(dialog, "4");
    }
    CConfigDlg next(program.output(), program.gate(), program.sides(), program.options(), nullptr, Odbc());
    next.show();
    EXPECT_TRUE(Child<QCheckBox>(next, "SplitLongTables")->isChecked());
    EXPECT_FALSE(program.options().get().splitLongTables) << "Save hands nothing over";
    Click(next, "1");
    EXPECT_TRUE(program.options().get().splitLongTables);
}

// "Verify after writing", "Save long binary values as files" and "Overwrite the
// same-name table": each box turns its option on and off, Connect hands them to the
// main window, and the next dialog shows them as saved.
TEST_F(ConfigDlgTest, TheMigrationOptionBoxesReachTheWindowAndTheNextDialog) {
    {
        CConfigDlg dialog(program.output(), program.gate(), program.sides(), program.options(), nullptr, Odbc());
        dialog.show();
        auto* verify = Child<QCheckBox>(dialog, "Verify");
        auto* binaryFiles = Child<QCheckBox>(dialog, "BinaryFiles");
        EXPECT_EQ(verify->text(), "Verify after writing");
        EXPECT_EQ(binaryFiles->text(), "Save long binary values as files");
        EXPECT_FALSE(verify->isChecked());
        Click(dialog, "Verify");
        Click(dialog, "BinaryFiles");
        Click(dialog, "BinaryFiles");
        Click(dialog, "BinaryFiles");
        EXPECT_TRUE(verify->isChecked());
        EXPECT_TRUE(binaryFiles->isChecked());
        Click(dialog, "Verify");
        EXPECT_FALSE(verify->isChecked());
        Click(dialog, "Verify");
        auto* overwrite = Child<QCheckBox>(dialog, "1014");
        EXPECT_EQ(overwrite->text(), "Overwrite the same-name table");
        EXPECT_TRUE(overwrite->isEnabled());
        Click(dialog, "1014");
        EXPECT_TRUE(overwrite->isChecked());
        Click(dialog, "1");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_TRUE(program.options().get().verifyAfterWriting);
    EXPECT_TRUE(program.options().get().binaryFiles);
    EXPECT_TRUE(program.options().get().overwriteTable);

    CConfigDlg next(program.output(), program.gate(), program.sides(), program.options(), nullptr, Odbc());
    EXPECT_TRUE(Child<QCheckBox>(next, "Verify")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(next, "BinaryFiles")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(next, "1014")->isChecked());
    Click(next, "BinaryFiles");
    Click(next, "1");
    EXPECT_TRUE(program.options().get().verifyAfterWriting);
    EXPECT_FALSE(program.options().get().binaryFiles);
}

TEST_F(ConfigDlgTest, JetDropsDownAFileChooserAndOdbcBrowsesFromTheCatalog) {
    CConfigDlg dialog(program.output(), program.gate(), program.sides(), program.options(), nullptr, Odbc());
    dialog.show();
    const auto& source = dialog.controls(ConfigSide::Source);
    source.catalogName->setText("old");
    ui.QueueChosenPath(fs::path("/data/Chosen.mdb"));
    source.sourceName->showPopup();
    EXPECT_EQ(source.sourceName->currentText(), "/data/Chosen.mdb");
    EXPECT_EQ(source.catalogName->text(), "");

    emit source.provider->activated(3);
    EXPECT_EQ(source.provider->currentText(), "Microsoft Access Driver");
    EXPECT_EQ(source.sourceNameLabel->text(), "Source Name");
    source.sourceName->setEditText("Shop");
    ui.QueueChosenPath(fs::path("/data/Other.mdb"));
    QTest::mouseDClick(source.catalogName, Qt::LeftButton);
    EXPECT_EQ(source.catalogName->text(), "/data/Other.mdb");
    EXPECT_EQ(source.sourceName->currentText(), "");
    EXPECT_EQ(ui.fileRequests().size(), 2u);
}

TEST_F(DialogTest, DriverCheckShowsColouredRowsAndOpenConfigPostsTheConfigCommand) {
    const auto classes = registry::ClassRegistry::FromText(
        "[ProgID]\nMicrosoft.Jet.OLEDB.4.0 = {DEE35070-506B-11CF-B1AA-00AA00B8DE95}\n"
        "[InprocServer]\n{DEE35070-506B-11CF-B1AA-00AA00B8DE95} = jet\n");
    CDriverCheckDlg dialog(program.output().ui(), nullptr, {&classes, Odbc()});
    dialog.show();
    ExpectTitleBar(dialog, "ODBC Driver/OLEDB Provider Check");
    std::vector<std::string> texts;
    for (const QLabel* label : dialog.rowLabels()) texts.push_back(label->text().toStdString());
    EXPECT_THAT(texts, ElementsAre("Microsoft Jet 4.0 OLE DB Provider", "Installed", "Usable",
                                   "Microsoft OLE DB Provider for ODBC Drivers", "Not Installed", "Unusable",
                                   "Microsoft Jet 4.0 OLE DB Provider", "Installed", "Usable",
                                   "Microsoft OLE DB Provider for ODBC Drivers", "Not Installed", "Unusable"));
    EXPECT_EQ(dialog.rowLabels()[2]->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(dialog.rowLabels()[5]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(dialog.rowLabels()[1]->palette().color(QPalette::WindowText),
              dialog.palette().color(QPalette::WindowText));
    test::SaveScreenshot(dialog, "driver_check.png");
    EXPECT_EQ(Child<QPushButton>(dialog, "1")->geometry(), QRect(640 - 175, dialog.height() - 30, 80, 25));

    // A setup link that no browser opens shows its address instead of doing nothing.
    QList<QUrl> opened;
    dialog.SetUrlOpener([&opened](const QUrl& url) {
        opened << url;
        return false;
    });
    emit Child<QLabel>(dialog, "SetupLink")->linkActivated(QString(connect::kDriverSetupAddress));
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QString(connect::kDriverSetupAddress))});
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_THAT(ui.boxes()[0].text, ::testing::EndsWith("\n" + std::string(connect::kDriverSetupAddress)));

    Click(dialog, "1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_THAT(ui.postedCommands(), ElementsAre(connect::kConfigButton));
}

TEST_F(DialogTest, ConditionTestEnablesSaveWhichStoresTheTestedText) {
    const fs::path shop = WriteShop(scratch / "shop.mdb");
    browser::DbTree& tree = program.sides().source().tree();
    program.sides().source().holder() = test::OpenJetConnection(shop);
    tree.SetConnection({&program.sides().source().holder(), "", "Microsoft.Jet.OLEDB.4.0", 4, "", ""});
    browser::FillTree(program.output(), program.sides().conditionFile(), tree);
    browser::NodeId customers = browser::kNoNode;
    const auto nodes = tree.nodes();
    for (browser::NodeId id = 0; id < nodes.size(); ++id)
        if (nodes[id].kind == browser::TreeNodeKind::Table && nodes[id].text == "Customers") customers = id;
    tree.Select(customers);
    auto model = browser::OpenConditionDialog(program.output(), program.gate(), program.sides().conditionFile(), tree);
    ASSERT_NE(model, nullptr);
    const std::string section = model->section();

    CConditionDlg dialog(std::move(model));
    dialog.show();
    ExpectTitleBar(dialog, "Migration Condition - Customers");
    EXPECT_EQ(Child<QLabel>(dialog, "1037")->text(), "select * from Customers where");
    EXPECT_FALSE(dialog.saveButton()->isEnabled());
    QTest::keyClicks(dialog.conditionBox(), "Nope>1");
    QTest::mouseClick(dialog.testButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.resultBox()->toPlainText().startsWith("Test failed!\n  Because:  "));
    EXPECT_FALSE(dialog.saveButton()->isEnabled());

    dialog.conditionBox()->setPlainText("ID>1");
    QTest::mouseClick(dialog.testButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.resultBox()->toPlainText(), "Test successfully!\n  2 Records can be converted.");
    test::SaveScreenshot(dialog, "condition_dialog.png");
    ASSERT_TRUE(dialog.saveButton()->isEnabled());
    QTest::keyClicks(dialog.conditionBox(), " or 1=1");  // edited after the test: not saved
    QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.saveButton()->isEnabled());
    EXPECT_EQ(browser::ReadCondition(program.sides().conditionFile(), section, "Customers"), "ID>1");

    dialog.conditionBox()->setPlainText(QString(1100, QChar(u'é')));
    EXPECT_EQ(dialog.conditionBox()->toPlainText(), QString(1024, QChar(u'é'))) << "the box takes 1024 characters";
}

TEST_F(DialogTest, CheckShowsEachTableGreenOrRedAndStartsTheMigrationFromThere) {
    const fs::path shop = scratch / "shop.mdb";
    {
        mdb::DatabaseWriter writer(shop);
        writer.AddTable("Customers", {{"ID", mdb::JetType::Long, 0}});
        writer.AddRow("Customers", {"1"});
        writer.AddTable("Notes", {{"ID", mdb::JetType::Long, 0}, {"Body", mdb::JetType::Memo, 0}});
        writer.AddRow("Notes", {"1", std::string(40000, 'n')});
        writer.Write();
    }
    browser::DbTree& tree = program.sides().source().tree();
    program.sides().source().holder() = test::OpenJetConnection(shop);
    tree.SetConnection({&program.sides().source().holder(), "", "Microsoft.Jet.OLEDB.4.0", 4, "", ""});
    browser::FillTree(program.output(), program.sides().conditionFile(), tree);
    auto first = [&](browser::TreeNodeKind kind) {
        const auto nodes = tree.nodes();
        for (browser::NodeId id = 0; id < nodes.size(); ++id)
            if (nodes[id].kind == kind) return id;
        return browser::kNoNode;
    };
    tree.Select(first(browser::TreeNodeKind::Field));
    EXPECT_EQ(check::OpenCheckDialog(program.output(), program.gate(), program.sides(), program.options().get(), tree), nullptr) << "a field is not checked";
    EXPECT_THAT(BoxTexts(), ElementsAre("Please select a database or a table in the Source Databases Tree to check!"));
    tree.Select(first(browser::TreeNodeKind::Database));

    auto model = check::OpenCheckDialog(program.output(), program.gate(), program.sides(), program.options().get(), tree);
    ASSERT_NE(model, nullptr);
    CCheckDlg dialog(std::move(model));
    dialog.show();
    ExpectTitleBar(dialog, "Check - [" + QString::fromStdString((scratch / "shop").string()) + "]");
    const QAbstractItemModel* rows = dialog.table()->model();
    ASSERT_EQ(rows->rowCount(), 2);
    auto cell = [&](int row, int column, int role = Qt::DisplayRole) { return rows->index(row, column).data(role); };
    EXPECT_EQ(cell(0, 0).toString(), "Customers");
    EXPECT_EQ(cell(0, 3).toString(), "arrives whole");
    EXPECT_EQ(cell(0, 0, Qt::BackgroundRole).value<QColor>(), kWholeRowColour);
    EXPECT_EQ(cell(1, 0).toString(), "Notes");
    EXPECT_EQ(cell(1, 1).toString(), "1");
    EXPECT_EQ(cell(1, 3).toString(), "1 value longer than 32,767 characters in [Body]");
    EXPECT_EQ(cell(1, 2, Qt::BackgroundRole).value<QColor>(), kNotWholeRowColour);
    EXPECT_EQ(dialog.summary()->text(), "Check: 2 tables, 1 would not arrive whole: [Notes]");
    test::SaveScreenshot(dialog, "check_dialog.png");

    QTest::mouseClick(dialog.migrateButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_THAT(ui.postedCommands(), ElementsAre(tasks::kMigrateButtonCommand));
    EXPECT_EQ(tree.node(tree.selected()).kind, browser::TreeNodeKind::Database);
}

TEST_F(DialogTest, CharsetSelectStoresTheCheckedNameAndCancelNothing) {
    program.sides().SetCharsetName("LATIN1");
    {
        CCharsetDlg dialog(program.sides());
        dialog.show();
        ExpectTitleBar(dialog, "Change Charset");
        EXPECT_EQ(dialog.buttons()->checkedId(), 5);
        EXPECT_EQ(Child<QRadioButton>(dialog, "1027")->text(), "cp850");
        Click(dialog, "1041");
        Click(dialog, "2");
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(program.sides().charsetName(), "LATIN1");
    }
    CCharsetDlg dialog(program.sides());
    dialog.show();
    Click(dialog, "1041");
    Click(dialog, "1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(program.sides().charsetName(), "CP1250");
}

}  // namespace
}  // namespace tabvex::gui
