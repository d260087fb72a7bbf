#include "platform/jet/excel/excel_column_kind.h"

#include <array>

#include "platform/jet/sql/column_type.h"
#include "platform/jet/sql/text_case.h"

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

}  // namespace

IsamColumn DescribeColumn(const std::string& name, ExcelColumnKind kind) {
    IsamColumn column;
    column.name = name;
    switch (kind) {
    case ExcelColumnKind::Text:
        column.type = DBTYPE_WSTR;
        column.flags = kTextFlags;
        column.maxLength = kShortTextLimit;
        break;
    case ExcelColumnKind::LongText:
        column.type = DBTYPE_WSTR;
        column.flags = kLongTextFlags;
        break;
    case ExcelColumnKind::Number:
        column.type = DBTYPE_R8;
        column.flags = kFixedFlags;
        column.precision = 15;
        break;
    case ExcelColumnKind::Currency:
        column.type = DBTYPE_CY;
        column.flags = kFixedFlags;
        column.precision = 19;
        break;
    case ExcelColumnKind::DateTime:
        column.type = DBTYPE_DATE;
        column.flags = kFixedFlags;
        break;
    case ExcelColumnKind::Boolean:
        column.type = DBTYPE_BOOL;
        column.flags = kBitFlags;
        column.nullable = false;
        break;
    }
    return column;
}

ExcelColumnKind GuessColumnKind(std::span<const xls::CellValue> sample) {
    std::size_t texts = 0, numbers = 0, booleans = 0;
    bool longText = false;
    for (const auto& cell : sample) {
        switch (cell.type) {
        case xls::CellType::Text:
            ++texts;
            longText = longText || sql::Utf16Length(cell.text) > kShortTextLimit;
            break;
        case xls::CellType::Number: ++numbers; break;
        case xls::CellType::Boolean: ++booleans; break;
        case xls::CellType::Empty:
        case xls::CellType::Error: break;
        }
    }
    if (numbers > texts && numbers >= booleans) return ExcelColumnKind::Number;
    if (booleans > texts && booleans > numbers) return ExcelColumnKind::Boolean;
    return longText ? ExcelColumnKind::LongText : ExcelColumnKind::Text;
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
