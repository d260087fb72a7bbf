#include "platform/xls/name_renumbering.h"

#include <algorithm>

#include "platform/xls/formula_holders.h"
#include "platform/xls/formula_tokens.h"

namespace tabvex::xls {

namespace {

uint32_t ReadU32(std::span<const uint8_t> at) { return ByteReader(at).u32(); }

void WriteU32(std::span<uint8_t> at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[size_t(i)] = uint8_t(value >> (8 * i));
}

}  // namespace

NameRenumbering::NameRenumbering(const std::vector<bool>& kept, std::function<bool(uint16_t xti)> isInternalXti)
    : isInternalXti_(std::move(isInternalXti)) {
    uint32_t next = 1;
    newIndex_.reserve(kept.size());
    for (bool stays : kept) newIndex_.push_back(stays ? next++ : 0);
}

uint32_t NameRenumbering::NewIndex(uint32_t index) const {
    return index >= 1 && index <= newIndex_.size() ? newIndex_[index - 1] : index;
}

void NameRenumbering::ApplyToTokens(std::span<uint8_t> tokens) const {
    // Where each name reference's index sits, and whether the token is a PtgNameX.
    std::vector<std::pair<size_t, bool>> references;
    try {
        ForEachToken(tokens, [&](size_t offset) {
            const uint8_t base = TokenBase(tokens[offset]);
            if (base == ptg::kName) references.emplace_back(offset, false);
            if (base == ptg::kNameX && isInternalXti_(ByteReader(tokens, offset + 1).u16())) {
                references.emplace_back(offset, true);
            }
        });
    } catch (const CorruptData&) {
        return;
    }
    for (auto [offset, external] : references) {
        auto index = tokens.subspan(offset + (external ? 3 : 1), 4);
        const uint32_t renumbered = NewIndex(ReadU32(index));
        if (renumbered != 0) {
            WriteU32(index, renumbered);
            continue;
        }
        // PtgRefErr (5 bytes) for PtgName; PtgRefErr3d (7 bytes, its XTI kept) for PtgNameX.
        const uint8_t errorToken = external ? ptg::kRefErr3d : ptg::kRefErr;
        tokens[offset] = uint8_t(TokenClass(tokens[offset]) | errorToken);
        std::fill(index.begin(), index.end(), uint8_t(0));
    }
}

void NameRenumbering::ApplyToRecord(uint16_t sid, Bytes& body, std::span<const uint32_t> continueOffsets) const {
    std::vector<TokenSpan> spans;
    try {
        spans = FormulaTokensIn(sid, body, continueOffsets);
    } catch (const CorruptData&) {
        return;
    }
    for (const auto& span : spans) ApplyToTokens(std::span<uint8_t>(body).subspan(span.offset, span.size));
}

}  // namespace tabvex::xls
