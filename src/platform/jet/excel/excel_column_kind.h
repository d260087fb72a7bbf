// The kinds of column an Excel table has, how each is reported through COLUMNS (type
// code and the flags the type naming of the backup reads: TEXT, LONGTEXT, NUMERIC,
// CURRENCY, DATETIME, BIT), and how a column's kind is found: declared by CREATE TABLE
// in this session, or guessed from the first eight data rows as Jet guesses it.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "platform/jet/isam.h"
#include "platform/xls/cell_value.h"
#include "platform/xls/number_format.h"

namespace tabvex::jet::excel {

// The order is that of the COLUMNS report table in the .cpp.
enum class ExcelColumnKind { Text, LongText, Number, Currency, DateTime, Boolean };

// How many data rows the guess looks at (Jet's TypeGuessRows default).
inline constexpr std::size_t kTypeGuessRows = 8;

IsamColumn DescribeColumn(const std::string& name, ExcelColumnKind kind);

// The kind one sample cell speaks for, or nothing for an empty or error cell: a
// number by its number format (date, currency, plain), text past 255 characters as
// long text.
std::optional<ExcelColumnKind> CellKind(const xls::CellValue& cell, xls::NumberFormatKind format);

// The kind most sample cells speak for (text on a tie, as text loses no value, then
// number, currency, date); long text when text wins and a sample text is long; text
// when there are no cells.
ExcelColumnKind GuessColumnKind(std::span<const ExcelColumnKind> sample);

// The kind a CREATE TABLE type stands for. Throws IsamError (DB_E_BADTYPENAME) for a
// type a worksheet cannot hold (binary, GUID) or does not know.
ExcelColumnKind DeclaredColumnKind(const ColumnDefinition& column);

}  // namespace tabvex::jet::excel
