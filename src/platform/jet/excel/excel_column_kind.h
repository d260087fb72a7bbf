// The kinds of column an Excel table has, how each is reported through COLUMNS (type
// code and the flags the type naming of the backup reads: TEXT, LONGTEXT, NUMERIC,
// CURRENCY, DATETIME, BIT), and how a column's kind is found: declared by CREATE TABLE
// in this session, or guessed from the first eight data rows as Jet guesses it.
#pragma once

#include <span>
#include <string>

#include "platform/jet/isam.h"
#include "platform/xls/cell_value.h"

namespace tabvex::jet::excel {

enum class ExcelColumnKind { Text, LongText, Number, Currency, DateTime, Boolean };

// How many data rows the guess looks at (Jet's TypeGuessRows default).
inline constexpr std::size_t kTypeGuessRows = 8;

IsamColumn DescribeColumn(const std::string& name, ExcelColumnKind kind);

// The kind most of the non-empty sample cells have (text on a tie, as text loses no
// value); text longer than 255 characters makes the column long text; no cells make it text.
ExcelColumnKind GuessColumnKind(std::span<const xls::CellValue> sample);

// The kind a CREATE TABLE type stands for. Throws IsamError (DB_E_BADTYPENAME) for a
// type a worksheet cannot hold (binary, GUID) or does not know.
ExcelColumnKind DeclaredColumnKind(const ColumnDefinition& column);

}  // namespace tabvex::jet::excel
