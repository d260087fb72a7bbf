// SUPBOOK and EXTERNSHEET: the books formulas refer to (this workbook's own sheets
// among them) and the table of sheet ranges that 3-D references index (XTI).
#pragma once

#include <optional>
#include <vector>

#include "platform/xls/biff_record.h"

namespace tabvex::xls {

struct SupBookEntry {
    BiffRecord supBook;
    std::vector<BiffRecord> trailing;  // its EXTERNNAME, XCT and CRN records
    bool IsInternal() const;           // this workbook's own sheets
};

struct XtiEntry {
    uint16_t supBook = 0;
    uint16_t firstSheet = 0, lastSheet = 0;  // 0xFFFE: the workbook itself; 0xFFFF: a deleted sheet
    bool operator==(const XtiEntry&) const = default;
};

class ExternalReferences {
public:
    static constexpr uint16_t kDeletedSheet = 0xFFFF;

    void AddSupBook(BiffRecord record) { books_.push_back({std::move(record), {}}); }
    // EXTERNNAME, XCT and CRN records belong to the SUPBOOK before them.
    bool AddTrailing(BiffRecord& record);
    void ReadExternSheet(const BiffRecord& record);
    void Write(class RecordWriter& writer) const;

    // The sheet index a reference through `xti` names, when it names one sheet of this workbook.
    std::optional<size_t> SheetOf(uint16_t xti) const;
    bool IsDeleted(uint16_t xti) const;
    bool IsInternal(uint16_t xti) const;
    // The XTI of one sheet of this workbook, added (with the SUPBOOK) when missing.
    uint16_t XtiOfSheet(size_t sheet, size_t sheetCount);
    // Moves references after a deleted sheet and marks those to it as deleted.
    void SheetDeleted(size_t sheet, size_t sheetCountAfter);
    // Keeps the internal SUPBOOK's sheet count true.
    void SetSheetCount(size_t count);

private:
    std::optional<size_t> InternalBook() const;

    std::vector<SupBookEntry> books_;
    std::vector<XtiEntry> xtis_;
    bool hasExternSheet_ = false;
};

}  // namespace tabvex::xls
