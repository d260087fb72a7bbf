#include "adapters/excel/excel_automation.h"

#include <algorithm>
#include <optional>

#include "adapters/excel/automation_session.h"
#include "adapters/excel/excel_workbook.h"
#include "adapters/excel/leftover_sheet.h"
#include "app/output_lines.h"
#include "com/error_record_text.h"
#include "connect/ascii_case.h"
#include "platform/automation/cell_range.h"
#include "platform/automation/excel_constants.h"
#include "platform/oledb/interface_ids.h"
#include "platform/text/utf8.h"
#include "platform/xls/kept_workbook.h"
#include "platform/xls/xls_error.h"

namespace tabvex::adapters {

namespace {

constexpr int kHeaderFillColour = 8;
// The widest column a worksheet allows, in characters.
constexpr long kMaxColumnWidth = 255;

// The target is taken off its connection so that automation works on the whole
// saved workbook; the operations that name their own workbook forget a Jet catalog,
// which connecting derives again from the workbook's file. Over ODBC the catalog is
// that file and stays.
void TakeTargetOffline(browser::Side& target, bool forgetCatalog) {
    target.Disconnect();
    if (forgetCatalog && connect::IsJetProvider(target.settings().providerProgId)) target.settings().catalogName.clear();
}

// Commits the target session, so that a failed save is seen here rather than lost
// when the connection is released.
bool SaveTargetRows(app::Output& output, browser::Side& target) {
    oledb::Session* session = target.holder().session.get();
    if (!session || !oledb::Failed(session->Commit())) return true;
    const std::string why = com::ErrorRecordText(session, oledb::IID_ITransactionLocal);
    app::WriteOutputLine(output, "E::%s", why.c_str());
    return false;
}

// Writes what the hold kept in memory, reporting a failure as the commit would.
bool WriteHeldRows(app::Output& output, xls::SaveHold& hold) {
    try {
        hold.Release();
        return true;
    } catch (const xls::XlsError& failure) {
        app::WriteOutputLine(output, "E::The workbook could not be saved: %s", failure.what());
        return false;
    }
}

// A column as wide as its header text at the header font's size, never wider than
// a worksheet allows (a long header would otherwise fail the whole formatting).
int HeaderColumnWidth(float fontSize, const std::string& text) {
    const auto length = static_cast<float>(text::Utf16Length(text));
    const auto points = static_cast<long>(fontSize * length * 1.3333334);
    return static_cast<int>(std::min(points / 12 + 1, kMaxColumnWidth));
}

// Widens the columns from A on, each for its header cell, up to the first empty one.
void SetHeaderColumnWidths(const automation::Worksheet& sheet, float fontSize) {
    for (int column = 0; column < automation::kSheetColumns; ++column) {
        const std::string letters = automation::ColumnLetters(column);
        automation::Range cell = sheet.Range(letters + "1:" + letters + "1");
        const std::string text = cell.Value().ToText();
        if (text.empty()) return;
        cell.SetColumnWidth(HeaderColumnWidth(fontSize, text));
    }
}

// Row 1 bold and centred with its borders and fill, the columns sized to it, and
// frozen so that it stays in view.
void FormatHeaderRow(automation::Application& excel, automation::Worksheet sheet) {
    sheet.Activate();
    automation::Window window = excel.ActiveWindow();
    window.SetSplitRow(1);
    window.SetFreezePanes(true);
    automation::Range header = sheet.Range("A1:B1").EntireRow();
    header.SetHorizontalAlignment(automation::xlHAlignCenter);
    header.Font().SetFontStyle("Bold");
    for (int edge : {automation::xlEdgeTop, automation::xlEdgeBottom, automation::xlEdgeLeft,
                     automation::xlInsideVertical}) {
        header.Borders(edge).SetLineStyle(automation::xlContinuous);
    }
    header.Interior().SetColorIndex(kHeaderFillColour);
    SetHeaderColumnWidths(sheet, header.Font().Size());
}

// Worksheet names as the Jet provider reports them end in "$" and may be quoted.
std::string SheetNameOf(const std::string& table) {
    std::string name = table;
    std::erase_if(name, [](char c) { return c == '$' || c == '\''; });
    return name;
}

// Whether a defined name's formula covers the worksheet of the same name, as the
// name of every table the Jet provider creates does.
bool IsTableOwnName(const std::string& formula, const std::string& name) {
    const std::string prefix = "=" + name + "!";
    return formula.size() > prefix.size() && connect::EqualsIgnoringAsciiCase(formula.substr(0, prefix.size()), prefix);
}

std::optional<automation::DefinedName> FindDefinedName(const automation::Names& names, const std::string& name) {
    for (int i = 1; i <= names.Count(); ++i) {
        automation::DefinedName candidate = names.Item(i);
        if (connect::EqualsIgnoringAsciiCase(candidate.Name(), name)) return candidate;
    }
    return std::nullopt;
}

// Deletes the worksheet and, when the table's defined name covers it, that name
// too: left behind it would stand for no cells and still list the table.
void DeleteTable(automation::Workbook& book, const std::string& sheetName) {
    auto ownName = FindDefinedName(book.Names(), sheetName);
    if (ownName && !IsTableOwnName(ownName->Value(), sheetName)) ownName.reset();
    book.Sheets().Item(sheetName).Delete();
    if (ownName) ownName->Delete();
}

// Renames the table's worksheet and moves its defined name along. The old name
// goes first, so that a new name differing only in letter case survives.
void RenameTable(automation::Workbook& book, automation::DefinedName& ownName, const std::string& oldName,
                 const std::string& newName) {
    automation::Worksheet sheet = book.Sheets().Item(oldName);
    sheet.SetName(newName);
    ownName.Delete();
    sheet.UsedRange().SetName(newName);
}

bool AskToDeleteForeignName(app::Output& output) {
    return output.ui().ShowMessageBox({"User Define Names, Not A Table Name, Clear?", app::kProgramTitle,
                                         app::MessageButtons::YesNo, app::MessageIcon::Question,
                                         app::DefaultButton::Refuse}) ==
           app::MessageAnswer::Yes;
}

// The database the target tree shows: its workbook's path without ".xls".
std::string CurrentTargetDatabase(const browser::Side& target) {
    const browser::DbTree& tree = target.tree();
    const browser::NodeId database = tree.remembered().currentDatabase;
    return database == browser::kNoNode ? std::string() : tree.node(database).text;
}

// Takes the target off its connection and deletes the table from the workbook file;
// `workbook` is the database name the Log names.
AutomationOutcome DeleteTableOfTarget(app::Output& output, browser::Side& target, const std::string& workbook,
                                      const std::string& workbookFile, const std::string& table) {
    TakeTargetOffline(target, true);
    const std::string operation = "Dropping table [" + table + "] of [" + workbook + "]";
    return RunAutomation(output, operation, [&](automation::Application& excel) {
        automation::Workbook book = OpenWorkbook(excel, workbookFile, true);
        DeleteTable(book, SheetNameOf(table));
        SaveAndClose(book);
    });
}

}  // namespace

bool SetExcelTableHead(app::Output& output, browser::Sides& sides, const std::string& database) {
    browser::Side& target = sides.target();
    app::WriteOutputLine(output, "MSEXCEL_SetTableHead of [%s]", database.c_str());
    const std::string workbook = ConnectedTargetWorkbook(target.settings());
    // The rows and the formatted header rows reach the file in one write, when the
    // hold is released; until then the file is the one the last table left.
    xls::SaveHold hold(workbook);
    if (!SaveTargetRows(output, target)) return false;
    TakeTargetOffline(target, false);
    RunAutomation(output, "Formatting the header rows of [" + workbook + "]", [&](automation::Application& excel) {
        automation::Workbook book = OpenWorkbook(excel, workbook, false);
        RemoveBlankLeftoverSheet(book);
        const automation::Sheets sheets = book.Sheets();
        for (int i = 1; i <= sheets.Count(); ++i) FormatHeaderRow(excel, sheets.Item(i));
        SaveAndClose(book);
    });
    if (!WriteHeldRows(output, hold)) return false;
    if (connect::IsJetProvider(target.settings().providerProgId)) target.settings().catalogName.clear();
    sides.Reconnect(browser::kTargetSide);
    return true;
}

bool DropExcelTable(app::Output& output, browser::Sides& sides, const std::string& workbook,
                    const std::string& table) {
    browser::Side& target = sides.target();
    const AutomationOutcome outcome =
        DeleteTableOfTarget(output, target, workbook, WorkbookFileOf(target.settings(), workbook), table);
    if (outcome == AutomationOutcome::Done) app::WritePlainOutputLine(output, "Drop Table SUCCESSFULLY!!!");
    // The workbook is unchanged unless the drop was saved; either way the target
    // is usable again.
    sides.Reconnect(browser::kTargetSide);
    return outcome == AutomationOutcome::Done;
}

std::optional<int> ClearExcelWorkbook(app::Output& output, browser::Sides& sides, const std::string& workbook) {
    browser::Side& target = sides.target();
    const std::string file = WorkbookFileOf(target.settings(), workbook);
    TakeTargetOffline(target, true);
    int deleted = 0;
    const std::string operation = "Clearing all data of [" + workbook + "]";
    const AutomationOutcome outcome = RunAutomation(output, operation, [&](automation::Application& excel) {
        automation::Workbook book = OpenWorkbook(excel, file, true);
        const automation::Names names = book.Names();
        while (names.Count() > 0) names.Item(1).Delete();
        const automation::Sheets sheets = book.Sheets();
        for (; sheets.Count() > 1; ++deleted) sheets.Item(1).Delete();
        automation::Worksheet last = sheets.Item(1);
        if (!last.IsBlank()) {
            automation::Worksheet blank = sheets.Add();
            MarkLeftoverSheet(blank);
            last.Delete();
            ++deleted;
        }
        SaveAndClose(book);
    });
    sides.Reconnect(browser::kTargetSide);
    if (outcome != AutomationOutcome::Done) return std::nullopt;
    return deleted;
}

bool RenameExcelTable(app::Output& output, browser::Sides& sides, const std::string& oldName,
                      const std::string& newName) {
    browser::Side& target = sides.target();
    const std::string workbook = WorkbookFileOf(target.settings(), CurrentTargetDatabase(target));
    TakeTargetOffline(target, true);
    const std::string name = SheetNameOf(oldName);
    const std::string operation = "Renaming table [" + oldName + "] to [" + newName + "]";
    const AutomationOutcome outcome = RunAutomation(output, operation, [&](automation::Application& excel) {
        automation::Workbook book = OpenWorkbook(excel, workbook, true);
        automation::DefinedName definedName = book.Names().Item(name);
        if (IsTableOwnName(definedName.Value(), name)) {
            RenameTable(book, definedName, name, newName);
        } else if (AskToDeleteForeignName(output)) {
            definedName.Delete();
        }
        SaveAndClose(book);
    });
    sides.Reconnect(browser::kTargetSide);
    return outcome == AutomationOutcome::Done;
}

SheetReplacement::SheetReplacement(app::Output& output, browser::Sides& sides, const std::string& sheet)
    : output_(output), sides_(sides), workbook_(ConnectedTargetWorkbook(sides.target().settings())), hold_(workbook_) {
    browser::Side& target = sides.target();
    const std::string database = CurrentTargetDatabase(target);
    // The rows of the tables before go into the hold too, so that automation sees them.
    oldSheetDeleted_ = SaveTargetRows(output, target) &&
                       DeleteTableOfTarget(output, target, database, workbook_, sheet) == AutomationOutcome::Done;
    sides.Reconnect(browser::kTargetSide);
}

// An end without Keep (an exception on its way) must not write the half-made table:
// the connection, whose changes would reach the file at its next save, goes too.
SheetReplacement::~SheetReplacement() {
    if (ended_) return;
    sides_.target().Disconnect();
    hold_.Abandon();
}

bool SheetReplacement::Keep() {
    ended_ = true;
    browser::Side& target = sides_.target();
    const bool saved = SaveTargetRows(output_, target);
    // Off its connection, the provider hands its workbook to the hold.
    TakeTargetOffline(target, false);
    const bool written = saved && WriteHeldRows(output_, hold_);
    if (!saved) hold_.Abandon();
    sides_.Reconnect(browser::kTargetSide);
    return written;
}

void SheetReplacement::Abandon() {
    if (ended_) return;
    ended_ = true;
    TakeTargetOffline(sides_.target(), false);
    hold_.Abandon();
    sides_.Reconnect(browser::kTargetSide);
}

}  // namespace tabvex::adapters
