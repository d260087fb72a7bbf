#include "platform/xls/formula_holders.h"

#include "platform/xls/biff_string.h"
#include "platform/xls/record_ids.h"

namespace tabvex::xls {

namespace {

// A token count of 16 bits at `countAt`, the tokens at `tokensAt`.
TokenSpan Counted(std::span<const uint8_t> body, size_t countAt, size_t tokensAt) {
    ByteReader in(body, countAt);
    size_t size = in.u16();
    in.seek(tokensAt);
    in.skip(size);
    return {tokensAt, size};
}

// CF: two formulas at the very end of the record, after the differential format.
std::vector<TokenSpan> ConditionalFormatTokens(std::span<const uint8_t> body) {
    ByteReader in(body, 2);
    size_t first = in.u16(), second = in.u16();
    if (first + second > in.remaining()) throw CorruptData("CF record shorter than its formulas");
    size_t end = body.size();
    return {{end - second - first, first}, {end - second, second}};
}

// DV: four texts, then two formulas each with a count and two unused bytes.
std::vector<TokenSpan> ValidationTokens(std::span<const uint8_t> body, std::span<const uint32_t> continueOffsets) {
    ByteReader in(body, 4);
    BiffStringReader strings(in, continueOffsets);
    for (int text = 0; text < 4; ++text) strings.ReadUnicodeString();
    TokenSpan first = Counted(body, in.position(), in.position() + 4);
    TokenSpan second = Counted(body, first.offset + first.size, first.offset + first.size + 4);
    return {first, second};
}

}  // namespace

std::vector<TokenSpan> FormulaTokensIn(uint16_t sid, std::span<const uint8_t> body,
                                       std::span<const uint32_t> continueOffsets) {
    switch (sid) {
        case rid::kFormula: return {Counted(body, 20, 22)};
        case rid::kShrFmla: return {Counted(body, 8, 10)};
        case rid::kArray: return {Counted(body, 12, 14)};
        case rid::kChartLink: return {Counted(body, 6, 8)};
        case rid::kConditionalFormat: return ConditionalFormatTokens(body);
        case rid::kValidation: return ValidationTokens(body, continueOffsets);
        default: return {};
    }
}

}  // namespace tabvex::xls
