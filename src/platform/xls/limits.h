// What a BIFF8 workbook can hold.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tabvex::xls {

constexpr uint32_t kMaxRows = 65536;
constexpr uint32_t kMaxColumns = 256;
constexpr size_t kMaxCellText = 32767;      // UTF-16 code units
constexpr size_t kMaxSheetName = 31;        // UTF-16 code units
constexpr size_t kMaxDefinedName = 255;
constexpr size_t kMaxCellFormats = 4050;    // XF records
constexpr size_t kMaxFonts = 512;

}  // namespace tabvex::xls
