#include "platform/jet/sql/parser.h"

#include <array>
#include <charconv>
#include <optional>

#include "platform/jet/sql/functions.h"
#include "platform/jet/sql/lexer.h"
#include "platform/jet/sql/sql_error.h"
#include "platform/jet/sql/text_case.h"

namespace tabvex::jet::sql {
namespace {

// Words that never name a column or table when written bare.
constexpr std::array<std::string_view, 19> kReservedWords{
    "SELECT", "FROM", "WHERE", "AND", "OR", "NOT", "LIKE", "BETWEEN", "IN", "IS",
    "NULL", "TRUE", "FALSE", "MOD", "CREATE", "TABLE", "INSERT", "INTO", "VALUES"};

// Case folding never maps between ASCII and other characters, so a word equals an
// ASCII keyword only if it has as many bytes: the cheap length test comes first.
bool IsWordOf(std::string_view word, std::string_view keyword) {
    return word.size() == keyword.size() && EqualsIgnoringCase(word, keyword);
}

bool IsReserved(std::string_view word) {
    for (auto reserved : kReservedWords)
        if (IsWordOf(word, reserved)) return true;
    return false;
}

// Nesting deeper than this is refused rather than risking the stack, both while
// parsing and later while evaluating or destroying the tree.
constexpr int kMaxDepth = 200;
constexpr std::size_t kMaxHeight = 1000;

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(Tokenize(text)) {}

    Statement ParseWholeStatement() {
        Statement statement = ParseStatementBody();
        FinishStatement();
        return statement;
    }

    std::string_view valuesOpen() const { return valuesOpen_; }

    ExprPtr ParseWholeCondition() {
        ExprPtr condition = ParseExpression();
        FinishStatement();
        return condition;
    }

private:
    const Token& Peek(std::size_t ahead = 0) const {
        return tokens_[std::min(index_ + ahead, tokens_.size() - 1)];
    }
    const Token& Take() {
        const Token& token = tokens_[index_];
        if (index_ + 1 < tokens_.size()) ++index_;
        return token;
    }
    // The current token, to be moved from: it is never looked at again.
    Token& TakeForMove() {
        Token& token = tokens_[index_];
        if (index_ + 1 < tokens_.size()) ++index_;
        return token;
    }
    bool IsKeyword(std::string_view keyword, std::size_t ahead = 0) const {
        const Token& token = Peek(ahead);
        return token.kind == TokenKind::Word && IsWordOf(token.text, keyword);
    }
    bool IsSymbol(std::string_view symbol) const {
        return Peek().kind == TokenKind::Symbol && Peek().text == symbol;
    }
    bool AcceptKeyword(std::string_view keyword) {
        if (!IsKeyword(keyword)) return false;
        Take();
        return true;
    }
    bool AcceptSymbol(std::string_view symbol) {
        if (!IsSymbol(symbol)) return false;
        Take();
        return true;
    }
    [[noreturn]] void Fail(std::string_view expected) const {
        throw SqlError::Syntax(Peek().position, Peek().raw, expected);
    }
    void ExpectKeyword(std::string_view keyword) {
        if (!AcceptKeyword(keyword)) Fail(keyword);
    }
    void ExpectSymbol(std::string_view symbol) {
        if (!AcceptSymbol(symbol)) Fail("'" + std::string(symbol) + "'");
    }

    void FinishStatement() {
        AcceptSymbol(";");
        if (Peek().kind != TokenKind::End) Fail("the end of the statement");
    }

    Statement ParseStatementBody() {
        if (AcceptKeyword("SELECT")) return ParseSelect();
        if (AcceptKeyword("CREATE")) return ParseCreateTable();
        if (AcceptKeyword("INSERT")) return ParseInsert();
        Fail("SELECT, CREATE TABLE or INSERT");
    }

    // A table or column name: a bare word that is not reserved, or a quoted name.
    std::string ParseName(std::string_view what) {
        const Token& token = Peek();
        if (token.kind == TokenKind::QuotedIdentifier || (token.kind == TokenKind::Word && !IsReserved(token.text)))
            return Take().text;
        Fail(what);
    }

    TableName ParseTableName() {
        std::size_t position = Peek().position;
        return TableName{ParseName("a table name"), position};
    }

    SelectStatement ParseSelect() {
        SelectStatement select;
        if (AcceptSymbol("*")) {
            select.countOnly = false;
        } else if (IsKeyword("COUNT") && Peek(1).kind == TokenKind::Symbol && Peek(1).text == "(") {
            Take();
            Take();
            ExpectSymbol("*");
            ExpectSymbol(")");
            select.countOnly = true;
        } else {
            Fail("* or COUNT(*)");
        }
        ExpectKeyword("FROM");
        select.table = ParseTableName();
        if (AcceptKeyword("WHERE")) select.where = ParseExpression();
        return select;
    }

    CreateTableStatement ParseCreateTable() {
        ExpectKeyword("TABLE");
        CreateTableStatement create;
        create.table = ParseTableName();
        ExpectSymbol("(");
        do create.columns.push_back(ParseColumnDefinition());
        while (AcceptSymbol(","));
        ExpectSymbol(")");
        return create;
    }

    int ParseSizeNumber() {
        const Token& token = Peek();
        int size = 0;
        auto [end, error] = std::from_chars(token.text.data(), token.text.data() + token.text.size(), size);
        if (token.kind != TokenKind::Integer || error != std::errc() || size <= 0) Fail("a size");
        Take();
        return size;
    }

    ColumnDefinition ParseColumnDefinition() {
        ColumnDefinition column;
        column.position = Peek().position;
        column.name = ParseName("a column name");
        const Token& typeToken = Peek();
        auto kind = typeToken.kind == TokenKind::Word ? ColumnTypeKindByName(typeToken.text) : std::nullopt;
        if (!kind) Fail("a column type");
        column.typeName = ToUpperText(Take().text);
        column.type.kind = *kind;
        if (AcceptSymbol("(")) {
            bool isDecimal = *kind == ColumnTypeKind::Decimal;  // DECIMAL(precision[, scale])
            if (!TakesSize(*kind) && !isDecimal) Fail("no size for this type");
            int size = ParseSizeNumber();
            if (!isDecimal) column.type.size = size;
            else if (AcceptSymbol(",")) ParseSizeNumber();
            ExpectSymbol(")");
        }
        if (column.type.kind == ColumnTypeKind::Text && column.type.size == 0) column.type.size = 255;
        if (AcceptKeyword("NOT")) {
            ExpectKeyword("NULL");
            column.notNull = true;
        } else {
            AcceptKeyword("NULL");
        }
        return column;
    }

    InsertStatement ParseInsert() {
        ExpectKeyword("INTO");
        InsertStatement insert;
        insert.table = ParseTableName();
        if (AcceptSymbol("(")) {
            do insert.columns.push_back(ParseName("a column name"));
            while (AcceptSymbol(","));
            ExpectSymbol(")");
        }
        ExpectKeyword("VALUES");
        insert.valuesPosition = Peek().position;
        valuesOpen_ = Peek().raw;
        ExpectSymbol("(");
        do insert.values.push_back(ParseExpression());
        while (AcceptSymbol(","));
        ExpectSymbol(")");
        return insert;
    }

    // Expressions, loosest binding first: OR, AND, NOT, comparisons, &, + -, Mod, \,
    // * /, unary minus, ^.
    ExprPtr ParseExpression() {
        if (++depth_ > kMaxDepth) throw SqlError::Syntax(Peek().position, Peek().raw, "a simpler expression");
        ExprPtr expr = IsLoneLiteral() ? ParsePrimary() : ParseOr();
        --depth_;
        return expr;
    }

    // A literal directly followed by ',' or ')' (each value of an INSERT, mostly) is the
    // whole expression: no operator can follow, so the descent through every level of
    // precedence is skipped.
    bool IsLoneLiteral() const {
        TokenKind kind = Peek().kind;
        bool literal = kind == TokenKind::String || kind == TokenKind::Integer || kind == TokenKind::Number ||
                       kind == TokenKind::Date;
        const Token& next = Peek(1);
        return literal && next.kind == TokenKind::Symbol && (next.text == "," || next.text == ")");
    }

    static ExprPtr MakeNode(ExprKind kind, Operator op, std::size_t position) {
        auto node = std::make_unique<Expr>();
        node->kind = kind;
        node->op = op;
        node->position = position;
        return node;
    }
    static void AddOperand(Expr& node, ExprPtr operand) {
        node.height = std::max(node.height, operand->height + 1);
        if (node.height > kMaxHeight) throw SqlError::Syntax(node.position, "", "a shorter expression");
        node.operands.push_back(std::move(operand));
    }
    static ExprPtr MakeBinary(Operator op, ExprPtr left, ExprPtr right) {
        ExprPtr node = MakeNode(ExprKind::Binary, op, left->position);
        AddOperand(*node, std::move(left));
        AddOperand(*node, std::move(right));
        return node;
    }

    ExprPtr ParseOr() {
        ExprPtr left = ParseAnd();
        while (AcceptKeyword("OR")) left = MakeBinary(Operator::Or, std::move(left), ParseAnd());
        return left;
    }

    ExprPtr ParseAnd() {
        ExprPtr left = ParseNot();
        while (AcceptKeyword("AND")) left = MakeBinary(Operator::And, std::move(left), ParseNot());
        return left;
    }

    ExprPtr ParseNot() {
        if (IsKeyword("NOT")) {
            ExprPtr node = MakeNode(ExprKind::Unary, Operator::Not, Take().position);
            AddOperand(*node, Nested(&Parser::ParseNot));
            return node;
        }
        return ParseComparison();
    }

    // Guards the recursion of rules that call themselves directly.
    ExprPtr Nested(ExprPtr (Parser::*rule)()) {
        if (++depth_ > kMaxDepth) throw SqlError::Syntax(Peek().position, Peek().raw, "a simpler expression");
        ExprPtr expr = (this->*rule)();
        --depth_;
        return expr;
    }

    static std::optional<Operator> ComparisonOperator(const Token& token) {
        if (token.kind != TokenKind::Symbol) return std::nullopt;
        if (token.text == "=") return Operator::Equal;
        if (token.text == "<>") return Operator::NotEqual;
        if (token.text == "<") return Operator::Less;
        if (token.text == "<=") return Operator::LessEqual;
        if (token.text == ">") return Operator::Greater;
        if (token.text == ">=") return Operator::GreaterEqual;
        return std::nullopt;
    }

    ExprPtr ParseComparison() {
        ExprPtr left = ParseConcatenation();
        if (auto op = ComparisonOperator(Peek())) {
            Take();
            return MakeBinary(*op, std::move(left), ParseConcatenation());
        }
        if (IsKeyword("IS")) return ParseIsNull(std::move(left));
        bool negated = IsKeyword("NOT") && (IsKeyword("LIKE", 1) || IsKeyword("BETWEEN", 1) || IsKeyword("IN", 1));
        if (negated) Take();
        if (AcceptKeyword("LIKE")) return WithOperands(ExprKind::Like, negated, std::move(left), ParseConcatenation());
        if (AcceptKeyword("BETWEEN")) {
            ExprPtr low = ParseConcatenation();
            ExpectKeyword("AND");
            return WithOperands(ExprKind::Between, negated, std::move(left), std::move(low), ParseConcatenation());
        }
        if (AcceptKeyword("IN")) return ParseInList(std::move(left), negated);
        return left;
    }

    template <typename... Operands>
    static ExprPtr WithOperands(ExprKind kind, bool negated, ExprPtr first, Operands... rest) {
        ExprPtr node = MakeNode(kind, Operator::None, first->position);
        node->negated = negated;
        AddOperand(*node, std::move(first));
        (AddOperand(*node, std::move(rest)), ...);
        return node;
    }

    ExprPtr ParseIsNull(ExprPtr left) {
        Take();
        bool negated = AcceptKeyword("NOT");
        ExpectKeyword("NULL");
        return WithOperands(ExprKind::IsNull, negated, std::move(left));
    }

    ExprPtr ParseInList(ExprPtr left, bool negated) {
        ExprPtr node = WithOperands(ExprKind::In, negated, std::move(left));
        ExpectSymbol("(");
        do AddOperand(*node, ParseExpression());
        while (AcceptSymbol(","));
        ExpectSymbol(")");
        return node;
    }

    // One level of left-associative binary operators.
    template <typename Next, typename Match>
    ExprPtr ParseLeftAssociative(Next next, Match match) {
        ExprPtr left = (this->*next)();
        while (auto op = match()) {
            Take();
            left = MakeBinary(*op, std::move(left), (this->*next)());
        }
        return left;
    }

    std::optional<Operator> SymbolOperator(std::string_view symbol, Operator op) const {
        return IsSymbol(symbol) ? std::optional<Operator>(op) : std::nullopt;
    }

    ExprPtr ParseConcatenation() {
        return ParseLeftAssociative(&Parser::ParseAdditive, [this] { return SymbolOperator("&", Operator::Concatenate); });
    }
    ExprPtr ParseAdditive() {
        return ParseLeftAssociative(&Parser::ParseModulo, [this] {
            auto op = SymbolOperator("+", Operator::Add);
            return op ? op : SymbolOperator("-", Operator::Subtract);
        });
    }
    ExprPtr ParseModulo() {
        return ParseLeftAssociative(&Parser::ParseIntegerDivision, [this] {
            return IsKeyword("MOD") ? std::optional<Operator>(Operator::Modulo) : std::nullopt;
        });
    }
    ExprPtr ParseIntegerDivision() {
        return ParseLeftAssociative(&Parser::ParseMultiplicative,
                                    [this] { return SymbolOperator("\\", Operator::IntegerDivide); });
    }
    ExprPtr ParseMultiplicative() {
        return ParseLeftAssociative(&Parser::ParseUnary, [this] {
            auto op = SymbolOperator("*", Operator::Multiply);
            return op ? op : SymbolOperator("/", Operator::Divide);
        });
    }

    ExprPtr ParseUnary() {
        if (IsSymbol("-") || IsSymbol("+")) {
            const Token& sign = Take();
            ExprPtr operand = Nested(&Parser::ParseUnary);
            if (sign.text == "+") return operand;
            ExprPtr node = MakeNode(ExprKind::Unary, Operator::Negate, sign.position);
            AddOperand(*node, std::move(operand));
            return node;
        }
        return ParseLeftAssociative(&Parser::ParsePrimary, [this] { return SymbolOperator("^", Operator::Power); });
    }

    static ExprPtr MakeLiteral(Value value, std::size_t position) {
        ExprPtr node = MakeNode(ExprKind::Literal, Operator::None, position);
        node->literal = std::move(value);
        return node;
    }

    ExprPtr ParsePrimary() {
        const Token& token = Peek();
        switch (token.kind) {
        case TokenKind::String:
            return MakeLiteral(Value::Text(std::move(TakeForMove().text)), token.position);
        case TokenKind::Integer:
        case TokenKind::Number:
            return MakeLiteral(NumberLiteral(token), Take().position);
        case TokenKind::Date:
            return MakeLiteral(DateLiteral(token), Take().position);
        case TokenKind::QuotedIdentifier:
            return MakeColumn(Take());
        case TokenKind::Word:
            return ParseWord();
        case TokenKind::Symbol:
            if (AcceptSymbol("(")) {
                ExprPtr inner = ParseExpression();
                ExpectSymbol(")");
                return inner;
            }
            break;
        case TokenKind::End:
            break;
        }
        Fail("a value");
    }

    static ExprPtr MakeColumn(const Token& token) {
        ExprPtr node = MakeNode(ExprKind::Column, Operator::None, token.position);
        node->name = token.text;
        return node;
    }

    static Value NumberLiteral(const Token& token) {
        if (token.kind == TokenKind::Integer) {
            std::int64_t integer = 0;
            auto [end, error] = std::from_chars(token.text.data(), token.text.data() + token.text.size(), integer);
            if (error == std::errc()) return Value::Integer(integer);
        }
        auto number = ParseNumberText(token.text);
        if (!number) throw SqlError::At(SqlErrorKind::Overflow, token.position, "Number out of range '" + std::string(token.raw) + "'");
        return Value::Double(*number);
    }

    static Value DateLiteral(const Token& token) {
        auto date = ParseDateTime(token.text);
        if (!date) throw SqlError::Syntax(token.position, token.raw, "a date such as #1997-01-31#");
        return Value::Date(*date);
    }

    ExprPtr ParseWord() {
        const Token& token = Peek();
        if (AcceptKeyword("NULL")) return MakeLiteral(Value::Null(), token.position);
        if (AcceptKeyword("TRUE")) return MakeLiteral(Value::Boolean(true), token.position);
        if (AcceptKeyword("FALSE")) return MakeLiteral(Value::Boolean(false), token.position);
        if (IsReserved(token.text)) Fail("a value");
        if (Peek(1).kind == TokenKind::Symbol && Peek(1).text == "(") return ParseFunctionCall();
        return MakeColumn(Take());
    }

    ExprPtr ParseFunctionCall() {
        const Token& nameToken = Take();
        const FunctionInfo* function = FindFunction(nameToken.text);
        if (!function)
            throw SqlError::At(SqlErrorKind::UnknownFunction, nameToken.position,
                               "Undefined function '" + nameToken.text + "' in expression");
        ExprPtr node = MakeNode(ExprKind::Function, Operator::None, nameToken.position);
        node->name = function->name;
        ExpectSymbol("(");
        if (!IsSymbol(")")) {
            do AddOperand(*node, ParseExpression());
            while (AcceptSymbol(","));
        }
        ExpectSymbol(")");
        std::size_t count = node->operands.size();
        if (count < function->minArguments || count > function->maxArguments)
            throw SqlError::At(SqlErrorKind::Syntax, nameToken.position,
                               "Wrong number of arguments used with function '" + nameToken.text + "'");
        return node;
    }

    std::vector<Token> tokens_;
    std::size_t index_ = 0;
    int depth_ = 0;
    std::string_view valuesOpen_;  // the '(' opening an INSERT's values, as written
};

// An INSERT's text up to and including the '(' that opens its values, and what it
// says, remembered from the last INSERT parsed on this thread. A migration sends row
// after row whose statements differ only in their text literals: for those only the
// literals are read.
struct InsertHead {
    std::string text;
    InsertStatement statement;  // without values
};

thread_local std::optional<InsertHead> lastInsertHead;

void RememberInsertHead(std::string_view text, std::string_view valuesOpen, const InsertStatement& insert) {
    InsertHead head;
    head.text = text.substr(0, static_cast<std::size_t>(valuesOpen.data() - text.data()) + 1);
    head.statement.table = insert.table;
    head.statement.columns = insert.columns;
    head.statement.valuesPosition = insert.valuesPosition;
    lastInsertHead = std::move(head);
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    return pos;
}

}  // namespace

Statement ParseStatement(std::string_view text) {
    Parser parser(text);
    Statement statement = parser.ParseWholeStatement();
    if (const auto* insert = std::get_if<InsertStatement>(&statement)) {
        RememberInsertHead(text, parser.valuesOpen(), *insert);
    }
    return statement;
}

// The remembered head followed by text literals only: ('…', "…", …) with blanks
// anywhere between, then an optional ';'. Anything else is left to the parser.
const InsertStatement* ReadRepeatedInsert(std::string_view text, std::vector<std::string>& literals) {
    if (!lastInsertHead || !text.starts_with(lastInsertHead->text)) return nullptr;
    std::size_t count = 0;
    for (std::size_t pos = lastInsertHead->text.size();;) {
        const std::size_t start = SkipBlanks(text, pos);
        if (start >= text.size() || (text[start] != '\'' && text[start] != '"')) return nullptr;
        if (count == literals.size()) literals.emplace_back();
        std::string& content = literals[count++];
        content.clear();
        pos = ReadDelimited(text, start, text[start], true, content);
        if (pos == std::string_view::npos) return nullptr;
        const std::size_t separator = SkipBlanks(text, pos);
        if (separator >= text.size()) return nullptr;
        pos = separator + 1;
        if (text[separator] == ')') {
            pos = SkipBlanks(text, pos);
            if (pos < text.size() && text[pos] == ';') pos = SkipBlanks(text, pos + 1);
            if (pos != text.size()) return nullptr;
            literals.resize(count);
            return &lastInsertHead->statement;
        }
        if (text[separator] != ',') return nullptr;
    }
}

ExprPtr ParseCondition(std::string_view text) { return Parser(text).ParseWholeCondition(); }

}  // namespace tabvex::jet::sql
