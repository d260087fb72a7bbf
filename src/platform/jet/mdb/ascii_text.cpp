#include "platform/jet/mdb/ascii_text.h"

namespace tabvex::mdb {
namespace {

bool IsAscii(std::uint8_t byte) { return byte != 0 && byte < 0x80; }

bool AppendSingleBytes(std::span<const std::uint8_t> stored, std::string& out) {
    for (std::uint8_t byte : stored)
        if (!IsAscii(byte)) return false;
    out.append(reinterpret_cast<const char*>(stored.data()), stored.size());
    return true;
}

bool AppendUtf16(std::span<const std::uint8_t> stored, std::string& out) {
    if (stored.size() % 2) return false;
    for (std::size_t i = 0; i < stored.size(); i += 2)
        if (!IsAscii(stored[i]) || stored[i + 1] != 0) return false;
    const std::size_t start = out.size();
    out.resize(start + stored.size() / 2);
    for (std::size_t i = 0; i < stored.size(); i += 2) out[start + i / 2] = static_cast<char>(stored[i]);
    return true;
}

bool AppendCompressed(std::span<const std::uint8_t> stored, std::string& out) {
    const std::size_t start = out.size();
    bool singleBytes = true;
    for (std::size_t i = 0; i < stored.size();) {
        const std::uint8_t byte = stored[i];
        if (byte == 0) {
            singleBytes = !singleBytes;
            ++i;
            continue;
        }
        if (!IsAscii(byte) || (!singleBytes && (i + 1 >= stored.size() || stored[i + 1] != 0))) {
            out.resize(start);
            return false;
        }
        out += static_cast<char>(byte);
        i += singleBytes ? 1 : 2;
    }
    return true;
}

}  // namespace

bool AppendAsciiText(std::span<const std::uint8_t> stored, bool singleByte, std::string& out) {
    if (singleByte) return AppendSingleBytes(stored, out);
    if (stored.size() >= 2 && stored[0] == 0xFF && stored[1] == 0xFE) return AppendCompressed(stored.subspan(2), out);
    return AppendUtf16(stored, out);
}

}  // namespace tabvex::mdb
