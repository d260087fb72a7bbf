#include "platform/xls/external_references.h"

#include <algorithm>

#include "platform/xls/record_ids.h"
#include "platform/xls/record_writer.h"

namespace tabvex::xls {

namespace {
constexpr uint16_t kInternalMarker = 0x0401;
constexpr uint16_t kWorkbookLevel = 0xFFFE;
}  // namespace

bool SupBookEntry::IsInternal() const {
    return supBook.data.size() == 4 && (supBook.data[2] | supBook.data[3] << 8) == kInternalMarker;
}

bool ExternalReferences::AddTrailing(BiffRecord& record) {
    bool belongs = record.sid == rid::kExternName || record.sid == rid::kXct || record.sid == rid::kCrn;
    if (!belongs || books_.empty()) return false;
    books_.back().trailing.push_back(std::move(record));
    return true;
}

void ExternalReferences::ReadExternSheet(const BiffRecord& record) {
    ByteReader in(record.data);
    size_t count = in.u16();
    if (count * 6 > in.remaining()) throw CorruptData("EXTERNSHEET record shorter than its count");
    for (size_t i = 0; i < count; ++i) {
        XtiEntry x;
        x.supBook = in.u16();
        x.firstSheet = in.u16();
        x.lastSheet = in.u16();
        xtis_.push_back(x);
    }
    hasExternSheet_ = true;
}

void ExternalReferences::Write(RecordWriter& writer) const {
    for (const auto& book : books_) {
        writer.Write(book.supBook);
        for (const auto& r : book.trailing) writer.Write(r);
    }
    if (!hasExternSheet_ && xtis_.empty()) return;
    BiffRecord record{rid::kExternSheet, {}, {}};
    ByteWriter out(record.data);
    out.u16(uint16_t(xtis_.size()));
    for (const auto& x : xtis_) out.u16(x.supBook), out.u16(x.firstSheet), out.u16(x.lastSheet);
    // Long tables go on in CONTINUE records between whole entries.
    for (size_t at = 2 + 1370 * 6; at < record.data.size(); at += 1370 * 6) record.continueOffsets.push_back(uint32_t(at));
    writer.Write(record);
}

std::optional<size_t> ExternalReferences::InternalBook() const {
    auto it = std::find_if(books_.begin(), books_.end(), [](const SupBookEntry& b) { return b.IsInternal(); });
    if (it == books_.end()) return std::nullopt;
    return size_t(it - books_.begin());
}

bool ExternalReferences::IsInternal(uint16_t xti) const {
    return xti < xtis_.size() && InternalBook() == xtis_[xti].supBook;
}

bool ExternalReferences::IsDeleted(uint16_t xti) const {
    return IsInternal(xti) && (xtis_[xti].firstSheet == kDeletedSheet || xtis_[xti].lastSheet == kDeletedSheet);
}

std::optional<size_t> ExternalReferences::SheetOf(uint16_t xti) const {
    if (!IsInternal(xti) || IsDeleted(xti)) return std::nullopt;
    const auto& x = xtis_[xti];
    if (x.firstSheet != x.lastSheet || x.firstSheet == kWorkbookLevel) return std::nullopt;
    return x.firstSheet;
}

uint16_t ExternalReferences::XtiOfSheet(size_t sheet, size_t sheetCount) {
    auto book = InternalBook();
    if (!book) {
        BiffRecord supBook{rid::kSupBook, {}, {}};
        ByteWriter out(supBook.data);
        out.u16(uint16_t(sheetCount));
        out.u16(kInternalMarker);
        // Appended, so the book numbers of existing XTIs stay valid.
        books_.push_back({std::move(supBook), {}});
        book = books_.size() - 1;
    }
    XtiEntry wanted{uint16_t(*book), uint16_t(sheet), uint16_t(sheet)};
    auto it = std::find(xtis_.begin(), xtis_.end(), wanted);
    if (it != xtis_.end()) return uint16_t(it - xtis_.begin());
    if (xtis_.size() >= 0xFFFF) throw CorruptData("too many sheet references");
    xtis_.push_back(wanted);
    hasExternSheet_ = true;
    return uint16_t(xtis_.size() - 1);
}

void ExternalReferences::SheetDeleted(size_t sheet, size_t sheetCountAfter) {
    auto book = InternalBook();
    if (!book) return;
    for (auto& x : xtis_) {
        if (x.supBook != *book || x.firstSheet >= kWorkbookLevel) continue;
        if (x.firstSheet == sheet && x.lastSheet == sheet) {
            x.firstSheet = x.lastSheet = kDeletedSheet;
            continue;
        }
        if (x.firstSheet > sheet) --x.firstSheet;
        if (x.lastSheet >= sheet && x.lastSheet != kDeletedSheet) --x.lastSheet;
    }
    SetSheetCount(sheetCountAfter);
}

void ExternalReferences::SetSheetCount(size_t count) {
    if (auto book = InternalBook()) {
        ByteWriter out(books_[*book].supBook.data);
        out.patchU16(0, uint16_t(count));
    }
}

}  // namespace tabvex::xls
