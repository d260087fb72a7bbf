// Reading the globals substream and then every sheet substream it lists.
#include <algorithm>

#include "platform/text/utf8.h"
#include "platform/xls/bound_sheet_record.h"
#include "platform/xls/format_record.h"
#include "platform/xls/record_ids.h"
#include "platform/xls/record_reader.h"
#include "platform/xls/sst_record.h"
#include "platform/xls/workbook_impl.h"
#include "platform/xls/worksheet_reader.h"

namespace tabvex::xls {

namespace {

constexpr uint16_t kBiff8 = 0x0600;

SheetKind KindOf(uint8_t type) {
    switch (type) {
        case 0x01: return SheetKind::MacroSheet;
        case 0x02: return SheetKind::Chart;
        case 0x06: return SheetKind::VisualBasicModule;
        default: return SheetKind::Worksheet;
    }
}

void CheckBof(const BiffRecord& bof) {
    if (bof.sid != rid::kBof) {
        // BIFF5 and older use other BOF identifiers or versions.
        if (bof.sid == 0x0009 || bof.sid == 0x0209 || bof.sid == 0x0409) {
            throw XlsError("an older Excel format (BIFF2 to BIFF4), not BIFF8");
        }
        throw CorruptData("the Workbook stream does not begin with a BOF record");
    }
    ByteReader in(bof.data);
    uint16_t version = in.u16();
    if (version != kBiff8) throw XlsError("an older Excel format (BIFF5, Excel 5/95), not BIFF8");
}

class GlobalsReader {
public:
    explicit GlobalsReader(Workbook::Impl& impl) : impl_(impl) {}

    std::vector<BoundSheetRecord> Read(std::span<const uint8_t> stream) {
        RecordReader reader(stream, 0);
        BiffRecord record;
        if (!reader.Next(record)) throw CorruptData("the Workbook stream is empty");
        CheckBof(record);
        impl_.globals.push_back(std::move(record));
        for (size_t at = reader.position(); reader.Next(record); at = reader.position()) {
            bool end = record.sid == rid::kEof;
            uint16_t sid = record.sid;
            try {
                Take(std::move(record));
            } catch (const CorruptData& e) {
                throw CorruptData(DescribeRecord(sid, at) + ": " + e.what());
            }
            if (end) return std::move(boundSheets_);
        }
        throw CorruptData("the workbook globals have no EOF record");
    }

private:
    // Called for every font, format, sheet and name record, so each anchor is looked
    // for once rather than searched for among thousands of items each time.
    void Anchor(GlobalAnchor anchor) {
        const auto bit = uint8_t(1u << uint8_t(anchor));
        if (anchored_ & bit) return;
        anchored_ |= bit;
        if (std::find(impl_.globals.begin(), impl_.globals.end(), GlobalItem(anchor)) == impl_.globals.end()) {
            impl_.globals.push_back(anchor);
        }
    }

    void Take(BiffRecord&& record) {
        switch (record.sid) {
            case rid::kFilePass: throw XlsError("the workbook is encrypted (password protected)");
            case rid::kFont:
                impl_.formats.fonts().push_back(FontRecord::Parse(record));
                return Anchor(GlobalAnchor::Fonts);
            case rid::kXf:
                impl_.formats.formats().push_back(XfRecord::Parse(record));
                return Anchor(GlobalAnchor::CellFormats);
            case rid::kFormat:
                NoteNumberFormat(record);
                break;
            case rid::kBoundSheet:
                boundSheets_.push_back(BoundSheetRecord::Parse(record));
                return Anchor(GlobalAnchor::BoundSheets);
            case rid::kSupBook:
                impl_.links.AddSupBook(std::move(record));
                return Anchor(GlobalAnchor::Links);
            case rid::kExternSheet:
                impl_.links.ReadExternSheet(record);
                return Anchor(GlobalAnchor::Links);
            case rid::kName:
                impl_.names.push_back(NameRecord::Parse(record));
                return Anchor(GlobalAnchor::Links);
            case rid::kSst:
                if (sstSeen_) break;
                sstSeen_ = true;
                ReadSstRecord(record, impl_.strings);
                return Anchor(GlobalAnchor::StringTable);
            case rid::kExtSst:
                if (sstSeen_) return;  // rebuilt with the SST
                break;
            default:
                if (impl_.links.AddTrailing(record)) return;
        }
        impl_.globals.push_back(std::move(record));
    }

    // Some writers leave a FORMAT record shorter than its string; its cells then show
    // General rather than the workbook being refused. The record stays as read.
    void NoteNumberFormat(const BiffRecord& record) {
        try {
            FormatRecord format = FormatRecord::Parse(record);
            impl_.formats.AddNumberFormat(format.index, std::move(format.code));
        } catch (const CorruptData&) {
        }
    }

    Workbook::Impl& impl_;
    std::vector<BoundSheetRecord> boundSheets_;
    uint8_t anchored_ = 0;  // bit per GlobalAnchor already among the items
    bool sstSeen_ = false;
};

}  // namespace

void ReadWorkbookStream(Workbook::Impl& impl) {
    std::span<const uint8_t> stream(impl.container.workbook);
    auto boundSheets = GlobalsReader(impl).Read(stream);
    for (const auto& bound : boundSheets) {
        auto sheet = impl.MakeSheet(text::Utf16ToUtf8(bound.name), KindOf(bound.type), SheetVisibility(bound.state & 0x03));
        WorksheetReader(stream, *sheet).Read(bound.offset);
        impl.sheets.push_back(std::move(sheet));
        impl.sheetStates.push_back(bound.state);
    }
    impl.container.workbook.clear();
    impl.container.workbook.shrink_to_fit();
}

}  // namespace tabvex::xls
