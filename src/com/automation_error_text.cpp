#include "com/automation_error_text.h"

#include <cstdint>
#include <cstdio>

#include "platform/oledb/message_table.h"

namespace tabvex::com {

namespace {

std::string WithoutTrailingLineBreak(std::string text) {
    if (text.size() > 1 && text.back() == '\n') {
        text.pop_back();
        if (!text.empty() && text.back() == '\r') text.pop_back();
    }
    return text;
}

bool InDispatchRange(std::uint32_t code) {
    return code >= 0x80040200u && code <= 0x8004FFFFu && (code & 0xFFFFu) != 0x0200u;
}

}  // namespace

std::string AutomationErrorText(oledb::HRESULT code) {
    if (const auto message = oledb::ResultCodeMessage(code)) return WithoutTrailingLineBreak(std::string(*message));
    const auto bits = static_cast<std::uint32_t>(code);
    char text[32];
    if (InDispatchRange(bits))
        std::snprintf(text, sizeof text, "IDispatch error #%d", static_cast<int>(static_cast<std::uint16_t>(bits - 0x200u)));
    else
        std::snprintf(text, sizeof text, "Unknown error 0x%0lX", static_cast<unsigned long>(bits));
    return text;
}

}  // namespace tabvex::com
