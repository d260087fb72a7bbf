// Loaded into a program that has the engine too, the driver keeps its workbooks in the
// program's slot: a workbook either side saved, the other opens without reading it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <thread>

#include "driver_session.h"
#include "platform/xls/kept_workbook.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"

namespace tabvex::test {
namespace {

// Makes a People table with one row through the driver manager and disconnects.
void WritePeopleThroughTheDriver(const std::filesystem::path& path) {
    DriverSession session;
    ASSERT_TRUE(SQL_SUCCEEDED(session.Connect("DBQ=" + path.string() + ";ReadOnly=0")))
        << session.ConnectionDiagnostic().message;
    ASSERT_EQ(session.Execute("CREATE TABLE People (Name TEXT)"), SQL_SUCCESS);
    ASSERT_EQ(session.Execute("INSERT INTO People VALUES ('Ann')"), SQL_SUCCESS);
}

void ExpectPeopleKept(const std::filesystem::path& path) {
    std::optional<xls::Workbook> kept = xls::TakeKeptWorkbook(path);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->Sheet(0).Name(), "People");
    EXPECT_EQ(kept->Sheet(0).CellText(1, 0), "Ann");
}

TEST(XlsDriverInProgram, TheWorkbookTheDriverSavedIsKeptForTheProgram) {
    ScratchDir dir;
    const auto path = dir / "book.xls";
    WritePeopleThroughTheDriver(path);
    ExpectPeopleKept(path);
    EXPECT_FALSE(xls::TakeKeptWorkbook(path).has_value());

    nlohmann::json book = ReadWithXlrd(path);
    ASSERT_EQ(book["sheets"].size(), 1u);
    EXPECT_EQ(book["sheets"][0]["nrows"], 2);
}

// The program's kept copy is told apart from the file by a cell changed after the
// save, which no real caller does; it only shows which of the two the driver read.
TEST(XlsDriverInProgram, TheDriverOpensTheWorkbookTheProgramSavedFromMemory) {
    ScratchDir dir;
    const auto path = dir / "book.xls";
    auto program = xls::Workbook::CreateNew({"People"});
    program.Sheet(0).SetCellText(0, 0, "Name");
    program.Sheet(0).SetCellText(1, 0, "saved");
    program.Save(path);
    program.Sheet(0).SetCellText(1, 0, "kept");
    xls::KeepSavedWorkbook(std::move(program));

    DriverSession session;
    ASSERT_TRUE(SQL_SUCCEEDED(session.Connect("DBQ=" + path.string()))) << session.ConnectionDiagnostic().message;
    ASSERT_EQ(session.Execute("SELECT * FROM [People$]"), SQL_SUCCESS) << session.StatementDiagnostic().message;
    EXPECT_EQ(session.FetchAll(), (std::vector<Row>{{"kept"}}));
    ASSERT_EQ(session.Disconnect(), SQL_SUCCESS);

    nlohmann::json book = ReadWithXlrd(path);
    EXPECT_EQ(book["sheets"][0]["cells"][1]["value"], "saved");
}

// The driver called without a driver manager by a program that unloads it when done,
// as a driver manager may. Its calls run on a thread of their own, as a migration's
// do, since a thread still running where the driver left thread-local values keeps
// it loaded anyway.
class DriverLoadedByHand {
public:
    DriverLoadedByHand() : library_(dlopen(DriverPath().c_str(), RTLD_NOW | RTLD_LOCAL)) {}

    void WritePeople(const std::filesystem::path& path) {
        ASSERT_NE(library_, nullptr) << dlerror();
        auto alloc = Entry<SQLRETURN(SQLSMALLINT, SQLHANDLE, SQLHANDLE*)>("SQLAllocHandle");
        auto free = Entry<SQLRETURN(SQLSMALLINT, SQLHANDLE)>("SQLFreeHandle");
        auto setEnv = Entry<SQLRETURN(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER)>("SQLSetEnvAttr");
        auto connect = Entry<SQLRETURN(SQLHDBC, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                       SQLSMALLINT*, SQLUSMALLINT)>("SQLDriverConnect");
        auto execute = Entry<SQLRETURN(SQLHSTMT, SQLCHAR*, SQLINTEGER)>("SQLExecDirect");
        auto disconnect = Entry<SQLRETURN(SQLHDBC)>("SQLDisconnect");

        SQLHANDLE env = nullptr, dbc = nullptr, stmt = nullptr;
        ASSERT_EQ(alloc(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env), SQL_SUCCESS);
        setEnv(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        ASSERT_EQ(alloc(SQL_HANDLE_DBC, env, &dbc), SQL_SUCCESS);
        std::string in = "DBQ=" + path.string() + ";ReadOnly=0";
        ASSERT_TRUE(SQL_SUCCEEDED(connect(dbc, nullptr, Text(in), SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT)));
        ASSERT_EQ(alloc(SQL_HANDLE_STMT, dbc, &stmt), SQL_SUCCESS);
        for (std::string sql : {"CREATE TABLE People (Name TEXT)", "INSERT INTO People VALUES ('Ann')"})
            EXPECT_EQ(execute(stmt, Text(sql), SQL_NTS), SQL_SUCCESS) << sql;
        free(SQL_HANDLE_STMT, stmt);
        EXPECT_EQ(disconnect(dbc), SQL_SUCCESS);
        free(SQL_HANDLE_DBC, dbc);
        free(SQL_HANDLE_ENV, env);
    }

    void Unload() {
        if (library_ != nullptr) dlclose(library_);
        library_ = nullptr;
    }

    ~DriverLoadedByHand() { Unload(); }

private:
    template <typename Function>
    Function* Entry(const char* name) {
        return reinterpret_cast<Function*>(dlsym(library_, name));
    }
    static SQLCHAR* Text(std::string& text) { return reinterpret_cast<SQLCHAR*>(text.data()); }

    void* library_;
};

bool DriverIsLoaded() {
    void* handle = dlopen(DriverPath().c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
}

TEST(XlsDriverInProgram, ADriverThatKeptAWorkbookInTheProgramStaysLoaded) {
    ScratchDir dir;
    const auto path = dir / "book.xls";
    DriverLoadedByHand driver;
    std::thread([&] { driver.WritePeople(path); }).join();
    driver.Unload();
    EXPECT_TRUE(DriverIsLoaded());
    ExpectPeopleKept(path);
    EXPECT_EQ(ReadWithXlrd(path)["sheets"][0]["nrows"], 2);
}

}  // namespace
}  // namespace tabvex::test
