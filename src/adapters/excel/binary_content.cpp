#include "adapters/excel/binary_content.h"

#include <algorithm>
#include <array>

namespace tabvex::adapters {

namespace {

constexpr std::uint16_t kAccessOleSignature = 0x1C15;
constexpr std::uint32_t kOle1Version = 0x0501;
constexpr std::uint32_t kOle1Embedded = 2;
constexpr std::string_view kUnknownEnding = "bin";
constexpr std::string_view kBitmapEnding = "bmp";

struct Signature {
    std::string_view start;
    std::string_view ending;
};

constexpr std::array kSignatures{
    Signature{"BM", kBitmapEnding},
    Signature{"\x89PNG\r\n\x1a\n", "png"},
    Signature{"\xFF\xD8\xFF", "jpg"},
    Signature{"GIF87a", "gif"},
    Signature{"GIF89a", "gif"},
    Signature{"%PDF-", "pdf"},
};

std::optional<std::uint8_t> HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
    return std::nullopt;
}

// Little-endian fields read one after another; a read past the end fails for good.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::optional<std::uint32_t> Read(std::size_t size) {
        if (!Skip(size)) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(bytes_[pos_ - size + i]) << (8 * i);
        return value;
    }
    bool Skip(std::size_t size) {
        ok_ = ok_ && bytes_.size() - pos_ >= size;
        if (ok_) pos_ += size;
        return ok_;
    }
    // A string of OLE 1.0: its length (terminating zero included), then its bytes.
    bool SkipCountedString() {
        const auto length = Read(4);
        return length && Skip(*length);
    }
    std::span<const std::uint8_t> Take(std::size_t size) {
        if (!Skip(size)) return {};
        return bytes_.subspan(pos_ - size, size);
    }
    std::size_t position() const { return pos_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// The native data of an embedded OLE 1.0 object under Access's header, or nothing.
std::span<const std::uint8_t> WrappedObject(std::span<const std::uint8_t> value) {
    FieldReader reader(value);
    const auto signature = reader.Read(2);
    const auto headerSize = reader.Read(2);
    if (signature != kAccessOleSignature || !headerSize || *headerSize < reader.position() ||
        !reader.Skip(*headerSize - reader.position()))
        return {};
    const auto version = reader.Read(4);
    const auto format = reader.Read(4);
    if (version != kOle1Version || format != kOle1Embedded) return {};
    if (!reader.SkipCountedString() || !reader.SkipCountedString() || !reader.SkipCountedString()) return {};
    const auto size = reader.Read(4);
    return size ? reader.Take(*size) : std::span<const std::uint8_t>{};
}

// A bitmap states its own size; an OLE object's native data may run past it with
// padding, which image readers take for a damaged file.
std::span<const std::uint8_t> WithoutPadding(std::span<const std::uint8_t> bitmap) {
    FieldReader reader(bitmap);
    reader.Skip(2);
    const auto size = reader.Read(4);
    return size && *size >= reader.position() && *size < bitmap.size() ? bitmap.first(*size) : bitmap;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> BytesOfHexText(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes(hex.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto high = HexDigit(hex[2 * i]);
        const auto low = HexDigit(hex[2 * i + 1]);
        if (!high || !low) return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(*high << 4 | *low);
    }
    return bytes;
}

std::string_view FileEndingOf(std::span<const std::uint8_t> bytes) {
    for (const Signature& signature : kSignatures) {
        if (bytes.size() >= signature.start.size() &&
            std::equal(signature.start.begin(), signature.start.end(), bytes.begin(),
                       [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
            return signature.ending;
    }
    return kUnknownEnding;
}

BinaryContent ContentOf(std::span<const std::uint8_t> value) {
    const std::span<const std::uint8_t> wrapped = WrappedObject(value);
    const std::string_view wrappedEnding = FileEndingOf(wrapped);
    if (wrappedEnding == kBitmapEnding) return {WithoutPadding(wrapped), wrappedEnding};
    if (wrappedEnding != kUnknownEnding) return {wrapped, wrappedEnding};
    return {value, FileEndingOf(value)};
}

}  // namespace tabvex::adapters
