#include "connect/driver_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "connect/driver_check_layout.h"
#include "support/test_support.h"

namespace tabvex::connect {
namespace {

namespace fs = std::filesystem;
using test::WriteFile;
using ::testing::ElementsAre;

// The classes of this program: Jet served by a module of the program, MSDASQL by the
// module a test names.
constexpr const char* kClasses =
    "[ProgID]\n"
    "Microsoft.Jet.OLEDB.4.0 = {DEE35070-506B-11CF-B1AA-00AA00B8DE95}\n"
    "MSDASQL = {C8B522CB-5CF3-11CE-ADE5-00AA0044773D}\n"
    "[InprocServer]\n"
    "{DEE35070-506B-11CF-B1AA-00AA00B8DE95} = jet\n"
    "{C8B522CB-5CF3-11CE-ADE5-00AA0044773D} = %s\n";

registry::ClassRegistry Classes(const std::string& odbcModule) {
    std::string text = kClasses;
    text.replace(text.find("%s"), 2, odbcModule);
    return registry::ClassRegistry::FromText(text);
}

class DriverCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registry::RegisterModule("driver_check_test_odbc", [](const oledb::Guid&) { return nullptr; });
    }

    // Driver and setup libraries as files of the scratch folder; "%LIBS%" names it.
    void SetUp() override {
        fs::create_directories(scratch / "lib");
        WriteFile(scratch / "lib/driver.so", "");
        WriteFile(scratch / "lib/setup.so", "");
        fs::create_directories(scratch / "lib/folder.so");
        setenv("TABVEX_TEST_LIBS", (scratch / "lib").c_str(), 1);
    }
    void TearDown() override { unsetenv("TABVEX_TEST_LIBS"); }

    DriverCheckSources Sources(const registry::ClassRegistry& classes) const {
        return {&classes, {scratch / "odbcinst.ini", scratch / "odbc.ini", scratch / ".odbc.ini"}};
    }

    test::ScratchDir scratch;
};

constexpr const char* kDrivers =
    "[ODBC]\nTrace=No\n"
    "[Microsoft Access Driver (*.mdb)]\nDriver=%TABVEX_TEST_LIBS%/driver.so\nsetup=%TABVEX_TEST_LIBS%/setup.so\n"
    "[Access Driver Without Setup]\nDriver=%TABVEX_TEST_LIBS%/driver.so\nSetup=%TABVEX_TEST_LIBS%/missing.so\n"
    "[access lower case]\nDriver=%TABVEX_TEST_LIBS%/driver.so\nSetup=%TABVEX_TEST_LIBS%/setup.so\n"
    "[Excel Driver On Folders]\nDriver=%TABVEX_TEST_LIBS%/folder.so\nSetup=%TABVEX_TEST_LIBS%/setup.so\n";

TEST_F(DriverCheckTest, WithoutAUsableOdbcProviderTheProviderRowsAreAll) {
    WriteFile(scratch / "odbcinst.ini", kDrivers);
    const auto classes = Classes("module_not_built");
    EXPECT_EQ(CheckAccessDrivers(Sources(classes)),
              "Microsoft Jet 4.0 OLE DB Provider|Installed|Usable|"
              "Microsoft OLE DB Provider for ODBC Drivers|Installed|Unusable|");

    const auto withoutJet = registry::ClassRegistry::FromText("[ProgID]\n[InprocServer]\n");
    EXPECT_EQ(CheckExcelDrivers(Sources(withoutJet)),
              "Microsoft Jet 4.0 OLE DB Provider|Not Installed|Unusable|"
              "Microsoft OLE DB Provider for ODBC Drivers|Not Installed|Unusable|");
}

TEST_F(DriverCheckTest, DriversNeedBothLibrariesAsFilesAfterExpandingTokens) {
    WriteFile(scratch / "odbcinst.ini", kDrivers);
    const auto classes = Classes("driver_check_test_odbc");
    const auto rows = DriverCheckRows(CheckAccessDrivers(Sources(classes)));
    EXPECT_THAT(rows, ElementsAre(DriverCheckRow{"Microsoft Jet 4.0 OLE DB Provider", "Installed", "Usable"},
                                  DriverCheckRow{"Microsoft OLE DB Provider for ODBC Drivers", "Installed", "Usable"},
                                  DriverCheckRow{"Microsoft Access Driver (*.mdb)", "Installed", "Usable"},
                                  DriverCheckRow{"Access Driver Without Setup", "Installed", "Unusable"}))
        << "the word is matched with its case";
    EXPECT_THAT(DriverCheckRows(CheckExcelDrivers(Sources(classes))).back(),
                (DriverCheckRow{"Excel Driver On Folders", "Installed", "Unusable"}))
        << "a folder is no library";
}

TEST_F(DriverCheckTest, NoMatchingDriverGivesTheFallbackRow) {
    const auto classes = Classes("driver_check_test_odbc");
    const std::string providers = "Microsoft Jet 4.0 OLE DB Provider|Installed|Usable|"
                                  "Microsoft OLE DB Provider for ODBC Drivers|Installed|Usable|";
    EXPECT_EQ(CheckExcelDrivers(Sources(classes)), providers + "Microsoft Excel Driver|Not installed|Unusable|")
        << "a missing driver list is an empty one";
    WriteFile(scratch / "odbcinst.ini", "[MySQL ODBC 8.0]\nDriver=/x.so\n");
    EXPECT_EQ(CheckAccessDrivers(Sources(classes)), providers + "Microsoft Access Driver|Not installed|Unusable|");
}

// The program's own registry and driver list, as scripts/bootstrap and the build leave
// them: both providers and the four drivers are there and usable. A driver whose
// library goes turns its rows "Unusable".
TEST_F(DriverCheckTest, TheProgramsProvidersAndDriversAreUsableUntilALibraryGoes) {
    const DriverCheckSources installed = InstalledDriverCheckSources();
    const std::string providers = "Microsoft Jet 4.0 OLE DB Provider|Installed|Usable|"
                                  "Microsoft OLE DB Provider for ODBC Drivers|Installed|Usable|";
    EXPECT_EQ(CheckAccessDrivers(installed), providers + "Microsoft Access Driver (*.mdb)|Installed|Usable|"
                                                         "Driver do Microsoft Access (*.mdb)|Installed|Usable|");
    EXPECT_EQ(CheckExcelDrivers(installed), providers + "Microsoft Excel Driver (*.xls)|Installed|Usable|"
                                                        "Driver do Microsoft Excel (*.xls)|Installed|Usable|");

    // The same list over a copy of the workbook driver, which then goes.
    std::string drivers = test::ReadFile(installed.odbc.drivers);
    const std::string library = TABVEX_EXCEL_ODBC_DRIVER;
    const fs::path copy = scratch / "lib/libtabvexodbcxls.so";
    fs::copy_file(library, copy);
    for (auto at = drivers.find(library); at != std::string::npos; at = drivers.find(library, at))
        drivers.replace(at, library.size(), copy.string());
    WriteFile(scratch / "odbcinst.ini", drivers);
    DriverCheckSources moved = installed;
    moved.odbc = Sources(*installed.classes).odbc;
    EXPECT_EQ(CheckExcelDrivers(moved), CheckExcelDrivers(installed));
    fs::remove(copy);
    EXPECT_EQ(CheckExcelDrivers(moved), providers + "Microsoft Excel Driver (*.xls)|Installed|Unusable|"
                                                    "Driver do Microsoft Excel (*.xls)|Installed|Unusable|");
    EXPECT_EQ(CheckAccessDrivers(moved), CheckAccessDrivers(installed));
}

TEST(DriverCheckLayoutTest, BlocksStackUnderEachOtherAndTheButtonsCloseTheDialog) {
    const DriverCheckLayout layout = LayOutDriverCheck(700, 3, 2);
    EXPECT_EQ(layout.source.rows[2].name, (PixelRect{16, 58, 400, 20}));
    EXPECT_EQ(layout.source.rows[2].status, (PixelRect{416, 58, 80, 20}));
    EXPECT_EQ(layout.source.rows[2].usability, (PixelRect{616, 58, 50, 20}));
    EXPECT_EQ(layout.source.link, (PixelRect{481, 78, 180, 20}));
    EXPECT_EQ(layout.source.group, (PixelRect{8, 3, 682, 94}));
    EXPECT_EQ(layout.source.note, (PixelRect{8, 98, 682, 50}));
    EXPECT_EQ(layout.target.group, (PixelRect{8, 148, 682, 74}));
    EXPECT_EQ(layout.target.rows[0].name.y, 163);
    EXPECT_EQ(layout.target.link.y, 203);
    EXPECT_EQ(layout.target.note, (PixelRect{8, 223, 682, 50}));
    EXPECT_EQ(layout.dialogHeight, 308);
    EXPECT_EQ(layout.openConfig, (PixelRect{525, 278, 80, 25}));
    EXPECT_EQ(layout.cancel, (PixelRect{610, 278, 80, 25}));
}

TEST(DriverCheckLayoutTest, UsabilityIsColouredAndTheNoteLosesItsTabs) {
    EXPECT_EQ(DriverTextColourOf("Unusable"), DriverTextColour::Red);
    EXPECT_EQ(DriverTextColourOf("Usable"), DriverTextColour::Green);
    EXPECT_EQ(DriverTextColourOf("Installed"), DriverTextColour::Default);
    EXPECT_EQ(DriverCheckNote().find('\t'), std::string::npos);
    EXPECT_NE(DriverCheckNote().find("database. So, your must"), std::string::npos);
}

}  // namespace
}  // namespace tabvex::connect
