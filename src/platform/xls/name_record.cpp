#include "platform/xls/name_record.h"

#include "platform/xls/biff_string.h"
#include "platform/xls/record_ids.h"

namespace tabvex::xls {

std::u16string NameRecord::DisplayName() const {
    static const char16_t* const kBuiltInNames[] = {
        u"Consolidate_Area", u"Auto_Open", u"Auto_Close", u"Extract", u"Database", u"Criteria", u"Print_Area",
        u"Print_Titles", u"Recorder", u"Data_Form", u"Auto_Activate", u"Auto_Deactivate", u"Sheet_Title",
        u"_FilterDatabase"};
    if (BuiltIn() && name.size() == 1 && name[0] < std::size(kBuiltInNames)) return kBuiltInNames[name[0]];
    return name;
}

NameRecord NameRecord::Parse(const BiffRecord& record) {
    ByteReader in(record.data);
    NameRecord n;
    n.options = in.u16();
    n.shortcut = in.u8();
    size_t nameLength = in.u8();
    size_t formulaLength = in.u16();
    n.reserved = in.u16();
    n.sheetScope = in.u16();
    for (auto& length : n.lengths) length = in.u8();
    BiffStringReader strings(in, record.continueOffsets);
    n.name = strings.ReadCharacters(nameLength);
    auto formula = in.bytes(formulaLength);
    n.formula.assign(formula.begin(), formula.end());
    auto tail = in.bytes(in.remaining());
    n.tail.assign(tail.begin(), tail.end());
    return n;
}

BiffRecord NameRecord::ToRecord() const {
    BiffRecord r{rid::kName, {}, {}};
    ByteWriter out(r.data);
    out.u16(options);
    out.u8(shortcut);
    out.u8(uint8_t(name.size()));
    out.u16(uint16_t(formula.size()));
    out.u16(reserved);
    out.u16(sheetScope);
    for (auto length : lengths) out.u8(length);
    WriteCharacters(out, name);
    out.bytes(formula);
    out.bytes(tail);
    return r;
}

}  // namespace tabvex::xls
