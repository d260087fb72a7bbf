#include "platform/oledb/binding_writer.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace tabvex::oledb {
namespace {

// Length of the longest prefix of `text` within `limit` bytes that ends on a
// UTF-8 character boundary.
std::size_t Utf8Prefix(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return end;
}

template <typename T>
void Store(std::byte* at, T value) {
    std::memcpy(at, &value, sizeof value);
}

std::optional<std::int64_t> IntegerOf(const Value& value) {
    if (auto* number = std::get_if<std::int64_t>(&value)) return *number;
    if (auto* flag = std::get_if<bool>(&value)) return *flag ? -1 : 0;
    if (auto* real = std::get_if<double>(&value)) {
        if (*real == static_cast<double>(static_cast<std::int64_t>(*real))) return static_cast<std::int64_t>(*real);
        return std::nullopt;
    }
    std::string text = ValueText(value);
    std::int64_t number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

struct Written {
    DBSTATUS status;
    std::uint32_t length;
};

Written WriteText(const DBBINDING& binding, const Value& value, std::byte* buffer) {
    // Text values, nearly every value bound as text, are written from where they are.
    const std::string* held = std::get_if<std::string>(&value);
    const std::string converted = held ? std::string() : ValueText(value);
    const std::string_view text = held ? *held : converted;
    std::size_t room = binding.maxLength == 0 ? 0 : binding.maxLength - 1;  // keeps the terminating zero
    std::size_t kept = Utf8Prefix(text, room);
    if (binding.parts & DBPART_VALUE && binding.maxLength > 0) {
        std::memcpy(buffer + binding.valueOffset, text.data(), kept);
        buffer[binding.valueOffset + kept] = std::byte{0};
    }
    DBSTATUS status = kept < text.size() ? DBSTATUS_S_TRUNCATED : DBSTATUS_S_OK;
    // The length part tells the full length, so a consumer can see what was cut.
    return {status, static_cast<std::uint32_t>(text.size())};
}

template <typename T>
Written WriteInteger(const DBBINDING& binding, const Value& value, std::byte* buffer) {
    auto number = IntegerOf(value);
    if (!number) return {DBSTATUS_E_CANTCONVERTVALUE, 0};
    if (*number < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
        *number > static_cast<std::int64_t>(std::numeric_limits<T>::max())) {
        return {DBSTATUS_E_DATAOVERFLOW, 0};
    }
    if (binding.parts & DBPART_VALUE) Store(buffer + binding.valueOffset, static_cast<T>(*number));
    return {DBSTATUS_S_OK, sizeof(T)};
}

Written WriteDouble(const DBBINDING& binding, const Value& value, std::byte* buffer) {
    double number = 0;
    if (auto* real = std::get_if<double>(&value)) {
        number = *real;
    } else if (auto integer = IntegerOf(value)) {
        number = static_cast<double>(*integer);
    } else {
        std::string text = ValueText(value);
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error != std::errc() || end != text.data() + text.size()) return {DBSTATUS_E_CANTCONVERTVALUE, 0};
    }
    if (binding.parts & DBPART_VALUE) Store(buffer + binding.valueOffset, number);
    return {DBSTATUS_S_OK, sizeof(double)};
}

Written WriteConverted(const DBBINDING& binding, const Value& value, std::byte* buffer) {
    switch (binding.type) {
        case DBTYPE_STR: return WriteText(binding, value, buffer);
        case DBTYPE_I2: return WriteInteger<std::int16_t>(binding, value, buffer);
        case DBTYPE_BOOL: return WriteInteger<std::int16_t>(binding, value, buffer);
        case DBTYPE_UI2: return WriteInteger<std::uint16_t>(binding, value, buffer);
        case DBTYPE_I4: return WriteInteger<std::int32_t>(binding, value, buffer);
        case DBTYPE_UI4: return WriteInteger<std::uint32_t>(binding, value, buffer);
        case DBTYPE_I8: return WriteInteger<std::int64_t>(binding, value, buffer);
        case DBTYPE_R8: return WriteDouble(binding, value, buffer);
        default: return {DBSTATUS_E_CANTCONVERTVALUE, 0};
    }
}

}  // namespace

bool IsBindableType(DBTYPE type) {
    switch (type) {
        case DBTYPE_STR:
        case DBTYPE_I2:
        case DBTYPE_BOOL:
        case DBTYPE_UI2:
        case DBTYPE_I4:
        case DBTYPE_UI4:
        case DBTYPE_I8:
        case DBTYPE_R8: return true;
        default: return false;
    }
}

DBSTATUS WriteBoundValue(const DBBINDING& binding, const Value& value, std::byte* buffer) {
    Written written{DBSTATUS_S_ISNULL, 0};
    if (!IsNull(value)) {
        written = WriteConverted(binding, value, buffer);
    } else if (binding.type == DBTYPE_STR && binding.parts & DBPART_VALUE && binding.maxLength > 0) {
        buffer[binding.valueOffset] = std::byte{0};  // a NULL reads as empty text in a reused slot
    }
    if (binding.parts & DBPART_LENGTH) Store(buffer + binding.lengthOffset, written.length);
    if (binding.parts & DBPART_STATUS) Store(buffer + binding.statusOffset, written.status);
    return written.status;
}

}  // namespace tabvex::oledb
