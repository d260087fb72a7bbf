// Writing the Workbook stream: the globals with their anchors expanded, then each
// sheet, with the BOUNDSHEET offsets patched to where the sheets land.
#include <algorithm>

#include "platform/text/utf8.h"
#include "platform/xls/bound_sheet_record.h"
#include "platform/xls/record_ids.h"
#include "platform/xls/record_writer.h"
#include "platform/xls/sst_record.h"
#include "platform/xls/workbook_impl.h"
#include "platform/xls/worksheet_cells.h"
#include "platform/xls/worksheet_writer.h"

namespace tabvex::xls {

namespace {

uint8_t TypeOf(SheetKind kind) {
    switch (kind) {
        case SheetKind::MacroSheet: return 0x01;
        case SheetKind::Chart: return 0x02;
        case SheetKind::VisualBasicModule: return 0x06;
        case SheetKind::Worksheet: break;
    }
    return 0x00;
}

class WorkbookStreamWriter {
public:
    WorkbookStreamWriter(const Workbook::Impl& impl, StreamSink& sink) : impl_(impl), writer_(sink) {}

    void Write() {
        CollectStrings();
        auto has = [this](GlobalAnchor anchor) {
            return std::find(impl_.globals.begin(), impl_.globals.end(), GlobalItem(anchor)) != impl_.globals.end();
        };
        const bool hasStringTable = has(GlobalAnchor::StringTable);
        // A file read without fonts or cell formats has them only once some were added;
        // they go before the sheet list.
        bool formatsPlaced = has(GlobalAnchor::Fonts) && has(GlobalAnchor::CellFormats);
        auto placeFormats = [&] {
            if (formatsPlaced) return;
            formatsPlaced = true;
            if (!has(GlobalAnchor::Fonts)) WriteAnchor(GlobalAnchor::Fonts);
            if (!has(GlobalAnchor::CellFormats)) WriteAnchor(GlobalAnchor::CellFormats);
        };
        for (const auto& item : impl_.globals) {
            if (const auto* record = std::get_if<BiffRecord>(&item)) {
                if (record->sid == rid::kEof) placeFormats();
                // Workbooks with inline text cells only get a string table before their EOF.
                if (record->sid == rid::kEof && !hasStringTable && !order_.empty()) {
                    WriteAnchor(GlobalAnchor::StringTable);
                }
                writer_.Write(*record);
            } else {
                if (std::get<GlobalAnchor>(item) == GlobalAnchor::BoundSheets) placeFormats();
                WriteAnchor(std::get<GlobalAnchor>(item));
            }
        }
        WorksheetWriter sheets(writer_, stringIndex_);
        for (size_t i = 0; i < impl_.sheets.size(); ++i) {
            writer_.PatchU32(boundSheetPositions_.at(i) + BoundSheetRecord::kOffsetPosition, uint32_t(writer_.position()));
            sheets.Write(*impl_.sheets[i]);
        }
        writer_.Flush();
    }

private:
    // Only strings that cells still use are written, in their old order.
    void CollectStrings() {
        stringIndex_.assign(impl_.strings.size(), UINT32_MAX);
        for (const auto& sheet : impl_.sheets) {
            sheet->ForEachStringIndex([&](uint32_t index) {
                ++references_;
                stringIndex_[index] = 0;
            });
        }
        for (uint32_t i = 0; i < stringIndex_.size(); ++i) {
            if (stringIndex_[i] == UINT32_MAX) continue;
            stringIndex_[i] = uint32_t(order_.size());
            order_.push_back(i);
        }
    }

    void WriteAnchor(GlobalAnchor anchor) {
        switch (anchor) {
            case GlobalAnchor::Fonts:
                for (const auto& font : impl_.formats.fonts()) writer_.Write(font.ToRecord());
                return;
            case GlobalAnchor::CellFormats:
                for (const auto& xf : impl_.formats.formats()) writer_.Write(xf.ToRecord());
                return;
            case GlobalAnchor::BoundSheets:
                for (size_t i = 0; i < impl_.sheets.size(); ++i) {
                    const Worksheet& sheet = *impl_.sheets[i];
                    BoundSheetRecord bound;
                    bound.state = uint8_t((impl_.sheetStates[i] & ~0x03) | uint8_t(sheet.Visibility()));
                    bound.type = TypeOf(sheet.Kind());
                    bound.name = text::Utf8ToUtf16(sheet.Name());
                    boundSheetPositions_.push_back(writer_.position());
                    writer_.Write(bound.ToRecord());
                }
                return;
            case GlobalAnchor::Links:
                impl_.links.Write(writer_);
                for (const auto& name : impl_.names) writer_.Write(name.ToRecord());
                return;
            case GlobalAnchor::StringTable: WriteSstRecords(writer_, impl_.strings, order_, references_); return;
        }
    }

    const Workbook::Impl& impl_;
    RecordWriter writer_;
    std::vector<uint32_t> stringIndex_;
    std::vector<uint32_t> order_;
    uint32_t references_ = 0;
    std::vector<size_t> boundSheetPositions_;
};

}  // namespace

void WriteWorkbookStream(const Workbook::Impl& impl, StreamSink& sink) { WorkbookStreamWriter(impl, sink).Write(); }

}  // namespace tabvex::xls
