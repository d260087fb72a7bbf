// Sixteen-byte identifiers of interfaces, classes and property sets, written and
// compared as COM writes them: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tabvex::oledb {

struct Guid {
    std::array<std::uint8_t, 16> bytes{};  // in the order the text form shows them

    // Parses the braced text form (case-insensitive); nullopt when malformed.
    static std::optional<Guid> Parse(std::string_view text);
    // The braced, upper-case text form.
    std::string ToString() const;
    bool IsNull() const { return *this == Guid{}; }

    friend bool operator==(const Guid&, const Guid&) = default;
    friend auto operator<=>(const Guid&, const Guid&) = default;
};

// A Guid from a literal known to be well formed; a malformed literal is a
// programming error caught by the first test that touches it.
Guid GuidLiteral(std::string_view text);

inline const Guid IID_NULL{};

}  // namespace tabvex::oledb
