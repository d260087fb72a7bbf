// Parameter markers found where Jet SQL has them, and bound C values written as the
// Jet literals the statement then holds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/odbc/xls_driver/parameter_literal.h"
#include "platform/odbc/xls_driver/parameter_markers.h"

namespace tabvex::odbc::xls {
namespace {

std::vector<std::string> MarkedPieces(std::string_view statement) {
    std::vector<std::string> pieces;
    for (std::size_t at : FindParameterMarkers(statement)) pieces.emplace_back(statement.substr(0, at));
    return pieces;
}

TEST(ParameterMarkers, OnlyQuestionMarksOutsideQuotesAreMarkers) {
    EXPECT_EQ(FindParameterMarkers("INSERT INTO T VALUES (?, ?)"), (std::vector<std::size_t>{22, 25}));
    EXPECT_EQ(FindParameterMarkers("SELECT * FROM T WHERE A=?AND B=?"), (std::vector<std::size_t>{24, 31}));
    // Inside text, dates and both kinds of quoted names a '?' is a character.
    EXPECT_TRUE(FindParameterMarkers("SELECT * FROM [Why?] WHERE `a?` LIKE 'x?y' OR B = \"?\"").empty());
    EXPECT_TRUE(FindParameterMarkers("SELECT * FROM T WHERE D = #?#").empty());
    // A doubled quote stays inside the text; the marker after the text counts.
    EXPECT_EQ(MarkedPieces("SELECT 'it''s ?' & ?"), (std::vector<std::string>{"SELECT 'it''s ?' & "}));
    EXPECT_EQ(MarkedPieces("SELECT \"a\"\"?\" , ?"), (std::vector<std::string>{"SELECT \"a\"\"?\" , "}));
    // A ']' closes a bracketed name, a '[' inside it does not nest.
    EXPECT_EQ(MarkedPieces("SELECT [a[b] , ?"), (std::vector<std::string>{"SELECT [a[b] , "}));
    // An open quote hides the rest: the command then reports the quote.
    EXPECT_TRUE(FindParameterMarkers("SELECT 'open ? ").empty());
    EXPECT_TRUE(FindParameterMarkers("").empty());
}

TEST(ParameterMarkers, SubstitutionPutsEachLiteralInItsMarkersPlace) {
    const std::string statement = "INSERT INTO [T?] VALUES (?, '?', ?)";
    auto markers = FindParameterMarkers(statement);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(SubstituteParameters(statement, markers, {"'O''Neil'", "-2.5"}),
              "INSERT INTO [T?] VALUES ('O''Neil', '?', -2.5)");
    EXPECT_EQ(SubstituteParameters("?", FindParameterMarkers("?"), {"NULL"}), "NULL");
    EXPECT_EQ(SubstituteParameters("no markers", {}, {}), "no markers");
}

// A value bound with these types and, for SQL_C_CHAR/SQL_C_WCHAR, this length.
template <typename T>
ParameterValue ValueOf(const T& data, SQLSMALLINT cType, SQLSMALLINT sqlType, std::optional<SQLLEN> indicator = {}) {
    ParameterValue value;
    value.cType = cType;
    value.sqlType = sqlType;
    value.data = &data;
    value.bufferLength = sizeof data;
    value.indicator = indicator;
    return value;
}

struct Written {
    std::optional<std::string> literal;
    std::string state;
};

Written Write(const ParameterValue& value) {
    Diagnostics diagnostics;
    Written written{JetLiteralOf(value, 2, diagnostics), ""};
    if (!diagnostics.records().empty()) written.state = diagnostics.records().front().state;
    return written;
}

std::optional<std::string> LiteralOf(const ParameterValue& value) { return Write(value).literal; }

TEST(ParameterLiteral, TextIsQuotedWithItsQuotesDoubled) {
    const char text[] = "O'Neil \"?\" #1#";
    EXPECT_EQ(LiteralOf(ValueOf(text, SQL_C_CHAR, SQL_VARCHAR, SQL_NTS)), "'O''Neil \"?\" #1#'");
    // Without an indicator the text ends at its zero; with a length at that length.
    EXPECT_EQ(LiteralOf(ValueOf(text, SQL_C_CHAR, SQL_VARCHAR)), "'O''Neil \"?\" #1#'");
    EXPECT_EQ(LiteralOf(ValueOf(text, SQL_C_CHAR, SQL_WVARCHAR, 3)), "'O''N'");
    // A buffer without a zero ends at its length.
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(LiteralOf(ValueOf(unterminated, SQL_C_CHAR, SQL_CHAR, SQL_NTS)), "'abcd'");
    const char empty[] = "";
    EXPECT_EQ(LiteralOf(ValueOf(empty, SQL_C_CHAR, SQL_VARCHAR, 0)), "''");
}

TEST(ParameterLiteral, WideTextBecomesUtf8) {
    const char16_t wide[] = u"Ärger 日本 😀'";
    EXPECT_EQ(LiteralOf(ValueOf(wide, SQL_C_WCHAR, SQL_WVARCHAR, SQL_NTS)), "'Ärger 日本 😀'''");
    // The length counts bytes: four bytes are two characters.
    EXPECT_EQ(LiteralOf(ValueOf(wide, SQL_C_WCHAR, SQL_WVARCHAR, 4)), "'Är'");
}

TEST(ParameterLiteral, NumbersKeepTheirValue) {
    const SQLINTEGER negative = std::numeric_limits<SQLINTEGER>::min();
    EXPECT_EQ(LiteralOf(ValueOf(negative, SQL_C_SLONG, SQL_INTEGER)), "-2147483648");
    const SQLUINTEGER big = std::numeric_limits<SQLUINTEGER>::max();
    EXPECT_EQ(LiteralOf(ValueOf(big, SQL_C_ULONG, SQL_INTEGER)), "4294967295");
    const SQLSMALLINT small = -7;
    EXPECT_EQ(LiteralOf(ValueOf(small, SQL_C_SSHORT, SQL_SMALLINT)), "-7");
    const SQLSCHAR tiny = -128;
    EXPECT_EQ(LiteralOf(ValueOf(tiny, SQL_C_STINYINT, SQL_TINYINT)), "-128");
    const SQLBIGINT huge = std::numeric_limits<SQLBIGINT>::min();
    EXPECT_EQ(LiteralOf(ValueOf(huge, SQL_C_SBIGINT, SQL_BIGINT)), "-9223372036854775808");
    const SQLUBIGINT hugeUnsigned = std::numeric_limits<SQLUBIGINT>::max();
    EXPECT_EQ(LiteralOf(ValueOf(hugeUnsigned, SQL_C_UBIGINT, SQL_NUMERIC)), "18446744073709551615");
    // Reals in their shortest exact digits; a float by its own digits.
    const double third = 1.0 / 3;
    EXPECT_EQ(LiteralOf(ValueOf(third, SQL_C_DOUBLE, SQL_DOUBLE)), "0.3333333333333333");
    const double large = -1.5e300;
    EXPECT_EQ(LiteralOf(ValueOf(large, SQL_C_DOUBLE, SQL_DOUBLE)), "-1.5e+300");
    const float tenth = 0.1f;
    EXPECT_EQ(LiteralOf(ValueOf(tenth, SQL_C_FLOAT, SQL_REAL)), "0.1");
    // A number bound as text is quoted; text bound as a number is checked and written bare.
    const SQLINTEGER seven = 7;
    EXPECT_EQ(LiteralOf(ValueOf(seven, SQL_C_SLONG, SQL_VARCHAR)), "'7'");
    const char decimal[] = " -12.50 ";
    EXPECT_EQ(LiteralOf(ValueOf(decimal, SQL_C_CHAR, SQL_NUMERIC, SQL_NTS)), "-12.50");
}

TEST(ParameterLiteral, BitsAndDates) {
    const SQLCHAR on = 1, off = 0;
    EXPECT_EQ(LiteralOf(ValueOf(on, SQL_C_BIT, SQL_BIT)), "True");
    EXPECT_EQ(LiteralOf(ValueOf(off, SQL_C_BIT, SQL_BIT)), "False");
    EXPECT_EQ(LiteralOf(ValueOf(on, SQL_C_BIT, SQL_INTEGER)), "1");
    const SQLINTEGER minusOne = -1;
    EXPECT_EQ(LiteralOf(ValueOf(minusOne, SQL_C_SLONG, SQL_BIT)), "True");

    SQL_TIMESTAMP_STRUCT when{1997, 1, 31, 14, 30, 5, 250000000};
    EXPECT_EQ(LiteralOf(ValueOf(when, SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP)), "#1997-01-31 14:30:05#");
    EXPECT_EQ(LiteralOf(ValueOf(when, SQL_C_TIMESTAMP, SQL_VARCHAR)), "'1997-01-31 14:30:05'");
    SQL_DATE_STRUCT day{2024, 2, 29};
    EXPECT_EQ(LiteralOf(ValueOf(day, SQL_C_TYPE_DATE, SQL_TYPE_DATE)), "#2024-02-29#");
    SQL_TIME_STRUCT time{8, 5, 0};
    EXPECT_EQ(LiteralOf(ValueOf(time, SQL_C_TYPE_TIME, SQL_TYPE_TIME)), "#08:05:00#");
    const char text[] = "1/31/1997";
    EXPECT_EQ(LiteralOf(ValueOf(text, SQL_C_CHAR, SQL_TYPE_TIMESTAMP, SQL_NTS)), "#1/31/1997#");
}

TEST(ParameterLiteral, NullWhateverTheTypes) {
    const SQLINTEGER ignored = 5;
    EXPECT_EQ(LiteralOf(ValueOf(ignored, SQL_C_SLONG, SQL_INTEGER, SQL_NULL_DATA)), "NULL");
    ParameterValue noBuffer;
    noBuffer.indicator = SQL_NULL_DATA;
    EXPECT_EQ(LiteralOf(noBuffer), "NULL");
}

TEST(ParameterLiteral, ValuesThatCannotBeLiteralsAreRefused) {
    // Nothing but a number passes as a number: no statement text gets through.
    for (const char* text : {"12; DROP TABLE T", "1e", "", "  ", "0x10", "inf", "nan", "1e999", "1,5"}) {
        ParameterValue value;
        value.sqlType = SQL_DOUBLE;
        value.data = text;
        value.indicator = SQL_NTS;
        Written written = Write(value);
        EXPECT_FALSE(written.literal) << text;
        EXPECT_EQ(written.state, "22018") << text;
    }
    const char closing[] = "1997-01-31# OR #1";
    EXPECT_EQ(Write(ValueOf(closing, SQL_C_CHAR, SQL_TYPE_DATE, SQL_NTS)).state, "22018");
    const double infinite = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Write(ValueOf(infinite, SQL_C_DOUBLE, SQL_DOUBLE)).state, "22003");
    const float notANumber = std::nanf("");
    EXPECT_EQ(Write(ValueOf(notANumber, SQL_C_FLOAT, SQL_REAL)).state, "22003");
    SQL_DATE_STRUCT day{2024, 2, 29};
    EXPECT_EQ(Write(ValueOf(day, SQL_C_TYPE_DATE, SQL_DOUBLE)).state, "07006");
    const double number = 3;
    EXPECT_EQ(Write(ValueOf(number, SQL_C_DOUBLE, SQL_TYPE_TIMESTAMP)).state, "07006");
    const char text[] = "abc";
    EXPECT_EQ(Write(ValueOf(text, SQL_C_CHAR, SQL_VARCHAR, -7)).state, "HY090");
    EXPECT_EQ(Write(ValueOf(text, SQL_C_CHAR, SQL_VARCHAR, SQL_DATA_AT_EXEC)).state, "HYC00");
    EXPECT_EQ(Write(ValueOf(text, SQL_C_CHAR, SQL_VARCHAR, SQL_LEN_DATA_AT_EXEC(100))).state, "HYC00");
    ParameterValue noBuffer;
    EXPECT_EQ(Write(noBuffer).state, "HY009");
    EXPECT_EQ(Write(ValueOf(text, SQL_C_BINARY, SQL_VARCHAR, 3)).state, "HY003");
}

}  // namespace
}  // namespace tabvex::odbc::xls
