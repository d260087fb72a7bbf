// A run of INSERTs that differ only in their text literals is read without parsing
// each one whole; what comes back must be exactly what a full parse gives, and every
// statement that is not such a repeat must still meet the parser itself.
#include <gtest/gtest.h>

#include <future>
#include <string>

#include "platform/jet/sql/parser.h"
#include "platform/jet/sql/sql_error.h"

namespace tabvex::jet::sql {
namespace {

// Everything a parsed INSERT holds, as one comparable text.
std::string Describe(const Statement& statement) {
    const auto* insert = std::get_if<InsertStatement>(&statement);
    if (!insert) return "not an INSERT";
    std::string text = insert->table.name + "@" + std::to_string(insert->table.position) + " (";
    for (const auto& column : insert->columns) text += column + ",";
    text += ") values@" + std::to_string(insert->valuesPosition) + ":";
    for (const auto& value : insert->values) {
        text += " [" + std::to_string(static_cast<int>(value->kind)) + " " + value->literal.ToText() + " @" +
                std::to_string(value->position) + " h" + std::to_string(value->height) + " " + value->name + "]";
    }
    return text;
}

// What the statement parses to, or the error it fails with.
std::string Parsed(const std::string& text) {
    try {
        return Describe(ParseStatement(text));
    } catch (const SqlError& error) {
        return std::string("error: ") + error.what();
    }
}

// The same on a thread that has parsed nothing before: the parser on its own.
std::string ParsedAfresh(const std::string& text) {
    return std::async(std::launch::async, [&] { return Parsed(text); }).get();
}

TEST(RepeatedInsertTest, RowsAfterTheFirstReadAsAFullParseReadsThem) {
    const std::string head = "insert into [Order Details] (Id, [Näme], Note) values (";
    ASSERT_EQ(Parsed(head + "'1', 'a', 'b');\n"), ParsedAfresh(head + "'1', 'a', 'b');\n"));
    for (const std::string values : {
             "'2','Ærø Café','x''y')",             // characters of several bytes, a doubled quote
             "  '3' ,\t\"dq \"\" 'in'\" ,'' ) ; ",  // blanks anywhere, double quotes, an empty text
             "'4','€','𝄞 past the plane')",        // four-byte characters shift later positions
         }) {
        EXPECT_EQ(Parsed(head + values), ParsedAfresh(head + values)) << values;
    }
}

TEST(RepeatedInsertTest, AnythingButTextLiteralsAfterTheHeadMeetsTheParser) {
    const std::string head = "INSERT INTO T VALUES (";
    ASSERT_NE(Parsed(head + "'a', 'b')").rfind("error", 0), 0u);
    for (const std::string values : {
             "1, 'b')",           // a number
             "'a', NULL)",        // a keyword
             "'a' & 'c', 'b')",   // an expression
             "'a', #2001-02-03#)",
             "'a', 'b') extra",   // something after the statement
             "'a', 'b'",          // no closing parenthesis
             "'a', 'b)",          // an unclosed quote
             "'a' 'b')",          // no comma
             "'a', 'b');;",
             ")",
         }) {
        EXPECT_EQ(Parsed(head + values), ParsedAfresh(head + values)) << values;
    }
}

TEST(RepeatedInsertTest, OnlyTheWholeHeadCounts) {
    ASSERT_EQ(Parsed("insert into T values ('a')"), ParsedAfresh("insert into T values ('a')"));
    for (const std::string other : {
             "insert into T2 values ('a')",        // the head is a prefix of another table's
             "insert into T values ('a', 'b')",    // more values than before
             "insert into T (X) values ('a')",
             "select * from T",
         }) {
        EXPECT_EQ(Parsed(other), ParsedAfresh(other)) << other;
    }
}

}  // namespace
}  // namespace tabvex::jet::sql

namespace tabvex::jet::sql {
namespace {

// What the repeated INSERT's reading gives, in the terms of Describe: the head's table
// and columns with the literals read, or "not read" when it leaves the text to the parser.
std::string ReadRepeated(const std::string& text) {
    std::vector<std::string> literals{"left over from before"};
    const InsertStatement* head = ReadRepeatedInsert(text, literals);
    if (!head) return "not read";
    std::string described = head->table.name + " (";
    for (const auto& column : head->columns) described += column + ",";
    described += "):";
    for (const auto& literal : literals) described += " [" + literal + "]";
    return described;
}

// The same from a full parse of the text.
std::string FullyParsed(const std::string& text) {
    return std::async(std::launch::async, [&] {
               const Statement statement = ParseStatement(text);
               const auto& insert = std::get<InsertStatement>(statement);
               std::string described = insert.table.name + " (";
               for (const auto& column : insert.columns) described += column + ",";
               described += "):";
               for (const auto& value : insert.values) described += " [" + value->literal.ToText() + "]";
               return described;
           })
        .get();
}

TEST(RepeatedInsertTest, TheLiteralsOfARepeatedRowAreWhatAFullParseReads) {
    const std::string head = "insert into [Order Details] (Id, [Näme], Note) values (";
    ParseStatement(head + "'1', 'a', 'b');\n");
    for (const std::string values : {
             "'2','Ærø Café','x''y')",
             "  '3' ,\t\"dq \"\" 'in'\" ,'' ) ; ",
             "'4','€','𝄞 past the plane')",
             "'5')",  // fewer values than columns: the count is checked where they are placed
         }) {
        EXPECT_EQ(ReadRepeated(head + values), FullyParsed(head + values)) << values;
    }
    for (const std::string values : {"1, 'b', 'c')", "'a', NULL, 'c')", "'a' & 'c', 'b', 'c')", "'a', 'b', 'c') x",
                                     "'a', 'b', 'c'", "'a', 'b', 'c)", "'a' 'b', 'c')", "'a', 'b', 'c');;", ")"}) {
        EXPECT_EQ(ReadRepeated(head + values), "not read") << values;
    }
    EXPECT_EQ(ReadRepeated("insert into [Order Details] (Id) values ('1')"), "not read");
}

TEST(RepeatedInsertTest, NothingIsReadOnAThreadThatParsedNoInsert) {
    EXPECT_EQ(std::async(std::launch::async, [] { return ReadRepeated("insert into T values ('a')"); }).get(),
              "not read");
}

}  // namespace
}  // namespace tabvex::jet::sql
