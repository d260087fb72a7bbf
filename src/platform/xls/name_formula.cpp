#include "platform/xls/name_formula.h"

#include <cmath>
#include <vector>

#include "platform/text/utf8.h"
#include "platform/xls/biff_string.h"
#include "platform/xls/cell_address.h"
#include "platform/xls/cell_value.h"
#include "platform/xls/formula_tokens.h"

namespace tabvex::xls {

namespace {

using namespace ptg;
constexpr uint16_t kRowRelative = 0x8000, kColumnRelative = 0x4000;

std::string Reference(uint16_t row, uint16_t column) {
    return CellReference(row, uint16_t(column & 0xFF), column & kRowRelative, column & kColumnRelative);
}

std::string AreaText(uint16_t row1, uint16_t row2, uint16_t col1, uint16_t col2) {
    std::string first = Reference(row1, col1), last = Reference(row2, col2);
    return first == last ? first : first + ":" + last;
}

const char* BinaryOperator(uint8_t token) {
    static const char* const kOperators[] = {"+", "-", "*", "/", "^", "&", "<", "<=", "=", ">=", ">", "<>", " ", ",", ":"};
    return token >= 0x03 && token <= 0x11 ? kOperators[token - 0x03] : nullptr;
}

std::string NumberText(double v) {
    CellValue value;
    value.type = CellType::Number;
    value.number = v;
    return value.Shown();
}

// Evaluates the token list as reverse Polish notation into text.
class FormulaPrinter {
public:
    FormulaPrinter(std::span<const uint8_t> tokens, const XtiResolver& resolve) : in_(tokens), resolve_(resolve) {}

    std::optional<std::string> Print() {
        while (!in_.atEnd()) {
            if (!Step()) return std::nullopt;
        }
        if (stack_.size() != 1) return std::nullopt;
        return "=" + stack_.back();
    }

private:
    std::string SheetPrefix(uint16_t xti) {
        auto sheet = resolve_(xti);
        return sheet ? *sheet + "!" : std::string();
    }

    bool Step() {
        uint8_t token = in_.u8();
        if (const char* op = BinaryOperator(token)) {
            if (stack_.size() < 2) return false;
            std::string right = stack_.back();
            stack_.pop_back();
            stack_.back() += op + right;
            return true;
        }
        switch (token) {
            case 0x12: case 0x13: case 0x14:  // unary plus, minus, percent
                if (stack_.empty()) return false;
                stack_.back() = token == 0x14 ? stack_.back() + "%" : (token == 0x12 ? "+" : "-") + stack_.back();
                return true;
            case 0x15:
                if (stack_.empty()) return false;
                stack_.back() = "(" + stack_.back() + ")";
                return true;
            case 0x16: stack_.emplace_back(); return true;
            case 0x17: {
                BiffStringReader strings(in_, {});
                size_t count = in_.u8();
                std::string text = text::Utf16ToUtf8(strings.ReadCharacters(count));
                std::string quoted = "\"";
                for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
                stack_.push_back(quoted + "\"");
                return true;
            }
            case 0x19: return SkipAttribute();
            case 0x1C: stack_.push_back(ErrorText(in_.u8())); return true;
            case 0x1D: stack_.push_back(in_.u8() ? "TRUE" : "FALSE"); return true;
            case 0x1E: stack_.push_back(std::to_string(in_.u16())); return true;
            case 0x1F: stack_.push_back(NumberText(in_.f64())); return true;
            default: break;
        }
        return Operand(token);
    }

    bool SkipAttribute() {
        uint8_t kind = in_.u8();
        uint16_t data = in_.u16();
        if (kind & 0x04) in_.skip(size_t(data + 1) * 2);  // a choose's jump table
        return true;
    }

    bool Operand(uint8_t token) {
        switch (TokenBase(token)) {
            case kRef: {
                uint16_t row = in_.u16(), column = in_.u16();
                stack_.push_back(Reference(row, column));
                return true;
            }
            case kArea: {
                uint16_t r1 = in_.u16(), r2 = in_.u16(), c1 = in_.u16(), c2 = in_.u16();
                stack_.push_back(AreaText(r1, r2, c1, c2));
                return true;
            }
            case kRef3d: {
                uint16_t xti = in_.u16(), row = in_.u16(), column = in_.u16();
                auto sheet = resolve_(xti);
                stack_.push_back(sheet ? *sheet + "!" + Reference(row, column) : "#REF!");
                return true;
            }
            case kArea3d: {
                uint16_t xti = in_.u16(), r1 = in_.u16(), r2 = in_.u16(), c1 = in_.u16(), c2 = in_.u16();
                auto sheet = resolve_(xti);
                stack_.push_back(sheet ? *sheet + "!" + AreaText(r1, r2, c1, c2) : "#REF!");
                return true;
            }
            case kRefErr3d: in_.skip(6), stack_.push_back("#REF!"); return true;
            case kAreaErr3d: in_.skip(10), stack_.push_back("#REF!"); return true;
            default: return false;
        }
    }

    ByteReader in_;
    const XtiResolver& resolve_;
    std::vector<std::string> stack_;
};

}  // namespace

std::optional<std::string> FormulaText(std::span<const uint8_t> tokens, const XtiResolver& resolve) {
    try {
        return FormulaPrinter(tokens, resolve).Print();
    } catch (const CorruptData&) {
        return std::nullopt;
    }
}

std::optional<AreaReference> SingleAreaOf(std::span<const uint8_t> tokens) {
    if (tokens.empty()) return std::nullopt;
    uint8_t base = TokenBase(tokens[0]);
    ByteReader in(tokens, 1);
    if (base == kRef3d && tokens.size() == 7) {
        uint16_t xti = in.u16(), row = in.u16(), column = uint16_t(in.u16() & 0xFF);
        return AreaReference{xti, CellRange{row, row, column, column}};
    }
    if (base == kArea3d && tokens.size() == 11) {
        uint16_t xti = in.u16(), r1 = in.u16(), r2 = in.u16(), c1 = in.u16(), c2 = in.u16();
        return AreaReference{xti, CellRange{r1, r2, uint16_t(c1 & 0xFF), uint16_t(c2 & 0xFF)}};
    }
    return std::nullopt;
}

Bytes AreaTokens(uint16_t xti, const CellRange& range) {
    Bytes tokens;
    ByteWriter out(tokens);
    bool oneCell = range.firstRow == range.lastRow && range.firstColumn == range.lastColumn;
    out.u8(uint8_t(0x20 | (oneCell ? kRef3d : kArea3d)));
    out.u16(xti);
    out.u16(uint16_t(range.firstRow));
    if (oneCell) {
        out.u16(range.firstColumn);
        return tokens;
    }
    out.u16(uint16_t(range.lastRow));
    out.u16(range.firstColumn);
    out.u16(range.lastColumn);
    return tokens;
}

}  // namespace tabvex::xls
