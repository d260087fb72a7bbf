// The parts of a workbook: the compound file around it, the globals substream with
// its modelled parts as anchors, and the sheets. Sheets point at the string and
// format tables, which therefore live here, at a stable address.
#pragma once

#include <memory>
#include <variant>
#include <vector>

#include "platform/xls/compound_file.h"
#include "platform/xls/external_references.h"
#include "platform/xls/format_table.h"
#include "platform/xls/name_index.h"
#include "platform/xls/name_record.h"
#include "platform/xls/shared_string_table.h"
#include "platform/xls/workbook.h"

namespace tabvex::xls {

enum class GlobalAnchor : uint8_t { Fonts, CellFormats, BoundSheets, Links, StringTable };
using GlobalItem = std::variant<BiffRecord, GlobalAnchor>;

struct Workbook::Impl {
    std::filesystem::path path;
    std::optional<FileStamp> savedStamp;  // the file as the last Save left it
    bool saveHeld = false;                // the last Save was held: the file is older
    CompoundFile container;  // its Workbook stream is dropped once read
    std::vector<GlobalItem> globals;
    SharedStringTable strings;
    FormatTable formats;
    ExternalReferences links;
    std::vector<NameRecord> names;
    NameIndex nameIndex;  // over `names`; invalidated whenever they change
    std::vector<std::unique_ptr<Worksheet>> sheets;
    std::vector<uint8_t> sheetStates;  // BOUNDSHEET state bytes, parallel to sheets

    std::unique_ptr<Worksheet> MakeSheet(std::string name, SheetKind kind, SheetVisibility visibility) {
        return std::make_unique<Worksheet>(std::move(name), kind, visibility, strings, formats);
    }
};

// Reads the Workbook stream of `container` into `impl`; throws CorruptData or XlsError.
void ReadWorkbookStream(Workbook::Impl& impl);
// Writes the Workbook stream of the model to `sink`.
void WriteWorkbookStream(const Workbook::Impl& impl, StreamSink& sink);
// The globals of a new workbook, and a new worksheet's records.
std::vector<GlobalItem> NewWorkbookGlobals();
void InitNewWorksheet(Worksheet& sheet);

}  // namespace tabvex::xls
