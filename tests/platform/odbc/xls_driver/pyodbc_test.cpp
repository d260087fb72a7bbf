// A person's Python script over the workbook driver (python3-pyodbc): parameterised
// queries and executemany of a thousand rows, the workbook then read back by xlrd.
#include <gtest/gtest.h>

#include <ctime>

#include "driver_session.h"
#include "support/test_support.h"

namespace tabvex::test {
namespace {

using nlohmann::json;

constexpr int kRows = 1000;
const std::vector<std::string> kCountries{"France", "Germany", "Brazil", "O'Higgins Land?"};

bool PyodbcIsInstalled() {
    return RunCommand({"/usr/bin/python3", "-c", "import pyodbc"}).exitCode == 0;
}

// The day order `number` shipped, as xlrd_dump.py writes dates.
std::string ShippingDay(int number) {
    std::tm day{};
    day.tm_year = 97;
    day.tm_mday = 1 + number;
    std::mktime(&day);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &day);
    return text;
}

// The cells of the sheet by row, each the value xlrd read (a date by its day).
std::vector<std::vector<json>> RowsOf(const json& sheet) {
    std::vector<std::vector<json>> rows(sheet["nrows"].get<std::size_t>());
    for (const json& cell : sheet["cells"]) {
        auto& row = rows[cell["row"].get<std::size_t>()];
        row.resize(cell["col"].get<std::size_t>() + 1);
        row.back() = cell.contains("date") ? cell["date"] : cell["value"];
    }
    return rows;
}

TEST(XlsDriverPyodbc, ParameterisedQueriesAndExecutemanyOfAThousandRows) {
#ifdef TABVEX_XLS_ODBC_INSTRUMENTED
    GTEST_SKIP() << "an instrumented driver cannot load into python3";
#endif
    if (!PyodbcIsInstalled()) GTEST_SKIP() << "python3-pyodbc is not installed";
    ScratchDir dir;
    RegisterDataSource(dir.path(), "orders", (dir / "orders.xls").string(), false);
    std::filesystem::path script = SourceDir() / "tests/platform/odbc/xls_driver/pyodbc_orders.py";
    std::filesystem::path folder = dir.path();
    CommandResult result = RunCommand({"/usr/bin/python3", script.string(), "orders", std::to_string(kRows)},
                                      [folder] { UseOdbcFilesIn(folder); });
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;

    json answers = json::parse(result.out);
    json french = json::array();
    for (int number = kRows - 19; number <= kRows + 4; ++number)
        if (number % 4 == 0) french.push_back({number, number * 0.25});
    EXPECT_EQ(answers["french"], french);
    EXPECT_EQ(answers["quoted"], (kRows + 4) / 4);  // 3, 7, …: the country with a quote and a '?'
    EXPECT_EQ(answers["later"], 10 + 3);

    json workbook = ReadWithXlrd(dir / "orders.xls");
    ASSERT_EQ(workbook["sheets"].size(), 1u);
    auto rows = RowsOf(workbook["sheets"][0]);
    ASSERT_EQ(rows.size(), 1u + kRows + 4);
    EXPECT_EQ(rows[0], (std::vector<json>{"OrderID", "ShipCountry", "Freight", "Shipped"}));
    for (int number = 1; number <= kRows + 4; ++number) {
        std::vector<json> expected{number, kCountries[number % 4], number * 0.25, ShippingDay(number)};
        if (number == kRows + 1) expected = {number};  // the NULLs leave their cells empty
        EXPECT_EQ(rows[number], expected) << "order " << number;
    }
}

}  // namespace
}  // namespace tabvex::test
