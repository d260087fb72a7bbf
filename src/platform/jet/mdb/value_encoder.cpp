#include "platform/jet/mdb/value_encoder.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "platform/jet/mdb/jet_date.h"
#include "platform/jet/mdb/utf16.h"

namespace tabvex::mdb {

namespace {

template <typename T>
std::optional<Bytes> IntegerBytes(std::string_view text) {
    long long v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < std::numeric_limits<T>::min() ||
        v > std::numeric_limits<T>::max())
        return std::nullopt;
    Bytes b;
    for (size_t i = 0; i < sizeof(T); ++i) b.push_back(static_cast<std::uint8_t>(static_cast<unsigned long long>(v) >> (8 * i)));
    return b;
}

template <typename F>
std::optional<Bytes> FloatBytes(std::string_view text) {
    F v{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
    Bytes b(sizeof(F));
    std::memcpy(b.data(), &v, sizeof(F));  // the machine is little-endian, as the file
    return b;
}

// Exact decimal text to ten-thousandths: "-12.3456" -> -123456; more than four
// decimals are refused rather than rounded.
std::optional<Bytes> CurrencyBytes(std::string_view text) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    size_t dot = text.find('.');
    std::string_view whole = text.substr(0, dot), fraction = dot == std::string_view::npos ? "" : text.substr(dot + 1);
    if ((whole.empty() && fraction.empty()) || fraction.size() > 4) return std::nullopt;
    std::string digits = std::string(whole) + std::string(fraction) + std::string(4 - fraction.size(), '0');
    if (!std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); })) return std::nullopt;
    unsigned long long magnitude = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    const unsigned long long limit = static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + (negative ? 1 : 0);
    if (ec != std::errc() || magnitude > limit) return std::nullopt;
    auto value = negative ? 0 - magnitude : magnitude;
    Bytes b;
    AppendU64(b, value);
    return b;
}

std::optional<Bytes> BooleanBytes(std::string_view text) {
    std::string v(text);
    std::transform(v.begin(), v.end(), v.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (v == "true" || v == "yes" || v == "1" || v == "-1") return Bytes{1};
    if (v == "false" || v == "no" || v == "0") return Bytes{0};
    return std::nullopt;
}

std::optional<Bytes> HexBytes(std::string_view text) {
    if (text.size() % 2 != 0) return std::nullopt;
    Bytes b;
    b.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (ec != std::errc() || end != text.data() + i + 2) return std::nullopt;
        b.push_back(static_cast<std::uint8_t>(value));
    }
    return b;
}

// "{12345678-1234-5678-9ABC-DEF001020304}": the first three groups are stored
// little-endian, the rest as written.
std::optional<Bytes> GuidBytes(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
    std::string hex;
    for (size_t i = 1; i + 1 < text.size(); ++i)
        if (text[i] != '-') hex += text[i];
    auto raw = HexBytes(hex);
    if (!raw || raw->size() != 16) return std::nullopt;
    Bytes& g = *raw;
    std::reverse(g.begin(), g.begin() + 4);
    std::reverse(g.begin() + 4, g.begin() + 6);
    std::reverse(g.begin() + 6, g.begin() + 8);
    return g;
}

std::optional<Bytes> DateBytes(std::string_view text) {
    auto serial = JetDateFromText(text);
    if (!serial) return std::nullopt;
    Bytes b(8);
    std::memcpy(b.data(), &*serial, 8);
    return b;
}

}  // namespace

std::optional<Bytes> EncodeValue(JetType type, std::string_view text) {
    switch (type) {
        case JetType::Boolean: return BooleanBytes(text);
        case JetType::Byte: return IntegerBytes<std::uint8_t>(text);
        case JetType::Integer: return IntegerBytes<std::int16_t>(text);
        case JetType::Long: return IntegerBytes<std::int32_t>(text);
        case JetType::Currency: return CurrencyBytes(text);
        case JetType::Single: return FloatBytes<float>(text);
        case JetType::Double: return FloatBytes<double>(text);
        case JetType::DateTime: return DateBytes(text);
        case JetType::Guid: return GuidBytes(text);
        case JetType::Text:
        case JetType::Memo: return Utf8ToUtf16Le(text);
        case JetType::Binary:
        case JetType::OleObject: return HexBytes(text);
        default: return std::nullopt;
    }
}

}  // namespace tabvex::mdb
