#include "platform/jet/mdb/rc4.h"

#include <array>
#include <utility>

namespace tabvex::mdb {

void Rc4Apply(std::span<const std::uint8_t> key, std::span<std::uint8_t> data) {
    std::array<std::uint8_t, 256> state;
    for (int i = 0; i < 256; ++i) state[static_cast<size_t>(i)] = static_cast<std::uint8_t>(i);
    std::uint8_t j = 0;
    for (size_t i = 0; i < 256; ++i) {
        j = static_cast<std::uint8_t>(j + state[i] + key[i % key.size()]);
        std::swap(state[i], state[j]);
    }
    std::uint8_t x = 0, y = 0;
    for (auto& byte : data) {
        x = static_cast<std::uint8_t>(x + 1);
        y = static_cast<std::uint8_t>(y + state[x]);
        std::swap(state[x], state[y]);
        byte ^= state[static_cast<std::uint8_t>(state[x] + state[y])];
    }
}

}  // namespace tabvex::mdb
