// Fixed-size Jet values (as stored in a row, little-endian) turned into text as a
// person reading a sheet expects it: plain notation, no exponent, nothing lost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/jet/mdb/jet_type.h"

namespace tabvex::mdb {

// Appends the text of a fixed-size value of the given type to `out`; `scale` is used
// by Numeric only. Returns false when the bytes are too few for the type.
bool AppendFixedValueText(JetType type, std::span<const std::uint8_t> bytes, int scale, std::string& out);

// Shortest text that reads back as the same number, in plain notation.
std::string DoubleToPlainText(double value);
std::string SingleToPlainText(float value);

// Currency is a count of ten-thousandths; the text is exact, without trailing zeros.
std::string CurrencyToText(std::int64_t tenThousandths);

// Upper-case hexadecimal, two digits per byte.
void AppendHex(std::span<const std::uint8_t> bytes, std::string& out);

}  // namespace tabvex::mdb
