// Text returned to an application's buffer: copied with its terminating zero as far
// as it fits (cut at a UTF-8 character boundary), the full length in bytes reported.
#pragma once

#include <cstring>
#include <string_view>

#include <sql.h>

namespace tabvex::odbc::xls {

// False when the text did not fit (the caller reports 01004).
template <typename Length>
bool CopyOutString(std::string_view text, void* buffer, SQLLEN bufferLength, Length* length) {
    if (length) *length = static_cast<Length>(text.size());
    if (!buffer || bufferLength <= 0) return buffer == nullptr || text.empty();
    std::size_t kept = std::min(text.size(), static_cast<std::size_t>(bufferLength) - 1);
    while (kept < text.size() && kept > 0 && (static_cast<unsigned char>(text[kept]) & 0xC0) == 0x80) --kept;
    std::memcpy(buffer, text.data(), kept);
    static_cast<char*>(buffer)[kept] = '\0';
    return kept == text.size();
}

}  // namespace tabvex::odbc::xls
