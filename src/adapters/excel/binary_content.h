// What a long binary value holds, for saving it as a file that a viewer opens: its
// bytes (the value arrives as hexadecimal text), the picture or document inside an
// Access OLE object's wrapper when its kind is known, and the file ending its
// signature gives.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tabvex::adapters {

struct BinaryContent {
    std::span<const std::uint8_t> bytes;  // what the file holds
    std::string_view extension;           // "bmp", "png", "jpg", "gif", "pdf", else "bin"
};

// The bytes of hexadecimal text (either case); nothing when it is not an even number of
// hexadecimal digits.
std::optional<std::vector<std::uint8_t>> BytesOfHexText(std::string_view hex);

// The file ending of bytes that begin with a known signature, else "bin".
std::string_view FileEndingOf(std::span<const std::uint8_t> bytes);

// The content of a binary value: what an Access OLE object (an embedded OLE 1.0
// object under Access's own header) wraps, when that is of a known kind (a bitmap
// without the padding after the size it states); else the value whole, so that
// nothing is lost.
BinaryContent ContentOf(std::span<const std::uint8_t> value);

}  // namespace tabvex::adapters
