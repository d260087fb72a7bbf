#include <gtest/gtest.h>

#include "platform/jet/sql/parser.h"
#include "platform/jet/sql/sql_error.h"

namespace tabvex::jet::sql {
namespace {

std::string SyntaxMessage(std::string_view text) {
    try {
        ParseStatement(text);
    } catch (const SqlError& error) {
        return error.what();
    }
    return "parsed";
}

TEST(SqlParser, StatementsTheMigrationSends) {
    auto create = std::get<CreateTableStatement>(ParseStatement("Create Table Orders (`Id` Text ,`Order Name` Text)"));
    EXPECT_EQ(create.table.name, "Orders");
    ASSERT_EQ(create.columns.size(), 2u);
    EXPECT_EQ(create.columns[1].name, "Order Name");
    EXPECT_EQ(create.columns[1].type, (ColumnType{ColumnTypeKind::Text, 255}));

    // Row inserts end with ";\n"; a doubled quote inside a literal is one quote.
    auto insert = std::get<InsertStatement>(ParseStatement("insert into Orders values ('1','O''Brien','');\n"));
    ASSERT_EQ(insert.values.size(), 3u);
    EXPECT_EQ(insert.values[1]->literal, Value::Text("O'Brien"));
    EXPECT_EQ(insert.values[2]->literal, Value::Text(""));

    auto select = std::get<SelectStatement>(ParseStatement("select count(*) from [Order Details] where Id>10"));
    EXPECT_TRUE(select.countOnly);
    EXPECT_EQ(select.table.name, "Order Details");
    ASSERT_TRUE(select.where);
    EXPECT_EQ(select.where->op, Operator::Greater);

    auto all = std::get<SelectStatement>(ParseStatement("SELECT * FROM Sheet1$"));
    EXPECT_FALSE(all.countOnly);
    EXPECT_EQ(all.table.name, "Sheet1$");
    EXPECT_FALSE(all.where);
}

TEST(SqlParser, ColumnTypesAndSizes) {
    auto create = std::get<CreateTableStatement>(ParseStatement(
        "CREATE TABLE t (a VARCHAR(50), b longtext, c integer NOT NULL, d DateTime, e bit, f decimal(18,4), "
        "g Currency, h binary(16), i memo)"));
    ASSERT_EQ(create.columns.size(), 9u);
    EXPECT_EQ(create.columns[0].type, (ColumnType{ColumnTypeKind::Text, 50}));
    EXPECT_EQ(create.columns[0].typeName, "VARCHAR");
    EXPECT_EQ(create.columns[1].type.kind, ColumnTypeKind::Memo);
    EXPECT_EQ(create.columns[2].type.kind, ColumnTypeKind::Long);
    EXPECT_TRUE(create.columns[2].notNull);
    EXPECT_EQ(create.columns[3].type.kind, ColumnTypeKind::DateTime);
    EXPECT_EQ(create.columns[4].type.kind, ColumnTypeKind::Boolean);
    EXPECT_EQ(create.columns[5].type.kind, ColumnTypeKind::Decimal);
    EXPECT_EQ(create.columns[6].type.kind, ColumnTypeKind::Currency);
    EXPECT_EQ(create.columns[7].type, (ColumnType{ColumnTypeKind::Binary, 16}));
    EXPECT_EQ(create.columns[8].type.kind, ColumnTypeKind::Memo);

    EXPECT_NE(SyntaxMessage("create table t (a integer(4))").find("position 27 near '4'"), std::string::npos);
    EXPECT_NE(SyntaxMessage("create table t (a blob)").find("near 'blob'; expected a column type"), std::string::npos);
    EXPECT_NE(SyntaxMessage("create table t ()").find("near ')'"), std::string::npos);
}

TEST(SqlParser, OperatorPrecedence) {
    // NOT binds looser than comparison, AND tighter than OR.
    auto select = std::get<SelectStatement>(ParseStatement("select * from t where not a = 1 or b = 2 and c = 3"));
    const Expr& where = *select.where;
    ASSERT_EQ(where.op, Operator::Or);
    EXPECT_EQ(where.operands[0]->op, Operator::Not);
    EXPECT_EQ(where.operands[0]->operands[0]->op, Operator::Equal);
    EXPECT_EQ(where.operands[1]->op, Operator::And);

    // & below + below Mod below \ below * /, and ^ above unary minus.
    auto expr = ParseCondition("1 & 2 + 3 Mod 4 \\ 5 * -6 ^ 2");
    ASSERT_EQ(expr->op, Operator::Concatenate);
    const Expr& sum = *expr->operands[1];
    ASSERT_EQ(sum.op, Operator::Add);
    const Expr& modulo = *sum.operands[1];
    ASSERT_EQ(modulo.op, Operator::Modulo);
    const Expr& quotient = *modulo.operands[1];
    ASSERT_EQ(quotient.op, Operator::IntegerDivide);
    const Expr& product = *quotient.operands[1];
    ASSERT_EQ(product.op, Operator::Multiply);
    ASSERT_EQ(product.operands[1]->op, Operator::Negate);
    EXPECT_EQ(product.operands[1]->operands[0]->op, Operator::Power);
}

TEST(SqlParser, PredicatesAndNegatedForms) {
    auto expr = ParseCondition("a not like 'x*' and b not between 1 and 2 and c not in (1,2,3) and d is not null");
    // ((like AND between) AND in) AND is-null
    const Expr* node = expr.get();
    ASSERT_EQ(node->operands[1]->kind, ExprKind::IsNull);
    EXPECT_TRUE(node->operands[1]->negated);
    node = node->operands[0].get();
    ASSERT_EQ(node->operands[1]->kind, ExprKind::In);
    EXPECT_EQ(node->operands[1]->operands.size(), 4u);
    node = node->operands[0].get();
    EXPECT_EQ(node->operands[1]->kind, ExprKind::Between);
    EXPECT_EQ(node->operands[0]->kind, ExprKind::Like);
    EXPECT_TRUE(node->operands[0]->negated);
}

TEST(SqlParser, IdentifiersAndLiterals) {
    auto expr = ParseCondition("[Unit Price] + `Qty` + Straße + 1.5e2 + 42 + #1997-01-31# + \"say \"\"hi\"\"\"");
    std::vector<const Expr*> leaves;
    const Expr* node = expr.get();
    while (node->kind == ExprKind::Binary) {
        leaves.insert(leaves.begin(), node->operands[1].get());
        node = node->operands[0].get();
    }
    leaves.insert(leaves.begin(), node);
    ASSERT_EQ(leaves.size(), 7u);
    EXPECT_EQ(leaves[0]->name, "Unit Price");
    EXPECT_EQ(leaves[1]->name, "Qty");
    EXPECT_EQ(leaves[2]->name, "Straße");
    EXPECT_EQ(leaves[3]->literal, Value::Double(150));
    EXPECT_EQ(leaves[4]->literal, Value::Integer(42));
    EXPECT_EQ(leaves[5]->literal.kind(), ValueKind::DateTime);
    EXPECT_EQ(leaves[6]->literal, Value::Text("say \"hi\""));
    // A whole number too large for 64 bits becomes a double rather than failing.
    EXPECT_EQ(ParseCondition("99999999999999999999")->literal.kind(), ValueKind::Double);
}

TEST(SqlParser, ErrorsNamePositionAndToken) {
    EXPECT_EQ(SyntaxMessage("select * form t"), "Syntax error at position 10 near 'form'; expected FROM.");
    EXPECT_EQ(SyntaxMessage("select @@Version"), "Syntax error at position 8 near '@'.");
    EXPECT_EQ(SyntaxMessage("select count(*) from t where "),
              "Syntax error at position 30 at the end of the statement; expected a value.");
    // Positions count characters, not bytes.
    EXPECT_EQ(SyntaxMessage("select * from t where Größe = = 1"), "Syntax error at position 31 near '='; expected a value.");
    // Characters, not bytes, are counted inside quoted strings and names too.
    EXPECT_EQ(SyntaxMessage("select * from t where 'Grüße''n' + [Maß] = = 1"),
              "Syntax error at position 44 near '='; expected a value.");
    EXPECT_NE(SyntaxMessage("select * from t where a = 'open").find("position 27 near ''open'"), std::string::npos);
    EXPECT_NE(SyntaxMessage("select * from t where a = #31.13.1997#").find("near '#31.13.1997#'"), std::string::npos);
    EXPECT_NE(SyntaxMessage("select * from t; select * from u").find("near 'select'"), std::string::npos);
    EXPECT_NE(SyntaxMessage("insert into t values (1,)").find("position 25 near ')'"), std::string::npos);
    EXPECT_NE(SyntaxMessage("select * from t where Foo(1) = 1").find("Undefined function 'Foo'"), std::string::npos);
    EXPECT_NE(SyntaxMessage("select * from t where Left(a) = 1").find("Wrong number of arguments"), std::string::npos);
    EXPECT_NE(SyntaxMessage("select * from where").find("near 'where'; expected a table name"), std::string::npos);
    EXPECT_NE(SyntaxMessage("select * from []").find("near '[]'"), std::string::npos);
    EXPECT_NE(SyntaxMessage("drop table t").find("expected SELECT, CREATE TABLE or INSERT"), std::string::npos);
}

TEST(SqlParser, RefusesExpressionsTooDeepForTheStack) {
    std::string nested = "select * from t where " + std::string(5000, '(') + "1" + std::string(5000, ')');
    EXPECT_NE(SyntaxMessage(nested).find("expected a simpler expression"), std::string::npos);
    std::string chain = "select * from t where 1";
    for (int i = 0; i < 5000; ++i) chain += "+1";
    EXPECT_NE(SyntaxMessage(chain).find("expected a shorter expression"), std::string::npos);
    EXPECT_NE(SyntaxMessage("select * from t where " + std::string(5000, '-') + "1").find("expected a simpler"),
              std::string::npos);
    std::string negations = "select * from t where ";
    for (int i = 0; i < 5000; ++i) negations += "not ";
    EXPECT_NE(SyntaxMessage(negations + "1").find("expected a simpler"), std::string::npos);
}

}  // namespace
}  // namespace tabvex::jet::sql
