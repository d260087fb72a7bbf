#include "adapters/excel/saved_workbook_check.h"

#include <utility>

#include "app/output_lines.h"
#include "platform/automation/cell_range.h"
#include <exception>

namespace tabvex::adapters {

namespace {

constexpr std::size_t kShownCharacters = 40;

std::function<void(const std::filesystem::path&)>& BeforeReadBack() {
    static std::function<void(const std::filesystem::path&)> hook;
    return hook;
}

// A column by its header text, else by its letters.
std::string ColumnLabel(const xls::Worksheet& sheet, std::size_t column) {
    std::string header = sheet.CellText(0, static_cast<std::uint16_t>(column));
    return header.empty() ? automation::ColumnLetters(static_cast<int>(column)) : header;
}

// A read-back text as the Log shows it: quoted, long texts cut.
std::string Shown(const std::string& text) {
    if (text.size() <= kShownCharacters) return "\"" + text + "\"";
    std::size_t end = kShownCharacters;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return "\"" + text.substr(0, end) + "...\"";
}

// The table's rows [first, end), which went to one worksheet under its header row.
struct RowRun {
    std::int64_t first;
    std::int64_t end;
};

std::optional<std::string> FirstCellDifference(const xls::Worksheet& sheet, const SentCells& sent, RowRun run) {
    for (std::int64_t row = run.first; row < run.end; ++row) {
        for (std::size_t column = 0; column < sent.columns(); ++column) {
            const std::string text = sheet.CellText(static_cast<std::uint32_t>(row - run.first + 1),
                                                    static_cast<std::uint16_t>(column));
            if (!sent.Matches(row, column, text)) {
                return "row " + std::to_string(row + 1) + ", column [" + ColumnLabel(sheet, column) +
                       "] reads back " + Shown(text) + ", not what was sent";
            }
        }
    }
    return std::nullopt;
}

// Cells past the rows and columns sent.
std::optional<std::string> SurplusCells(const xls::Worksheet& sheet, const SentCells& sent, RowRun run) {
    const auto used = sheet.UsedRange();
    if (!used) return std::nullopt;
    if (used->lastRow > run.end - run.first) {
        return "row " + std::to_string(run.end + 1) + " reads back, but " + std::to_string(run.end) +
               " rows were sent";
    }
    if (sent.columns() > 0 && used->lastColumn >= sent.columns()) {
        return "column " + automation::ColumnLetters(static_cast<int>(sent.columns())) +
               " reads back, but " + std::to_string(sent.columns()) + " columns were sent";
    }
    return std::nullopt;
}

std::optional<std::string> PartDifference(const xls::Workbook& book, const SentCells& sent, std::size_t part) {
    const auto& parts = sent.parts();
    const std::string& name = parts[part].sheet;
    const auto index = book.FindSheet(name);
    if (!index) return "the saved workbook has no worksheet [" + name + "]";
    const RowRun run{parts[part].firstRow, part + 1 < parts.size() ? parts[part + 1].firstRow : sent.rows()};
    const xls::Worksheet& sheet = book.Sheet(*index);
    auto difference = FirstCellDifference(sheet, sent, run);
    if (!difference) difference = SurplusCells(sheet, sent, run);
    if (difference && part > 0) *difference += " (worksheet [" + name + "])";
    return difference;
}

bool ReportTable(app::Output& output, const SentCells& sent, const std::optional<std::string>& difference) {
    if (difference) {
        app::WriteOutputLine(output, "E::[%s] not verified: %s", sent.table().c_str(), difference->c_str());
        return false;
    }
    app::WriteOutputLine(output, "[%s] verified: %lld rows read back equal", sent.table().c_str(),
                         static_cast<long long>(sent.rows()));
    return true;
}

}  // namespace

std::optional<std::string> FirstDifference(const xls::Workbook& book, const SentCells& sent) {
    for (std::size_t part = 0; part < sent.parts().size(); ++part)
        if (auto difference = PartDifference(book, sent, part)) return difference;
    return std::nullopt;
}

std::vector<std::string> VerifySavedWorkbook(app::Output& output, const std::filesystem::path& workbook,
                                             const std::vector<const SentCells*>& tables) {
    if (BeforeReadBack()) BeforeReadBack()(workbook);
    std::optional<xls::Workbook> book;
    std::string unreadable;
    try {
        book = xls::Workbook::OpenOnDisk(workbook);
    } catch (const std::exception& error) {
        unreadable = std::string("the saved workbook cannot be read: ") + error.what();
    }
    std::vector<std::string> failed;
    for (const SentCells* sent : tables) {
        const auto difference = book ? FirstDifference(*book, *sent) : std::optional<std::string>(unreadable);
        if (!ReportTable(output, *sent, difference)) failed.push_back(sent->table());
    }
    return failed;
}

void SetBeforeReadBackForTests(std::function<void(const std::filesystem::path&)> hook) {
    BeforeReadBack() = std::move(hook);
}

}  // namespace tabvex::adapters
