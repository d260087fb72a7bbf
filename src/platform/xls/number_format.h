// Number format codes: the built-in ones cell formats refer to by index without a
// FORMAT record, and what kind of value a code shows a number as.
#pragma once

#include <cstdint>
#include <string_view>

namespace tabvex::xls {

// The code of a built-in number format (0 to 49) as Excel writes it in the US
// locale; "General" for an index that has none.
std::string_view BuiltInNumberFormat(uint16_t index);

enum class NumberFormatKind : uint8_t { Plain, Date, Currency };

// Date when the code shows a date or a time: d, m, y, h or s outside quoted text,
// escaped characters and [...] sections (colours, conditions, locales, elapsed time).
bool IsDateFormat(std::string_view code);
// Currency when the code shows a currency sign: as literal text, quoted or escaped,
// or as the sign of a [$sign-locale] section ([$-409] alone is only a locale).
bool IsCurrencyFormat(std::string_view code);
// A date format showing a currency sign is a date.
NumberFormatKind ClassifyNumberFormat(std::string_view code);

}  // namespace tabvex::xls
