// Little-endian writes into byte vectors, as every Jet structure stores numbers.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tabvex::mdb {

using Bytes = std::vector<std::uint8_t>;

inline void PutU16(Bytes& b, size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void PutU32(Bytes& b, size_t at, std::uint32_t v) {
    PutU16(b, at, v & 0xFFFF);
    PutU16(b, at + 2, v >> 16);
}
inline void AppendU16(Bytes& b, std::uint32_t v) {
    b.resize(b.size() + 2);
    PutU16(b, b.size() - 2, v);
}
inline void AppendU32(Bytes& b, std::uint32_t v) {
    b.resize(b.size() + 4);
    PutU32(b, b.size() - 4, v);
}
inline void AppendU64(Bytes& b, std::uint64_t v) {
    AppendU32(b, static_cast<std::uint32_t>(v));
    AppendU32(b, static_cast<std::uint32_t>(v >> 32));
}
inline void Append(Bytes& b, std::span<const std::uint8_t> more) { b.insert(b.end(), more.begin(), more.end()); }

}  // namespace tabvex::mdb
