#include "com/provider_error_text.h"

#include "com/error_line.h"
#include "platform/oledb/message_table.h"

namespace tabvex::com {

std::string ProviderErrorText(oledb::HRESULT code, std::string_view label) {
    const auto message = oledb::ResultCodeMessage(code).value_or("(no message text for this code)");
    return FormatErrorLine(label, static_cast<std::uint32_t>(code), message);
}

}  // namespace tabvex::com
