// Formula tokens: walking a token list of every BIFF8 token size, refusing damaged
// lists, and renumbering defined-name references inside every record that holds them.
#include <gtest/gtest.h>

#include "platform/xls/formula_holders.h"
#include "platform/xls/formula_tokens.h"
#include "platform/xls/name_renumbering.h"
#include "platform/xls/record_ids.h"

namespace tabvex::xls {
namespace {

Bytes Token(uint8_t id, size_t size) {
    Bytes token(size, 0);
    token[0] = id;
    return token;
}

Bytes NameToken(uint8_t id, uint32_t index) {
    Bytes token;
    ByteWriter out(token);
    out.u8(id), out.u32(index);
    return token;
}

Bytes NameXToken(uint8_t id, uint16_t xti, uint32_t index) {
    Bytes token;
    ByteWriter out(token);
    out.u8(id), out.u16(xti), out.u32(index);
    return token;
}

Bytes Join(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<size_t> Offsets(std::span<const uint8_t> tokens) {
    std::vector<size_t> offsets;
    ForEachToken(tokens, [&](size_t offset) { offsets.push_back(offset); });
    return offsets;
}

TEST(FormulaTokens, EveryTokenSizeOfBiff8IsWalked) {
    std::vector<Bytes> parts = {
        {0x1E, 7, 0}, Token(0x1F, 9), {0x1C, 0x07}, {0x1D, 1}, {0x03}, {0x15}, {0x16}, Token(0x01, 5),
        {0x17, 3, 0x00, 'a', 'b', 'c'}, {0x17, 2, 0x01, 'x', 0, 'y', 0},  // 8-bit and 16-bit strings
        {0x19, 0x04, 1, 0, 4, 0, 8, 0},                                   // choose with two jumps
        {0x19, 0x10, 0, 0}, Token(0x18, 6)};
    // Operand sizes by base token, in each of the three classes.
    const std::vector<std::pair<uint8_t, size_t>> operands = {
        {0x00, 8}, {0x01, 3}, {0x02, 4}, {0x03, 5}, {0x04, 5}, {0x05, 9}, {0x06, 7}, {0x07, 7}, {0x08, 7}, {0x09, 3},
        {0x0A, 5}, {0x0B, 9}, {0x0C, 5}, {0x0D, 9}, {0x19, 7}, {0x1A, 7}, {0x1B, 11}, {0x1C, 7}, {0x1D, 11}};
    for (uint8_t tokenClass : {0x20, 0x40, 0x60}) {
        for (auto [base, size] : operands) parts.push_back(Token(uint8_t(tokenClass | base), size));
    }
    std::vector<size_t> expected;
    size_t at = 0;
    for (const auto& part : parts) expected.push_back(at), at += part.size();
    EXPECT_EQ(Offsets(Join(parts)), expected);
}

TEST(FormulaTokens, DamagedListsAreRefused) {
    const std::vector<Bytes> damaged = {
        {0x2E, 0, 0, 0, 0},         // no such operand
        {0x00},                      // no such token
        {0x83, 0, 0, 0, 0},          // beyond the three classes
        {0x23, 1, 0},                // a name reference cut short
        {0x17, 5, 0x00, 'a'},        // a string longer than the list
        {0x17, 2, 0x01, 'x', 0, 'y'},  // a wide string a byte short
        {0x19, 0x04, 0xFF, 0xFF},    // a choose whose jump table is missing
    };
    for (const auto& tokens : damaged) EXPECT_THROW(Offsets(tokens), CorruptData) << int(tokens[0]);
}

// Three names, the second removed; XTI 0 is this workbook's own, XTI 1 another book.
NameRenumbering SecondOfThreeRemoved() {
    return NameRenumbering({true, false, true}, [](uint16_t xti) { return xti == 0; });
}

TEST(NameRenumbering, LaterNamesMoveDownAndTheRemovedOneBecomesRefError) {
    Bytes tokens = Join({NameToken(0x23, 1), NameToken(0x43, 2), NameToken(0x63, 3), {0x10},
                         NameXToken(0x39, 0, 3), NameXToken(0x59, 0, 2), NameXToken(0x79, 1, 2), NameToken(0x23, 9)});
    SecondOfThreeRemoved().ApplyToTokens(tokens);
    EXPECT_EQ(tokens, Join({NameToken(0x23, 1), NameToken(0x4A, 0), NameToken(0x63, 2), {0x10},
                            NameXToken(0x39, 0, 2), NameXToken(0x5C, 0, 0),
                            NameXToken(0x79, 1, 2),     // a name of another book keeps its index
                            NameToken(0x23, 9)}));      // an index beyond the names stays as it was
}

TEST(NameRenumbering, DamagedFormulasAndRecordsWithoutFormulasAreLeftAlone) {
    Bytes damaged = Join({NameToken(0x23, 3), {0x2E}});
    Bytes before = damaged;
    SecondOfThreeRemoved().ApplyToTokens(damaged);
    EXPECT_EQ(damaged, before);

    Bytes label = Join({Bytes(6, 0), NameToken(0x23, 3)});  // bytes that merely look like a reference
    before = label;
    SecondOfThreeRemoved().ApplyToRecord(rid::kLabel, label, {});
    EXPECT_EQ(label, before);
    Bytes shortFormula = {0, 0, 0, 0};
    SecondOfThreeRemoved().ApplyToRecord(rid::kFormula, shortFormula, {});
    EXPECT_EQ(shortFormula, (Bytes{0, 0, 0, 0}));
}

// A record body: `head` bytes, a 16-bit token count (and `gap` unused bytes), the
// tokens, then `extra` bytes that follow the formula.
Bytes WithFormula(Bytes head, const Bytes& tokens, size_t gap = 0, Bytes extra = {}) {
    ByteWriter out(head);
    out.u16(uint16_t(tokens.size()));
    out.zeros(gap);
    out.bytes(tokens);
    out.bytes(extra);
    return head;
}

Bytes Text(const std::u16string& text, bool wide) {
    Bytes out;
    ByteWriter w(out);
    w.u16(uint16_t(text.size())), w.u8(wide ? 1 : 0);
    for (char16_t c : text) wide ? w.u16(c) : w.u8(uint8_t(c));
    return out;
}

TEST(NameRenumbering, EveryRecordKindThatHoldsFormulas) {
    const Bytes tokens = Join({NameToken(0x23, 3), NameToken(0x43, 2)});
    const Bytes expected = Join({NameToken(0x23, 2), NameToken(0x4A, 0)});
    const Bytes decoy = NameToken(0x23, 3);  // data around the formula that must not change
    struct Case {
        uint16_t sid;
        Bytes body;
        size_t tokensAt;
    };
    Bytes cf = {0x01, 0x03};
    ByteWriter(cf).u16(uint16_t(tokens.size())), ByteWriter(cf).u16(uint16_t(tokens.size()));
    cf.insert(cf.end(), decoy.begin(), decoy.end());  // the differential format before the formulas
    size_t cfFirst = cf.size();
    cf = Join({cf, tokens, tokens});
    Bytes dv = Join({Bytes(4, 0), Text(u"#title", false), Text(u"#\u00e9rror", true), Text(u"", false), Text(u"#x", true)});
    size_t dvFirst = dv.size() + 4;
    dv = WithFormula(dv, tokens, 2);
    size_t dvSecond = dv.size() + 4;
    dv = WithFormula(dv, tokens, 2, decoy);  // the cell ranges follow
    std::vector<Case> cases = {
        {rid::kFormula, WithFormula(Join({Bytes(14, 0), decoy, {0}}), tokens, 0, decoy), 22},
        {rid::kShrFmla, WithFormula(Bytes(8, 0), tokens, 0, decoy), 10},
        {rid::kArray, WithFormula(Join({decoy, Bytes(7, 0)}), tokens), 14},
        {rid::kChartLink, WithFormula(Bytes(6, 0), tokens), 8},
        {rid::kConditionalFormat, cf, cfFirst},
        {rid::kConditionalFormat, cf, cfFirst + tokens.size()},
        {rid::kValidation, dv, dvFirst},
        {rid::kValidation, dv, dvSecond},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "record " << std::hex << c.sid << " tokens at " << std::dec << c.tokensAt);
        Bytes body = c.body;
        SecondOfThreeRemoved().ApplyToRecord(c.sid, body, {});
        EXPECT_EQ(Bytes(body.begin() + long(c.tokensAt), body.begin() + long(c.tokensAt + tokens.size())), expected);
        for (size_t i = 0; i < body.size(); ++i) {
            bool inFormula = false;
            for (const auto& span : FormulaTokensIn(c.sid, c.body, {})) inFormula |= i >= span.offset && i < span.offset + span.size;
            if (!inFormula) {
                ASSERT_EQ(body[i], c.body[i]) << "byte " << i << " outside the formulas changed";
            }
        }
    }
}

}  // namespace
}  // namespace tabvex::xls
