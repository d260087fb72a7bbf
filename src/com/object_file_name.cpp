#include "com/object_file_name.h"

#include <cstdint>
#include <cstdio>

#include "com/percent_encoding.h"

namespace tabvex::com {

namespace {

// Linux allows 255 bytes in a name; leave room for a temporary file's suffix.
constexpr std::size_t kMaxFileNameBytes = 240;

bool NeedsEncoding(unsigned char c, std::size_t position) {
    if (c < 0x20 || c == 0x7f) return true;
    if (position == 0 && c == '.') return true;
    return std::string_view("%/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

// FNV-1a: a short, stable fingerprint of the whole name for names cut to fit.
std::uint32_t NameHash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    return hash;
}

// The longest start of `encoded` within `limit` bytes that ends neither inside a
// UTF-8 character nor inside a %XX escape.
std::size_t CutPoint(std::string_view encoded, std::size_t limit) {
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(encoded[cut]) & 0xC0) == 0x80) --cut;
    if (cut >= 1 && encoded[cut - 1] == '%') cut -= 1;
    else if (cut >= 2 && encoded[cut - 2] == '%') cut -= 2;
    return cut;
}

}  // namespace

std::string ObjectFileName(std::string_view name, std::string_view extension) {
    std::string encoded = PercentEncoded(name, NeedsEncoding);
    if (encoded.size() + extension.size() > kMaxFileNameBytes) {
        char hash[16];
        std::snprintf(hash, sizeof hash, "~%08X", static_cast<unsigned>(NameHash(name)));
        const std::size_t room = kMaxFileNameBytes - extension.size() - std::string_view(hash).size();
        encoded.resize(CutPoint(encoded, room));
        encoded += hash;
    }
    return encoded + std::string(extension);
}

}  // namespace tabvex::com
