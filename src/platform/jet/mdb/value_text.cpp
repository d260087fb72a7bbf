#include "platform/jet/mdb/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/jet/mdb/jet_date.h"

namespace tabvex::mdb {

namespace {

__extension__ typedef unsigned __int128 UInt128;

template <typename T>
T ReadLittleEndian(std::span<const std::uint8_t> bytes) {
    std::make_unsigned_t<T> raw = 0;
    for (size_t i = sizeof(T); i-- > 0;) raw = static_cast<std::make_unsigned_t<T>>((raw << 8) | bytes[i]);
    return static_cast<T>(raw);
}

template <typename F>
std::string FloatToPlainText(F value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// A decimal's 16 magnitude bytes are four little-endian 32-bit words, most
// significant word first.
std::string NumericToText(std::span<const std::uint8_t> bytes, int scale) {
    UInt128 magnitude = 0;
    for (int word = 0; word < 4; ++word)
        magnitude = (magnitude << 32) | ReadLittleEndian<std::uint32_t>(bytes.subspan(1 + 4 * word, 4));
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (scale > 0) {
        if (digits.size() <= static_cast<size_t>(scale)) digits.insert(0, static_cast<size_t>(scale) - digits.size() + 1, '0');
        digits.insert(digits.size() - static_cast<size_t>(scale), ".");
    }
    bool negative = (bytes[0] & 0x80) != 0 && digits.find_first_not_of("0.") != std::string::npos;
    return negative ? "-" + digits : digits;
}

std::string GuidToText(std::span<const std::uint8_t> b) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3], b[2], b[1], b[0],
                  b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    return buffer;
}

}  // namespace

std::string DoubleToPlainText(double value) { return FloatToPlainText(value); }
std::string SingleToPlainText(float value) { return FloatToPlainText(value); }

std::string CurrencyToText(std::int64_t tenThousandths) {
    bool negative = tenThousandths < 0;
    // Magnitude in unsigned arithmetic so that the most negative value stays exact.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths) : static_cast<std::uint64_t>(tenThousandths);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    if (std::uint64_t fraction = magnitude % 10000; fraction != 0) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%04u", static_cast<unsigned>(fraction));
        std::string decimals(buffer);
        decimals.erase(decimals.find_last_not_of('0') + 1);
        text += "." + decimals;
    }
    return text;
}

void AppendHex(std::span<const std::uint8_t> bytes, std::string& out) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    size_t at = out.size();
    out.resize(at + 2 * bytes.size());
    for (std::uint8_t b : bytes) {
        out[at++] = kDigits[b >> 4];
        out[at++] = kDigits[b & 0x0F];
    }
}

bool AppendFixedValueText(JetType type, std::span<const std::uint8_t> bytes, int scale, std::string& out) {
    int needed = FixedSizeOf(type);
    if (needed == 0 || bytes.size() < static_cast<size_t>(needed)) return false;
    switch (type) {
        case JetType::Byte: out += std::to_string(bytes[0]); break;
        case JetType::Integer: out += std::to_string(ReadLittleEndian<std::int16_t>(bytes)); break;
        case JetType::Long:
        case JetType::Complex: out += std::to_string(ReadLittleEndian<std::int32_t>(bytes)); break;
        case JetType::BigInt: out += std::to_string(ReadLittleEndian<std::int64_t>(bytes)); break;
        case JetType::Currency: out += CurrencyToText(ReadLittleEndian<std::int64_t>(bytes)); break;
        case JetType::Single: {
            float f;
            auto raw = ReadLittleEndian<std::uint32_t>(bytes);
            std::memcpy(&f, &raw, sizeof f);
            out += SingleToPlainText(f);
            break;
        }
        case JetType::Double:
        case JetType::DateTime: {
            double d;
            auto raw = ReadLittleEndian<std::uint64_t>(bytes);
            std::memcpy(&d, &raw, sizeof d);
            out += type == JetType::Double ? DoubleToPlainText(d) : JetDateToText(d);
            break;
        }
        case JetType::Guid: out += GuidToText(bytes); break;
        case JetType::Numeric: out += NumericToText(bytes, scale); break;
        default: return false;
    }
    return true;
}

}  // namespace tabvex::mdb
