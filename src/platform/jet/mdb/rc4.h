// RC4, which Jet uses to scramble part of the header page (and, in encrypted
// databases, every other page).
#pragma once

#include <cstdint>
#include <span>

namespace tabvex::mdb {

// Applies the RC4 key stream of `key` to `data` in place (the same call encodes and decodes).
void Rc4Apply(std::span<const std::uint8_t> key, std::span<std::uint8_t> data);

}  // namespace tabvex::mdb
