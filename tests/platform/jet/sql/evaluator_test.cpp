#include <gtest/gtest.h>

#include "platform/jet/sql/evaluator.h"
#include "platform/jet/sql/insert_values.h"
#include "platform/jet/sql/parser.h"
#include "platform/jet/sql/sql_error.h"

namespace tabvex::jet::sql {
namespace {

DateTime At(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0) {
    return *DateTime::FromCivil({y, m, d, hh, mm, ss});
}

// A customer row as an ISAM hands it over: typed values, one NULL.
ValueRow Customer() {
    return ValueRow({"Id", "Country", "City", "Region", "Discount", "OrderDate", "Price", "Active", "Name"},
                    {Value::Integer(10248), Value::Text("UK"), Value::Text("London"), Value::Null(),
                     Value::Double(0.15), Value::Date(At(1997, 3, 14, 9, 30)), Value::Decimal("14.0000"),
                     Value::Boolean(true), Value::Text("Ærø Café")});
}

// Fixed clock: 2026-12-07 19:45:00.
const EvaluationContext kContext{At(2026, 12, 7, 19, 45)};

Value Eval(std::string_view expression, const Row& row = Customer()) {
    return Evaluator(kContext).Evaluate(*ParseCondition(expression), row);
}

bool Holds(std::string_view condition) {
    return Evaluator(kContext).Satisfies(*ParseCondition(condition), Customer());
}

std::string ErrorOf(std::string_view expression) {
    try {
        Eval(expression);
    } catch (const SqlError& error) {
        return error.what();
    }
    return "no error";
}

TEST(SqlEvaluator, ConditionsPeopleType) {
    EXPECT_TRUE(Holds("Country='UK' AND (City='London' OR City='Cowes')"));
    EXPECT_TRUE(Holds("country = 'uk'"));  // names and text compare without regard to case
    EXPECT_TRUE(Holds("OrderDate >= #1997-01-01# and OrderDate < #4/1/1997#"));
    EXPECT_TRUE(Holds("Discount > 0.1"));
    EXPECT_TRUE(Holds("Len(Name) = 8"));  // characters, not UTF-8 bytes
    EXPECT_TRUE(Holds("Region IS NULL and Name is not null"));
    EXPECT_TRUE(Holds("Id in (1, 10248, 3) and Id not in (5, 6)"));
    EXPECT_TRUE(Holds("Price between 10 and 20 and Price between 20 and 10"));  // bounds in either order
    EXPECT_FALSE(Holds("Price not between 14 and 15"));
    EXPECT_TRUE(Holds("Active and Active = -1 and not (Active = 0)"));
    EXPECT_TRUE(Holds("Year(OrderDate) = 1997 and Month(OrderDate) = 3 and Day(OrderDate) = 14"));
}

TEST(SqlEvaluator, NullFollowsThreeValuedLogic) {
    EXPECT_EQ(Eval("Region = 'WA'"), Value::Null());
    EXPECT_EQ(Eval("not (Region = 'WA')"), Value::Null());  // so neither the condition nor its negation holds
    EXPECT_FALSE(Holds("Region = 'WA'"));
    EXPECT_FALSE(Holds("not (Region = 'WA')"));
    EXPECT_EQ(Eval("Region = 'WA' and 1 = 2"), Value::Boolean(false));
    EXPECT_EQ(Eval("Region = 'WA' or 1 = 1"), Value::Boolean(true));
    EXPECT_EQ(Eval("Region = 'WA' or 1 = 2"), Value::Null());
    EXPECT_EQ(Eval("Region + 1"), Value::Null());
    EXPECT_EQ(Eval("Region like '*'"), Value::Null());
    EXPECT_EQ(Eval("Id in (1, Null)"), Value::Null());  // not found, but a NULL might have matched
    EXPECT_EQ(Eval("Id in (10248, Null)"), Value::Boolean(true));
    EXPECT_EQ(Eval("Id not in (1, Null)"), Value::Null());
    EXPECT_EQ(Eval("Len(Region)"), Value::Null());
    EXPECT_EQ(Eval("Nz(Region, 'none')"), Value::Text("none"));
    EXPECT_EQ(Eval("Nz(Region)"), Value::Text(""));
    EXPECT_EQ(Eval("'a' & Region & 'b'"), Value::Text("ab"));  // & treats NULL as empty text
    EXPECT_EQ(Eval("Region & Null"), Value::Null());
    // AND and OR stop as soon as the answer is known.
    EXPECT_EQ(Eval("1 = 2 and 1 / 0 = 1"), Value::Boolean(false));
    EXPECT_EQ(Eval("IIf(Id = 0, 1 / 0, 'safe')"), Value::Text("safe"));
    EXPECT_EQ(Eval("IIf(Region = 'x', 'yes', 'no')"), Value::Text("no"));  // a NULL condition takes the else branch
}

TEST(SqlEvaluator, NumbersAgainstText) {
    EXPECT_TRUE(Holds("Id = '10248'"));     // text that reads as a number compares as one
    EXPECT_TRUE(Holds("'9' < 10"));          // numerically, not as text
    EXPECT_TRUE(Holds("'9' > '10'"));        // two texts compare as text
    EXPECT_TRUE(Holds("OrderDate > '1997-03-01'"));
    EXPECT_EQ(ErrorOf("Id = 'abc'"), "Data type mismatch in criteria expression (at position 1).");
    EXPECT_EQ(ErrorOf("Id > 1 and OrderDate = 'soon'"), "Data type mismatch in criteria expression (at position 12).");
    EXPECT_EQ(ErrorOf("not Country"), "Data type mismatch in criteria expression (at position 5).");
    EXPECT_EQ(Eval("Price = 14"), Value::Boolean(true));  // exact decimal against a whole number
    EXPECT_EQ(Eval("Price > 13.9999"), Value::Boolean(true));
}

TEST(SqlEvaluator, Arithmetic) {
    EXPECT_EQ(Eval("7 + 3 * 2 - 1"), Value::Integer(12));
    EXPECT_EQ(Eval("7 / 2"), Value::Double(3.5));
    EXPECT_EQ(Eval("7 \\ 2"), Value::Integer(3));
    EXPECT_EQ(Eval("2.5 \\ 1"), Value::Integer(2));  // operands round half to even first
    EXPECT_EQ(Eval("-7 Mod 3"), Value::Integer(-1));
    EXPECT_EQ(Eval("2 ^ 10"), Value::Double(1024));
    EXPECT_EQ(Eval("-2 ^ 2"), Value::Double(-4));
    EXPECT_EQ(Eval("'1' + '2'"), Value::Text("12"));  // + joins two texts
    EXPECT_EQ(Eval("'1' + 2"), Value::Double(3));
    EXPECT_EQ(Eval("1 & 2"), Value::Text("12"));
    EXPECT_EQ(Eval("9223372036854775807 + 1"), Value::Double(9223372036854775808.0));  // no wrap-around
    EXPECT_EQ(Eval("-Price"), Value::Decimal("-14.0000"));
    EXPECT_EQ(Eval("OrderDate + 1"), Value::Date(At(1997, 3, 15, 9, 30)));
    EXPECT_EQ(Eval("#1997-03-15# - #1997-03-14#"), Value::Double(1));
    EXPECT_EQ(ErrorOf("Id / (Discount - 0.15)"), "Division by zero (at position 1).");
    EXPECT_EQ(ErrorOf("Id Mod 0"), "Division by zero (at position 1).");
    EXPECT_EQ(ErrorOf("Id - 'x'"), "Data type mismatch in criteria expression (at position 1).");
    EXPECT_EQ(ErrorOf("1e300 ^ 2"), "Overflow (at position 1).");
    // A number that names no day of the years 100 to 9999 is no date, in any use of it.
    for (const char* beyond : {"-8e90 - Date()", "OrderDate + 3e6", "OrderDate > 1e300", "Year(-700000)"})
        EXPECT_EQ(ErrorOf(beyond).rfind("Overflow: ", 0), 0u) << beyond << ": " << ErrorOf(beyond);
}

TEST(SqlEvaluator, LikeWithBothWildcardFamilies) {
    EXPECT_TRUE(Holds("City like 'L*n'"));
    EXPECT_TRUE(Holds("City like 'l%N'"));
    EXPECT_TRUE(Holds("City like 'Lond?n' and City like 'Lond_n'"));
    EXPECT_TRUE(Holds("City like '[K-M]*' and City like '[!A-K]ondon'"));
    EXPECT_TRUE(Holds("Name like 'ær? c*'"));  // case folds beyond ASCII
    EXPECT_TRUE(Holds("Id like '102*'"));     // numbers match as their text
    EXPECT_TRUE(Holds("City not like 'Paris'"));
    EXPECT_FALSE(Holds("City like 'London?'"));
    EXPECT_FALSE(Holds("City like 'Lon'"));
    EXPECT_TRUE(Holds("'a[b' like 'a[b'"));   // an unclosed [ is a plain character
    EXPECT_TRUE(Holds("'' like '*'"));
    // Backtracking stays fast on patterns that nearly match.
    EXPECT_FALSE(Holds("'" + std::string(3000, 'a') + "' like '" + std::string(200, '*') + "b'"));
}

TEST(SqlEvaluator, Functions) {
    EXPECT_EQ(Eval("Left(Name, 3)"), Value::Text("Ærø"));
    EXPECT_EQ(Eval("Right(Name, 4)"), Value::Text("Café"));
    EXPECT_EQ(Eval("Right(City, 99)"), Value::Text("London"));
    EXPECT_EQ(Eval("Mid(Name, 5)"), Value::Text("Café"));
    EXPECT_EQ(Eval("Mid(Name, 2, 2)"), Value::Text("rø"));
    EXPECT_EQ(Eval("Mid(City, 40, 2)"), Value::Text(""));
    EXPECT_EQ(Eval("UCase(Name)"), Value::Text("ÆRØ CAFÉ"));
    EXPECT_EQ(Eval("lcase('ÅSA Ünal')"), Value::Text("åsa ünal"));
    EXPECT_EQ(Eval("Trim('  a b  ') & '|' & LTrim(' a ') & '|' & RTrim(' a ')"), Value::Text("a b|a | a"));
    EXPECT_EQ(Eval("Len(Id)"), Value::Integer(5));
    EXPECT_EQ(Eval("Year('1996-07-04')"), Value::Integer(1996));
    EXPECT_EQ(Eval("Date()"), Value::Date(At(2026, 12, 7)));
    EXPECT_EQ(Eval("NOW()"), Value::Date(At(2026, 12, 7, 19, 45)));
    EXPECT_EQ(Eval("iif(Id > 5, 'big', 'small')"), Value::Text("big"));
    EXPECT_EQ(ErrorOf("Left(City, -1)"), "Invalid procedure call or argument to Left (at position 1).");
    EXPECT_EQ(ErrorOf("Mid(City, 0)"), "Invalid procedure call or argument to Mid (at position 1).");
    EXPECT_EQ(ErrorOf("1 + Year('someday')"), "Data type mismatch: 'someday' is no date (at position 5).");
}

TEST(SqlEvaluator, UnknownColumnsAreNamed) {
    EXPECT_EQ(ErrorOf("Id > 1 and Contry = 'UK'"), "Unknown column 'Contry' (at position 12).");
    // Checked up front too, so that a table without rows reports it as well.
    auto condition = ParseCondition("Id > 1 and [Ship Name] = 'x'");
    auto hasColumn = [](std::string_view name) { return name == "Id"; };
    try {
        CheckColumns(*condition, hasColumn);
        FAIL() << "no error";
    } catch (const SqlError& error) {
        EXPECT_EQ(error.kind(), SqlErrorKind::UnknownColumn);
        EXPECT_EQ(std::string(error.what()), "Unknown column 'Ship Name' (at position 12).");
    }
}

TEST(SqlInsertValues, PlacesValuesInTableOrder) {
    std::vector<std::string> columns{"Id", "Name", "Note"};
    auto all = std::get<InsertStatement>(ParseStatement("insert into t values (1, 'a' & 'b', null)"));
    EXPECT_EQ(ResolveInsertValues(std::move(all), columns),
              (std::vector<Value>{Value::Integer(1), Value::Text("ab"), Value::Null()}));

    auto some = std::get<InsertStatement>(ParseStatement("insert into t ([note], id) values ('x', -5)"));
    EXPECT_EQ(ResolveInsertValues(std::move(some), columns),
              (std::vector<Value>{Value::Integer(-5), Value::Null(), Value::Text("x")}));

    auto errorOf = [&](std::string_view statement) -> std::string {
        try {
            ResolveInsertValues(std::get<InsertStatement>(ParseStatement(statement)), columns);
        } catch (const SqlError& error) {
            return error.what();
        }
        return "no error";
    };
    EXPECT_EQ(errorOf("insert into t values (1, 2)"),
              "Number of query values (2) and destination fields (3) are not the same (at position 22).");
    EXPECT_EQ(errorOf("insert into t (Id, Nam) values (1, 2)"), "Unknown column 'Nam' in table 't' (at position 13).");
    EXPECT_EQ(errorOf("insert into t (Id, ID) values (1, 2)"), "Duplicate output destination 'ID' (at position 13).");
    EXPECT_EQ(errorOf("insert into t values (1, 2, Id)"), "Unknown column 'Id' (at position 29).");
}

}  // namespace
}  // namespace tabvex::jet::sql
