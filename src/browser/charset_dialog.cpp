#include "browser/charset_dialog.h"

#include "browser/fill_tree.h"
#include "connect/dbms_kind.h"
#include "connect/statement_runners.h"

namespace tabvex::browser {

const std::array<CharacterSet, kCharacterSetCount> kCharacterSets = {{
    {"BIG5", "big5", "Big5 Traditional Chinese"},
    {"DEC8", "dec8", "DEC West European "},
    {"CP850", "cp850", "DOS West European"},
    {"HP8", "hp8", "HP West European"},
    {"KOI8R", "koi8r", "KOI8-R Relcom Russian"},
    {"LATIN1", "latin1", "cp1252 West European"},
    {"LATIN2", "latin2", "ISO 8859-2 Central European"},
    {"SWE7", "swe7", "7bit Swedish"},
    {"ASCII", "ascii", "US ASCII"},
    {"UJIS", "ujis", "EUC-JP Japanese"},
    {"SJIS", "sjis", "Shift-JIS Japanese"},
    {"HEBREW", "hebrew", "ISO 8859-8 Hebrew"},
    {"TIS620", "tis620", "TIS620 Thai"},
    {"EUCKR", "euckr", "EUC-KR Korean"},
    {"KOI8U", "koi8u", "KOI8-U Ukrainian"},
    {"GB2312", "gb2312", "GB2312 Simplified Chinese"},
    {"GREEK", "greek", "ISO 8859-7 Greek"},
    {"CP1250", "cp1250", " Windows Central European"},
    {"GBK", "gbk", "GBK Simplified Chinese"},
    {"LATIN5", "latin5", "ISO 8859-9 Turkish"},
    {"ARMSCII8", "armscii8", "ARMSCII-8 Armenian"},
    {"UTF8", "utf8", "UTF-8 Unicode"},
    {"UCS2", "ucs2", "UCS-2 Unicode"},
    {"CP866", "cp866", "DOS Russian"},
    {"KEYBCS2", "keybcs2", "DOS Kamenicky Czech-Slovak"},
    {"MACCE", "macce", "Mac Central European"},
    {"MACROMAN", "macroman", "Mac West European"},
    {"CP852", "cp852", "DOS Central European"},
    {"LATIN7", "latin7", "ISO 8859-13 Baltic"},
    {"CP1251", "cp1251", " Windows Cyrillic"},
    {"CP1256", "cp1256", " Windows Arabic"},
    {"CP1257", "cp1257", " Windows Baltic"},
    {"BINARY", "binary", "Binary pseudo charset"},
    {"GEOSTD8", "geostd8", "GEOSTD8 Georgian"},
    {"CP932", "cp932", "SJIS for Windows Japanese"},
    {"EUCJPMS", "eucjpms", "UJIS for Windows Japanese"},
}};

std::string CharsetNameOfIndex(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kCharacterSets.size()) return "UNKOWNEN";
    return kCharacterSets[static_cast<std::size_t>(index)].name;
}

int CharsetIndexOfName(std::string_view name) {
    for (std::size_t i = 0; i < kCharacterSets.size(); ++i)
        if (name == kCharacterSets[i].name) return static_cast<int>(i);
    return -1;
}

CharsetDialog::CharsetDialog(Sides& sides)
    : sides_(sides), chosenName_(sides.charsetName()), chosenIndex_(CharsetIndexOfName(chosenName_)) {}

void CharsetDialog::Choose(int index) {
    chosenIndex_ = index;
    chosenName_ = CharsetNameOfIndex(index);
}

void CharsetDialog::Select() { sides_.SetCharsetName(chosenName_); }

void ChangeCharset(app::Output& output, app::TaskGate& gate, Sides& sides, DbTree& tree,
                   const std::function<bool()>& chooseCharset) {
    const ConnectionBlock block = tree.connection();
    if (block.dbmsKind != static_cast<int>(connect::DbmsKind::Mysql)) return;
    if (gate.RefuseWhileTasksRun() || !chooseCharset()) return;
    connect::ConnectionHolder none;
    connect::ConnectionHolder& holder = block.holder ? *block.holder : none;
    const std::string name = sides.charsetName();
    for (const char* variable : {"client", "connection", "database", "results", "server"}) {
        connect::ExecuteStatement(output, holder, "set character_set_" + std::string(variable) + "=" + name + ";",
                                false);
    }
    FillTree(output, sides.conditionFile(), tree);
}

}  // namespace tabvex::browser
