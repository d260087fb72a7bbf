#include "platform/xls/workbook.h"

#include <algorithm>

#include "platform/text/utf8.h"
#include "platform/xls/cell_address.h"
#include "platform/xls/kept_workbook.h"
#include "platform/xls/limits.h"
#include "platform/xls/name_formula.h"
#include "platform/xls/name_renumbering.h"
#include "platform/xls/record_ids.h"
#include "platform/xls/text_encoding.h"
#include "platform/xls/workbook_impl.h"

namespace tabvex::xls {

namespace {

bool SameText(std::u16string_view a, std::u16string_view b) { return FoldCase(a) == FoldCase(b); }

void ValidateDefinedName(std::string_view name) {
    std::u16string wide = text::Utf8ToUtf16(name);
    if (wide.empty() || wide.size() > kMaxDefinedName) throw XlsError("a defined name has 1 to 255 characters");
    auto allowed = [](char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
               c == u'.' || c == u'\\' || c >= 0x80;
    };
    bool validStart = allowed(wide[0]) && !(wide[0] >= u'0' && wide[0] <= u'9') && wide[0] != u'.';
    if (!validStart || !std::all_of(wide.begin(), wide.end(), allowed)) {
        throw XlsError("invalid defined name '" + std::string(name) + "'");
    }
}

void ValidateArea(const SheetArea& area, size_t sheetCount) {
    const auto& r = area.range;
    if (area.sheet >= sheetCount) throw XlsError("a defined name refers to a sheet that does not exist");
    if (r.firstRow > r.lastRow || r.firstColumn > r.lastColumn || r.lastRow >= kMaxRows || r.lastColumn >= kMaxColumns) {
        throw XlsError("a defined name's area must lie within 65,536 rows and 256 columns");
    }
}

// Removes the names `kept` leaves out; references to the names after them, in any
// formula of the workbook, move down with them.
void RemoveNames(Workbook::Impl& impl, const std::vector<bool>& kept) {
    if (std::all_of(kept.begin(), kept.end(), [](bool stays) { return stays; })) return;
    NameRenumbering renumbering(kept, [&impl](uint16_t xti) { return impl.links.IsInternal(xti); });
    std::vector<NameRecord> remaining;
    for (size_t i = 0; i < impl.names.size(); ++i) {
        if (!kept[i]) continue;
        renumbering.ApplyToTokens(impl.names[i].formula);
        remaining.push_back(std::move(impl.names[i]));
    }
    impl.names = std::move(remaining);
    impl.nameIndex.Invalidate();
    for (auto& sheet : impl.sheets) {
        sheet->ForEachRecordBody([&renumbering](uint16_t sid, Bytes& body, std::span<const uint32_t> continueOffsets) {
            renumbering.ApplyToRecord(sid, body, continueOffsets);
        });
    }
}

}  // namespace

void ValidateSheetName(std::string_view name) {
    std::u16string wide = text::Utf8ToUtf16(name);
    if (wide.empty() || wide.size() > kMaxSheetName) {
        throw XlsError("a sheet name has 1 to 31 characters; '" + std::string(name) + "' has " +
                       std::to_string(wide.size()));
    }
    if (wide.find_first_of(u":\\/?*[]") != std::u16string::npos) {
        throw XlsError("a sheet name may not contain : \\ / ? * [ or ]; got '" + std::string(name) + "'");
    }
    // Excel refuses these, and other readers rename such a sheet when they open the file.
    if (wide.front() == u'\'' || wide.back() == u'\'') {
        throw XlsError("a sheet name may not begin or end with an apostrophe; got '" + std::string(name) + "'");
    }
}

Workbook::Workbook(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

namespace {

// Decodes the Workbook stream of an opened container; damage becomes an XlsError naming `path`.
void ReadContainer(Workbook::Impl& impl, const std::filesystem::path& path) {
    try {
        ReadWorkbookStream(impl);
    } catch (const CorruptData& e) {
        throw XlsError(path, std::string("corrupt workbook: ") + e.what());
    } catch (const XlsError& e) {
        throw XlsError(path, e.problem());
    } catch (const std::length_error&) {
        throw XlsError(path, "corrupt workbook: a length beyond what the file holds");
    }
}

}  // namespace

Workbook Workbook::Open(const std::filesystem::path& path) {
    if (auto kept = TakeKeptWorkbook(path)) {
        kept->impl_->path = path;
        return std::move(*kept);
    }
    return OpenOnDisk(path);
}

Workbook Workbook::OpenOnDisk(const std::filesystem::path& path) {
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->container = ReadCompoundFile(path);
    ReadContainer(*impl, path);
    return Workbook(std::move(impl));
}

Workbook Workbook::OpenBytes(std::span<const uint8_t> bytes, const std::filesystem::path& label) {
    auto impl = std::make_unique<Impl>();
    impl->container = ReadCompoundFile(bytes, label);
    ReadContainer(*impl, label);
    return Workbook(std::move(impl));
}

Workbook Workbook::CreateNew(const std::vector<std::string>& sheetNames) {
    if (sheetNames.empty()) throw XlsError("a workbook needs at least one sheet");
    auto impl = std::make_unique<Impl>();
    impl->globals = NewWorkbookGlobals();
    impl->formats = FormatTable::Defaults();
    Workbook book(std::move(impl));
    for (const auto& name : sheetNames) book.AddSheet(name);
    book.impl_->sheets.front()->SetSelected(true);
    return book;
}

void Workbook::Save(const std::filesystem::path& path) {
    if (HoldSave(path)) {
        impl_->path = path;
        impl_->saveHeld = true;
        return;
    }
    WriteCompoundFile(path, impl_->container, [&](StreamSink& sink) { WriteWorkbookStream(*impl_, sink); });
    impl_->path = path;
    impl_->savedStamp = StampOf(path);
    impl_->saveHeld = false;
}

void Workbook::Save() {
    if (impl_->path.empty()) throw XlsError("the workbook has no file yet; save it under a path");
    Save(impl_->path);
}

const std::filesystem::path& Workbook::Path() const { return impl_->path; }

std::optional<FileStamp> Workbook::SavedStamp() const { return impl_->savedStamp; }

bool Workbook::SaveHeld() const { return impl_->saveHeld; }

bool Workbook::UsesDate1904() const {
    for (const auto& item : impl_->globals) {
        const auto* record = std::get_if<BiffRecord>(&item);
        if (record && record->sid == rid::kDateMode) return record->data.size() >= 2 && (record->data[0] | record->data[1]) != 0;
    }
    return false;
}

size_t Workbook::SheetCount() const { return impl_->sheets.size(); }

Worksheet& Workbook::Sheet(size_t index) {
    if (index >= impl_->sheets.size()) throw XlsError("no sheet number " + std::to_string(index + 1));
    return *impl_->sheets[index];
}

const Worksheet& Workbook::Sheet(size_t index) const {
    if (index >= impl_->sheets.size()) throw XlsError("no sheet number " + std::to_string(index + 1));
    return *impl_->sheets[index];
}

std::optional<size_t> Workbook::FindSheet(std::string_view name) const {
    std::u16string wanted = text::Utf8ToUtf16(name);
    for (size_t i = 0; i < impl_->sheets.size(); ++i) {
        if (SameText(text::Utf8ToUtf16(impl_->sheets[i]->Name()), wanted)) return i;
    }
    return std::nullopt;
}

Worksheet& Workbook::AddSheet(const std::string& name) {
    ValidateSheetName(name);
    if (FindSheet(name)) throw XlsError("a sheet named '" + name + "' already exists");
    auto sheet = impl_->MakeSheet(name, SheetKind::Worksheet, SheetVisibility::Visible);
    InitNewWorksheet(*sheet);
    impl_->sheets.push_back(std::move(sheet));
    impl_->sheetStates.push_back(0);
    impl_->links.SetSheetCount(impl_->sheets.size());
    return *impl_->sheets.back();
}

void Workbook::DeleteSheet(size_t index) {
    auto& sheets = impl_->sheets;
    if (index >= sheets.size()) throw XlsError("no sheet number " + std::to_string(index + 1));
    if (sheets.size() == 1) throw XlsError("a workbook must keep at least one sheet");
    sheets.erase(sheets.begin() + long(index));
    impl_->sheetStates.erase(impl_->sheetStates.begin() + long(index));
    const uint16_t scope = uint16_t(index + 1);
    std::vector<bool> kept;
    for (const auto& n : impl_->names) kept.push_back(n.sheetScope != scope);
    RemoveNames(*impl_, kept);
    for (auto& n : impl_->names) {
        if (n.sheetScope > scope) --n.sheetScope;
    }
    impl_->links.SheetDeleted(index, sheets.size());
    // The window shows the first sheet afterwards, so an index past the end never remains.
    for (auto& item : impl_->globals) {
        auto* record = std::get_if<BiffRecord>(&item);
        if (record && record->sid == rid::kWindow1 && record->data.size() >= 16) {
            ByteWriter patch(record->data);
            patch.patchU16(10, 0), patch.patchU16(12, 0), patch.patchU16(14, 1);
        }
    }
    for (size_t i = 0; i < sheets.size(); ++i) sheets[i]->SetSelected(i == 0);
}

void Workbook::RenameSheet(size_t index, const std::string& name) {
    Worksheet& sheet = Sheet(index);
    ValidateSheetName(name);
    auto existing = FindSheet(name);
    if (existing && *existing != index) throw XlsError("a sheet named '" + name + "' already exists");
    sheet.SetName(name);
}

namespace {

DefinedNameInfo Describe(const Workbook::Impl& impl, const NameRecord& n) {
    DefinedNameInfo info;
    info.name = text::Utf16ToUtf8(n.DisplayName());
    if (n.sheetScope != 0) info.sheetScope = n.sheetScope - 1;
    info.hidden = n.Hidden();
    info.builtIn = n.BuiltIn();
    auto resolve = [&](uint16_t xti) -> std::optional<std::string> {
        if (impl.links.IsDeleted(xti)) return std::nullopt;
        auto sheet = impl.links.SheetOf(xti);
        if (sheet && *sheet < impl.sheets.size()) return QuotedSheetName(impl.sheets[*sheet]->Name());
        return sheet ? std::nullopt : std::optional<std::string>("[external]");
    };
    info.formulaText = FormulaText(n.formula, resolve).value_or("");
    return info;
}

std::optional<size_t> FindNameIndex(const Workbook::Impl& impl, std::string_view name) {
    return impl.nameIndex.Find(impl.names, FoldCase(text::Utf8ToUtf16(name)));
}

// Whether the name exists globally (scope 0) or local to the sheet `scope` - 1. The
// index finds a global name first; local ones are few and looked through.
bool HasNameInScope(const Workbook::Impl& impl, std::string_view name, uint16_t scope) {
    if (scope == 0) {
        const auto existing = FindNameIndex(impl, name);
        return existing && impl.names[*existing].sheetScope == 0;
    }
    const std::u16string folded = FoldCase(text::Utf8ToUtf16(name));
    return std::any_of(impl.names.begin(), impl.names.end(), [&](const NameRecord& n) {
        return n.sheetScope == scope && FoldCase(n.DisplayName()) == folded;
    });
}

}  // namespace

std::vector<DefinedNameInfo> Workbook::Names() const {
    std::vector<DefinedNameInfo> out;
    for (const auto& n : impl_->names) out.push_back(Describe(*impl_, n));
    return out;
}

std::optional<DefinedNameInfo> Workbook::FindName(std::string_view name) const {
    auto index = FindNameIndex(*impl_, name);
    if (!index) return std::nullopt;
    return Describe(*impl_, impl_->names[*index]);
}

std::optional<SheetArea> Workbook::NameArea(std::string_view name) const {
    auto index = FindNameIndex(*impl_, name);
    if (!index) return std::nullopt;
    auto area = SingleAreaOf(impl_->names[*index].formula);
    if (!area) return std::nullopt;
    auto sheet = impl_->links.SheetOf(area->xti);
    if (!sheet || *sheet >= impl_->sheets.size()) return std::nullopt;
    return SheetArea{*sheet, area->range};
}

void Workbook::AddName(const std::string& name, const SheetArea& area, NameOptions options) {
    ValidateDefinedName(name);
    ValidateArea(area, impl_->sheets.size());
    const uint16_t scope = options.localToSheet ? uint16_t(area.sheet + 1) : 0;
    if (HasNameInScope(*impl_, name, scope)) throw XlsError("the defined name '" + name + "' already exists");
    auto& globals = impl_->globals;
    if (std::find(globals.begin(), globals.end(), GlobalItem(GlobalAnchor::Links)) == globals.end()) {
        // References follow the sheet list and the COUNTRY record after it.
        auto at = std::find(globals.begin(), globals.end(), GlobalItem(GlobalAnchor::BoundSheets));
        if (at != globals.end()) ++at;
        auto* record = at != globals.end() ? std::get_if<BiffRecord>(&*at) : nullptr;
        if (record && record->sid == rid::kCountry) ++at;
        globals.insert(at, GlobalAnchor::Links);
    }
    NameRecord record;
    record.name = text::Utf8ToUtf16(name);
    record.sheetScope = scope;
    if (options.hidden) record.options |= NameRecord::kHidden;
    record.formula = AreaTokens(impl_->links.XtiOfSheet(area.sheet, impl_->sheets.size()), area.range);
    impl_->names.push_back(std::move(record));
    impl_->nameIndex.Invalidate();
}

void Workbook::SetNameArea(std::string_view name, const SheetArea& area) {
    auto index = FindNameIndex(*impl_, name);
    if (!index) throw XlsError("no defined name '" + std::string(name) + "'");
    ValidateArea(area, impl_->sheets.size());
    impl_->names[*index].formula = AreaTokens(impl_->links.XtiOfSheet(area.sheet, impl_->sheets.size()), area.range);
}

void Workbook::DeleteName(std::string_view name) {
    auto index = FindNameIndex(*impl_, name);
    if (!index) throw XlsError("no defined name '" + std::string(name) + "'");
    std::vector<bool> kept(impl_->names.size(), true);
    kept[*index] = false;
    RemoveNames(*impl_, kept);
}

}  // namespace tabvex::xls
