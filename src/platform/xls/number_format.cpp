#include "platform/xls/number_format.h"

#include <array>
#include <string>

#include "platform/text/utf8.h"

namespace tabvex::xls {

namespace {

constexpr std::array<std::string_view, 50> kBuiltIn = {
    "General", "0", "0.00", "#,##0", "#,##0.00",
    "\"$\"#,##0_);\\(\"$\"#,##0\\)", "\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)",
    "\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)", "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)",
    "0%", "0.00%", "0.00E+00", "# ?/?", "# ?\?/??",
    "m/d/yy", "d-mmm-yy", "d-mmm", "mmm-yy", "h:mm AM/PM", "h:mm:ss AM/PM", "h:mm", "h:mm:ss", "m/d/yy h:mm",
    // 23 to 36 belong to other locales' calendars and are never written in the US locale.
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
    "#,##0_);(#,##0)", "#,##0_);[Red](#,##0)", "#,##0.00_);(#,##0.00)", "#,##0.00_);[Red](#,##0.00)",
    "_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)",
    "_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)",
    "_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"?\?_);_(@_)",
    "_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"?\?_);_(@_)",
    "mm:ss", "[h]:mm:ss", "mm:ss.0", "##0.0E+0", "@"};

bool IsDateLetter(char16_t c) {
    switch (c) {
        case u'd': case u'D': case u'm': case u'M': case u'y': case u'Y':
        case u'h': case u'H': case u's': case u'S': return true;
        default: return false;
    }
}

// Unicode's currency symbols (category Sc) as far as the Basic Multilingual Plane has them.
bool IsCurrencySign(char16_t c) {
    return c == u'$' || (c >= 0x00A2 && c <= 0x00A5) || c == 0x058F || c == 0x060B || c == 0x07FE || c == 0x07FF ||
           c == 0x09F2 || c == 0x09F3 || c == 0x09FB || c == 0x0AF1 || c == 0x0BF9 || c == 0x0E3F || c == 0x17DB ||
           (c >= 0x20A0 && c <= 0x20C0) || c == 0xA838 || c == 0xFDFC || c == 0xFE69 || c == 0xFF04 ||
           c == 0xFFE0 || c == 0xFFE1 || c == 0xFFE5 || c == 0xFFE6;
}

}  // namespace

std::string_view BuiltInNumberFormat(uint16_t index) {
    return index < kBuiltIn.size() && !kBuiltIn[index].empty() ? kBuiltIn[index] : kBuiltIn[0];
}

bool IsDateFormat(std::string_view code) {
    std::u16string text = text::Utf8ToUtf16(code);
    for (size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
            case u'"': i = text.find(u'"', i + 1); break;
            case u'[': i = text.find(u']', i + 1); break;
            // An escaped literal, the width of a character (_) or a fill character (*).
            case u'\\': case u'_': case u'*': ++i; break;
            default:
                if (IsDateLetter(text[i])) return true;
        }
        if (i == std::u16string::npos) return false;
    }
    return false;
}

bool IsCurrencyFormat(std::string_view code) {
    std::u16string text = text::Utf8ToUtf16(code);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, u"[$") == 0) {
            size_t end = text.find_first_of(u"-]", i + 2);
            if (end != i + 2 && end != std::u16string::npos) return true;
            i = text.find(u']', i);
            if (i == std::u16string::npos) return false;
        } else if (IsCurrencySign(text[i])) {
            return true;
        }
    }
    return false;
}

NumberFormatKind ClassifyNumberFormat(std::string_view code) {
    if (IsDateFormat(code)) return NumberFormatKind::Date;
    return IsCurrencyFormat(code) ? NumberFormatKind::Currency : NumberFormatKind::Plain;
}

}  // namespace tabvex::xls
