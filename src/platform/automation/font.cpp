#include "platform/automation/font.h"

#include <strings.h>

#include "platform/automation/automation_failure.h"

namespace tabvex::automation {
namespace {

constexpr const char* kRegular = "Regular";
constexpr const char* kBold = "Bold";

}  // namespace

std::string Font::FontStyle() const { return target_.TopLeftStyle().bold ? kBold : kRegular; }

void Font::SetFontStyle(const std::string& styleName) {
    const bool bold = strcasecmp(styleName.c_str(), kBold) == 0;
    if (!bold && strcasecmp(styleName.c_str(), kRegular) != 0) {
        RaisePropertyNotSet("FontStyle", "Font", "'" + styleName + "' is not a style this server writes; use Bold or Regular");
    }
    target_.Edit([bold](xls::CellFormat& format, const RangePosition&) { format.bold = bold; });
}

float Font::Size() const { return static_cast<float>(target_.TopLeftStyle().fontPoints); }

}  // namespace tabvex::automation
