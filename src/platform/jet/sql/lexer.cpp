#include "platform/jet/sql/lexer.h"

#include "platform/jet/sql/sql_error.h"
#include "platform/text/utf8.h"

namespace tabvex::jet::sql {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool IsNamePart(char c) { return IsNameStart(c) || IsDigit(c) || c == '$'; }

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    std::vector<Token> Run() {
        std::vector<Token> tokens;
        tokens.reserve(16 + text_.size() / 4);
        for (;;) {
            while (pos_ < text_.size() && IsBlank(text_[pos_])) Advance();
            if (pos_ >= text_.size()) break;
            tokens.push_back(Next());
        }
        tokens.push_back(Token{TokenKind::End, {}, {}, Here()});
        return tokens;
    }

private:
    void Advance() {
        if ((static_cast<unsigned char>(text_[pos_]) & 0xC0) != 0x80) ++position_;
        ++pos_;
    }
    // Passes every byte before `end` at once, counting the characters among them.
    void AdvanceTo(std::size_t end) {
        position_ += PositionsIn(text_.substr(pos_, end - pos_));
        pos_ = end;
    }
    void AdvanceWhile(bool (*predicate)(char)) {
        while (pos_ < text_.size() && predicate(text_[pos_])) Advance();
    }
    // Position of the character at pos_ (Advance counts a character when it leaves
    // its lead byte, so the current one is position_ + 1).
    std::size_t Here() const { return position_ + 1; }

    Token Make(TokenKind kind, std::string text, std::size_t start, std::size_t position) const {
        return Token{kind, std::move(text), text_.substr(start, pos_ - start), position};
    }

    Token Next() {
        char c = text_[pos_];
        if (c == '[') return Delimited(TokenKind::QuotedIdentifier, ']', false);
        if (c == '`') return Delimited(TokenKind::QuotedIdentifier, '`', false);
        if (c == '\'' || c == '"') return Delimited(TokenKind::String, c, true);
        if (c == '#') return Delimited(TokenKind::Date, '#', false);
        if (IsDigit(c) || (c == '.' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) return NumberToken();
        if (IsNameStart(c)) {
            std::size_t start = pos_, position = Here();
            AdvanceWhile(IsNamePart);
            return Make(TokenKind::Word, std::string(text_.substr(start, pos_ - start)), start, position);
        }
        return SymbolToken();
    }

    // A token between an opening and closing character; inside strings a doubled
    // closing quote stands for one quote.
    Token Delimited(TokenKind kind, char close, bool doubledEscapes) {
        std::size_t start = pos_, position = Here();
        std::string content;
        std::size_t end = ReadDelimited(text_, start, close, doubledEscapes, content);
        if (end == std::string_view::npos)
            throw SqlError::Syntax(position, text_.substr(start, 20), "a closing " + std::string(1, close));
        AdvanceTo(end);
        if (kind == TokenKind::QuotedIdentifier && content.empty())
            throw SqlError::Syntax(position, text_.substr(start, pos_ - start), "a name");
        return Make(kind, std::move(content), start, position);
    }

    Token NumberToken() {
        std::size_t start = pos_, position = Here();
        TokenKind kind = TokenKind::Integer;
        AdvanceWhile(IsDigit);
        if (pos_ < text_.size() && text_[pos_] == '.') {
            kind = TokenKind::Number;
            Advance();
            AdvanceWhile(IsDigit);
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            std::size_t exponent = pos_ + 1;
            if (exponent < text_.size() && (text_[exponent] == '+' || text_[exponent] == '-')) ++exponent;
            if (exponent < text_.size() && IsDigit(text_[exponent])) {
                kind = TokenKind::Number;
                while (pos_ < exponent) Advance();
                AdvanceWhile(IsDigit);
            }
        }
        if (pos_ < text_.size() && IsNameStart(text_[pos_])) {
            std::size_t end = pos_;
            while (end < text_.size() && IsNamePart(text_[end])) ++end;
            throw SqlError::Syntax(position, text_.substr(start, end - start));
        }
        return Make(kind, std::string(text_.substr(start, pos_ - start)), start, position);
    }

    Token SymbolToken() {
        std::size_t start = pos_, position = Here();
        char c = text_[pos_];
        Advance();
        if (c == '<' && pos_ < text_.size() && (text_[pos_] == '=' || text_[pos_] == '>')) Advance();
        else if (c == '>' && pos_ < text_.size() && text_[pos_] == '=') Advance();
        else if (std::string_view("(),;*+-/\\&^=<>").find(c) == std::string_view::npos) {
            throw SqlError::Syntax(position, text_.substr(start, 1));
        }
        return Make(TokenKind::Symbol, std::string(text_.substr(start, pos_ - start)), start, position);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t position_ = 0;  // characters passed so far
};

}  // namespace

std::size_t PositionsIn(std::string_view text) {
    std::size_t characters = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const std::size_t ascii = text::AsciiPrefixLength(text.substr(pos));
        characters += ascii, pos += ascii;
        if (pos < text.size()) characters += (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80;
    }
    return characters;
}

std::size_t ReadDelimited(std::string_view text, std::size_t open, char close, bool doubledEscapes,
                          std::string& content) {
    for (std::size_t pos = open + 1;;) {
        std::size_t closing = text.find(close, pos);
        if (closing == std::string_view::npos) return std::string_view::npos;
        content.append(text.substr(pos, closing - pos));
        pos = closing + 1;
        if (!doubledEscapes || pos >= text.size() || text[pos] != close) return pos;
        content += close;  // a doubled quote stands for one
        ++pos;
    }
}

std::vector<Token> Tokenize(std::string_view statement) { return Lexer(statement).Run(); }

}  // namespace tabvex::jet::sql
