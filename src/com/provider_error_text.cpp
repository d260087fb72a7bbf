#include "com/provider_error_text.h"

#include "com/error_line.h"
#include "com/error_record_text.h"
#include "platform/oledb/message_table.h"

namespace tabvex::com {

std::string ProviderErrorText(oledb::HRESULT code, std::string_view label) {
    std::string description(oledb::ResultCodeMessage(code).value_or("(no message text for this code)"));
    // The code's message says what kind of failure it was; the provider's record says why.
    if (const std::string reason = TakeThreadErrorReason(); !reason.empty() && reason != description)
        description += " " + reason;
    return FormatErrorLine(label, static_cast<std::uint32_t>(code), description);
}

}  // namespace tabvex::com
