// Records of a new workbook and a new worksheet, as Excel writes them for empty ones.
#include "platform/xls/record_ids.h"
#include "platform/xls/workbook_impl.h"
#include "platform/xls/worksheet_cells.h"

namespace tabvex::xls {

namespace {

constexpr uint16_t kBiff8 = 0x0600, kGlobalsType = 0x0005, kWorksheetType = 0x0010;

BiffRecord Record(uint16_t sid, std::initializer_list<uint16_t> words) {
    BiffRecord r{sid, {}, {}};
    ByteWriter out(r.data);
    for (uint16_t w : words) out.u16(w);
    return r;
}

BiffRecord Bof(uint16_t type) {
    BiffRecord r{rid::kBof, {}, {}};
    ByteWriter out(r.data);
    out.u16(kBiff8);
    out.u16(type);
    out.u16(0x0DBB);  // build
    out.u16(0x07CC);  // year
    out.u32(0x00000041);
    out.u32(0x00000006);
    return r;
}

BiffRecord WriteAccess() {
    BiffRecord r{rid::kWriteAccess, {}, {}};
    ByteWriter out(r.data);
    const std::string user = "Tabvex";
    out.u16(uint16_t(user.size()));
    out.u8(0);
    for (char c : user) out.u8(uint8_t(c));
    while (r.data.size() < 112) out.u8(' ');
    return r;
}

BiffRecord Window1() {
    // Position and size in twips, visible tabs, first sheet active and selected.
    return Record(rid::kWindow1, {0x0000, 0x0000, 0x4000, 0x2000, 0x0038, 0, 0, 1, 0x0258});
}

BiffRecord NormalStyle() {
    BiffRecord r{rid::kStyle, {}, {}};
    ByteWriter out(r.data);
    out.u16(0x8000);  // built-in style of format 0
    out.u8(0);        // "Normal"
    out.u8(0xFF);
    return r;
}

BiffRecord Delta() {
    BiffRecord r{rid::kDelta, {}, {}};
    ByteWriter(r.data).f64(0.001);
    return r;
}

}  // namespace

std::vector<GlobalItem> NewWorkbookGlobals() {
    return {Bof(kGlobalsType),
            Record(rid::kInterfaceHdr, {1200}),
            Record(rid::kMms, {0}),
            BiffRecord{rid::kInterfaceEnd, {}, {}},
            WriteAccess(),
            Record(rid::kCodePage, {1200}),
            Record(rid::kDsf, {0}),
            Record(rid::kFnGroupCount, {14}),
            Record(rid::kWindowProtect, {0}),
            Record(rid::kProtect, {0}),
            Record(rid::kPassword, {0}),
            Record(rid::kProt4Rev, {0}),
            Record(rid::kProt4RevPass, {0}),
            Record(rid::kBackup, {0}),
            Record(rid::kHideObj, {0}),
            Window1(),
            Record(rid::kDateMode, {0}),
            Record(rid::kPrecision, {1}),
            Record(rid::kRefreshAll, {0}),
            Record(rid::kBookBool, {0}),
            GlobalAnchor::Fonts,
            GlobalAnchor::CellFormats,
            NormalStyle(),
            Record(rid::kUseSelfs, {1}),
            GlobalAnchor::BoundSheets,
            Record(rid::kCountry, {1, 1}),
            GlobalAnchor::Links,
            GlobalAnchor::StringTable,
            BiffRecord{rid::kEof, {}, {}}};
}

void InitNewWorksheet(Worksheet& sheet) {
    using A = Worksheet::Anchor;
    sheet.items_ = {Bof(kWorksheetType),
                    A::Index,
                    Record(rid::kCalcMode, {1}),
                    Record(rid::kCalcCount, {100}),
                    Record(rid::kRefMode, {1}),
                    Record(rid::kIteration, {0}),
                    Delta(),
                    Record(rid::kSaveRecalc, {1}),
                    Record(rid::kPrintHeaders, {0}),
                    Record(rid::kPrintGridlines, {0}),
                    Record(rid::kGridSet, {1}),
                    Record(rid::kGuts, {0, 0, 0, 0}),
                    Record(rid::kDefaultRowHeight, {0, 255}),
                    Record(rid::kWsBool, {0x04C1}),
                    Record(rid::kHCenter, {0}),
                    Record(rid::kVCenter, {0}),
                    Record(rid::kDefColWidth, {8}),
                    A::ColumnInfo,
                    A::Dimensions,
                    A::CellTable,
                    A::Window2,
                    BiffRecord{rid::kEof, {}, {}}};
    sheet.window_ = Window2Record::NewWorksheet();
}

}  // namespace tabvex::xls
