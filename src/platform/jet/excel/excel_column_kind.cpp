#include "platform/jet/excel/excel_column_kind.h"

#include <algorithm>
#include <array>

#include "platform/jet/sql/column_type.h"
#include "platform/text/utf8.h"

namespace tabvex::jet::excel {
namespace {

using namespace oledb;

// Flags as Jet reports them for worksheet columns.
constexpr DBCOLUMNFLAGS kTextFlags = DBCOLUMNFLAGS_MAYBENULL | DBCOLUMNFLAGS_ISNULLABLE |
                                     DBCOLUMNFLAGS_WRITEUNKNOWN | DBCOLUMNFLAGS_MAYDEFER;  // 106
constexpr DBCOLUMNFLAGS kLongTextFlags = kTextFlags | DBCOLUMNFLAGS_ISLONG;             // 234
constexpr DBCOLUMNFLAGS kFixedFlags = DBCOLUMNFLAGS_MAYBENULL | DBCOLUMNFLAGS_ISNULLABLE | DBCOLUMNFLAGS_ISFIXEDLENGTH |
                                      DBCOLUMNFLAGS_WRITEUNKNOWN | DBCOLUMNFLAGS_MAYDEFER;  // 122
constexpr DBCOLUMNFLAGS kBitFlags = DBCOLUMNFLAGS_ISFIXEDLENGTH | DBCOLUMNFLAGS_WRITEUNKNOWN;  // 24

constexpr std::size_t kShortTextLimit = 255;

// How each kind is reported through COLUMNS, in the order of ExcelColumnKind.
struct ColumnReport {
    DBTYPE type;
    DBCOLUMNFLAGS flags;
    std::size_t maxLength;
    std::uint8_t precision;
    bool nullable;
};
constexpr std::array<ColumnReport, 6> kReports = {{
    {DBTYPE_WSTR, kTextFlags, kShortTextLimit, 0, true},   // Text
    {DBTYPE_WSTR, kLongTextFlags, 0, 0, true},             // LongText
    {DBTYPE_R8, kFixedFlags, 0, 15, true},                 // Number
    {DBTYPE_CY, kFixedFlags, 0, 19, true},                 // Currency
    {DBTYPE_DATE, kFixedFlags, 0, 0, true},                // DateTime
    {DBTYPE_BOOL, kBitFlags, 0, 0, false},                 // Boolean
}};

// The kinds a sample votes for; on a tie the one listed first wins, text first as it
// loses no value.
constexpr std::array kVotingKinds = {ExcelColumnKind::Text, ExcelColumnKind::Number, ExcelColumnKind::Currency,
                                     ExcelColumnKind::DateTime, ExcelColumnKind::Boolean};

std::size_t VoteIndex(ExcelColumnKind kind) {
    if (kind == ExcelColumnKind::LongText) kind = ExcelColumnKind::Text;
    return static_cast<std::size_t>(std::find(kVotingKinds.begin(), kVotingKinds.end(), kind) - kVotingKinds.begin());
}

}  // namespace

IsamColumn DescribeColumn(const std::string& name, ExcelColumnKind kind) {
    const ColumnReport& report = kReports[static_cast<std::size_t>(kind)];
    IsamColumn column;
    column.name = name;
    column.type = report.type;
    column.flags = report.flags;
    column.maxLength = report.maxLength;
    column.precision = report.precision;
    column.nullable = report.nullable;
    return column;
}

std::optional<ExcelColumnKind> CellKind(const xls::CellValue& cell, xls::NumberFormatKind format) {
    switch (cell.type) {
    case xls::CellType::Text:
        return text::Utf16Length(cell.text) > kShortTextLimit ? ExcelColumnKind::LongText : ExcelColumnKind::Text;
    case xls::CellType::Number:
        if (format == xls::NumberFormatKind::Date) return ExcelColumnKind::DateTime;
        if (format == xls::NumberFormatKind::Currency) return ExcelColumnKind::Currency;
        return ExcelColumnKind::Number;
    case xls::CellType::Boolean: return ExcelColumnKind::Boolean;
    case xls::CellType::Empty:
    case xls::CellType::Error: break;
    }
    return std::nullopt;
}

ExcelColumnKind GuessColumnKind(std::span<const ExcelColumnKind> sample) {
    std::array<std::size_t, kVotingKinds.size()> votes{};
    for (ExcelColumnKind kind : sample) ++votes[VoteIndex(kind)];
    ExcelColumnKind winner = kVotingKinds[static_cast<std::size_t>(std::max_element(votes.begin(), votes.end()) - votes.begin())];
    bool longText = std::find(sample.begin(), sample.end(), ExcelColumnKind::LongText) != sample.end();
    return winner == ExcelColumnKind::Text && longText ? ExcelColumnKind::LongText : winner;
}

ExcelColumnKind DeclaredColumnKind(const ColumnDefinition& column) {
    using sql::ColumnTypeKind;
    auto kind = sql::ColumnTypeKindByName(column.typeName);
    switch (kind.value_or(ColumnTypeKind::Guid)) {
    case ColumnTypeKind::Text: return ExcelColumnKind::Text;
    case ColumnTypeKind::Memo: return ExcelColumnKind::LongText;
    case ColumnTypeKind::Byte:
    case ColumnTypeKind::Short:
    case ColumnTypeKind::Long:
    case ColumnTypeKind::Single:
    case ColumnTypeKind::Double:
    case ColumnTypeKind::Decimal:
    case ColumnTypeKind::Counter: return ExcelColumnKind::Number;
    case ColumnTypeKind::Currency: return ExcelColumnKind::Currency;
    case ColumnTypeKind::DateTime: return ExcelColumnKind::DateTime;
    case ColumnTypeKind::Boolean: return ExcelColumnKind::Boolean;
    case ColumnTypeKind::Guid:
    case ColumnTypeKind::Binary:
    case ColumnTypeKind::LongBinary: break;
    }
    throw IsamError(DB_E_BADTYPENAME, "The column '" + column.name + "' has the type '" + column.typeName +
                                          "', which a worksheet cannot hold.");
}

}  // namespace tabvex::jet::excel
