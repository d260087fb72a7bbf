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

// Written out before it is checked, in one pass that needs no branch per unit.
bool AppendUtf16(std::span<const std::uint8_t> stored, std::string& out) {
    if (stored.size() % 2) return false;
    const std::size_t start = out.size(), count = stored.size() / 2;
    out.resize(start + count);
    char* to = out.data() + start;
    bool ascii = true;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t low = stored[2 * i], high = stored[2 * i + 1];
        ascii &= high == 0 && IsAscii(low);
        to[i] = static_cast<char>(low);
    }
    if (!ascii) out.resize(start);
    return ascii;
}

// Where the ASCII bytes from `from` up to the next zero byte (or the end) stop; npos
// when one of them is no ASCII.
std::size_t SingleByteRunEnd(std::span<const std::uint8_t> stored, std::size_t from) {
    std::size_t end = from;
    for (; end < stored.size() && stored[end] != 0; ++end)
        if (stored[end] >= 0x80) return std::string::npos;
    return end;
}

bool AppendCompressed(std::span<const std::uint8_t> stored, std::string& out) {
    const std::size_t start = out.size();
    const char* bytes = reinterpret_cast<const char*>(stored.data());
    bool singleBytes = true;
    for (std::size_t i = 0; i < stored.size();) {
        if (stored[i] == 0) {
            singleBytes = !singleBytes;
            ++i;
            continue;
        }
        const std::size_t end = singleBytes ? SingleByteRunEnd(stored, i)
                                : (IsAscii(stored[i]) && i + 1 < stored.size() && stored[i + 1] == 0) ? i + 2
                                                                                                    : std::string::npos;
        if (end == std::string::npos) {
            out.resize(start);
            return false;
        }
        if (singleBytes) out.append(bytes + i, end - i);
        else out += bytes[i];
        i = end;
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
