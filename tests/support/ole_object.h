// Binary values as Access holds pictures: a small bitmap, and an OLE Object wrapping
// it (Access's own header naming the object and its class, then an embedded OLE 1.0
// object whose native data is the bitmap, then presentation data).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabvex::test {

using Bytes = std::vector<std::uint8_t>;

inline void AppendLittleEndian(Bytes& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void AppendText(Bytes& bytes, std::string_view text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

// A 24-bit bitmap file of `width` x `height` pixels in a gradient.
inline Bytes Bitmap(std::uint32_t width, std::uint32_t height) {
    const std::uint32_t rowSize = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixels = rowSize * height;
    Bytes bytes;
    AppendText(bytes, "BM");
    AppendLittleEndian(bytes, 54 + pixels, 4);
    AppendLittleEndian(bytes, 0, 4);
    AppendLittleEndian(bytes, 54, 4);
    AppendLittleEndian(bytes, 40, 4);
    AppendLittleEndian(bytes, width, 4);
    AppendLittleEndian(bytes, height, 4);
    AppendLittleEndian(bytes, 1, 2);
    AppendLittleEndian(bytes, 24, 2);
    for (int i = 0; i < 6; ++i) AppendLittleEndian(bytes, 0, 4);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < rowSize; ++x) bytes.push_back(static_cast<std::uint8_t>(x + y));
    return bytes;
}

// Access's OLE Object around `native`; `nativeSize` is the size the object claims.
inline Bytes AccessOleObject(const Bytes& native, std::uint32_t nativeSize) {
    const std::string name = "Bitmap Image";
    const std::string className = "Paint.Picture";
    const auto nameOffset = 20u;
    const auto classOffset = static_cast<std::uint32_t>(nameOffset + name.size() + 1);
    Bytes bytes;
    AppendLittleEndian(bytes, 0x1C15, 2);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(classOffset + className.size() + 1), 2);
    AppendLittleEndian(bytes, 2, 4);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(name.size() + 1), 2);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(className.size() + 1), 2);
    AppendLittleEndian(bytes, nameOffset, 2);
    AppendLittleEndian(bytes, classOffset, 2);
    AppendLittleEndian(bytes, 0xFFFFFFFF, 4);
    for (const std::string& text : {name, className}) {
        AppendText(bytes, text);
        bytes.push_back(0);
    }
    AppendLittleEndian(bytes, 0x0501, 4);  // OLE 1.0
    AppendLittleEndian(bytes, 2, 4);       // embedded
    for (const std::string_view text : {std::string_view("PBrush"), std::string_view(), std::string_view()}) {
        AppendLittleEndian(bytes, static_cast<std::uint32_t>(text.size() + 1), 4);
        AppendText(bytes, text);
        bytes.push_back(0);
    }
    AppendLittleEndian(bytes, nativeSize, 4);
    bytes.insert(bytes.end(), native.begin(), native.end());
    AppendText(bytes, std::string_view("\x01\x05\x00\x00presentation", 16));
    return bytes;
}

inline Bytes AccessOleObject(const Bytes& native) {
    return AccessOleObject(native, static_cast<std::uint32_t>(native.size()));
}

// Bytes as the upper-case hexadecimal text an Access reader gives for a binary value.
inline std::string HexText(const Bytes& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}

}  // namespace tabvex::test
