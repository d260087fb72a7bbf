#include "platform/jet/mdb/ascii_text.h"

#include <bit>
#include <cstring>

namespace tabvex::mdb {
namespace {

bool IsAscii(std::uint8_t byte) { return byte != 0 && byte < 0x80; }

// Where the run of ASCII bytes (1-127) from `from` ends: at the first zero or non-ASCII
// byte, or at the end. Eight bytes a step: most text is such runs.
std::size_t AsciiRunEnd(std::span<const std::uint8_t> stored, std::size_t from) {
    static_assert(std::endian::native == std::endian::little, "bytes are read as little-endian words");
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighBits = 0x8080808080808080u;
    std::size_t end = from;
    for (std::uint64_t word; end + sizeof word <= stored.size(); end += sizeof word) {
        std::memcpy(&word, stored.data() + end, sizeof word);
        // A set high bit is a non-ASCII byte; (word - ones) & ~word marks the zero bytes,
        // exactly at the lowest one, since a borrow only runs upwards from a zero byte.
        const std::uint64_t stops = (word | ((word - kOnes) & ~word)) & kHighBits;
        if (stops) return end + std::size_t(std::countr_zero(stops)) / 8;
    }
    while (end < stored.size() && IsAscii(stored[end])) ++end;
    return end;
}

bool AppendSingleBytes(std::span<const std::uint8_t> stored, std::string& out) {
    if (AsciiRunEnd(stored, 0) != stored.size()) return false;
    out.append(reinterpret_cast<const char*>(stored.data()), stored.size());
    return true;
}

// Written out before it is checked, four units a step with no branch per unit.
bool AppendUtf16(std::span<const std::uint8_t> stored, std::string& out) {
    if (stored.size() % 2) return false;
    const std::size_t start = out.size(), count = stored.size() / 2;
    out.resize(start + count);
    char* to = out.data() + start;
    // A unit is ASCII when its high byte and its low byte's top bit are clear and it is
    // not zero; (word - ones) & ~word marks a zero unit (a borrow only runs upwards).
    constexpr std::uint64_t kNotAscii = 0xFF80FF80FF80FF80u, kUnitOnes = 0x0001000100010001u,
                            kUnitHighBits = 0x8000800080008000u;
    std::uint64_t bad = 0;
    std::size_t i = 0;
    for (std::uint64_t word; i + 4 <= count; i += 4) {
        std::memcpy(&word, stored.data() + 2 * i, sizeof word);
        bad |= (word & kNotAscii) | ((word - kUnitOnes) & ~word & kUnitHighBits);
        // The four low bytes, gathered into the bottom four bytes.
        std::uint64_t low = word & 0x00FF00FF00FF00FFu;
        low = (low | low >> 8) & 0x0000FFFF0000FFFFu;
        low = low | low >> 16;
        const auto packed = static_cast<std::uint32_t>(low);
        std::memcpy(to + i, &packed, sizeof packed);
    }
    bool ascii = bad == 0;
    for (; i < count; ++i) {
        const std::uint8_t low = stored[2 * i], high = stored[2 * i + 1];
        ascii &= high == 0 && IsAscii(low);
        to[i] = static_cast<char>(low);
    }
    if (!ascii) out.resize(start);
    return ascii;
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
        bool ascii;
        if (singleBytes) {
            // A run of single bytes goes on to the zero byte that switches, or to the end.
            const std::size_t end = AsciiRunEnd(stored, i);
            ascii = end == stored.size() || stored[end] == 0;
            if (ascii) out.append(bytes + i, end - i);
            i = end;
        } else {
            ascii = IsAscii(stored[i]) && i + 1 < stored.size() && stored[i + 1] == 0;
            if (ascii) out += bytes[i];
            i += 2;
        }
        if (!ascii) {
            out.resize(start);
            return false;
        }
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
