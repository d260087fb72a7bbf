// A workbook the server has open: the workbook engine's model of the file plus
// what the server keeps beside it (its name, whether it changed since the last
// save, the active sheet, window splits). Nothing reaches the file before Save
// or SaveAs, which replace it atomically.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/cell_range.h"
#include "platform/automation/style_edit.h"
#include "platform/automation/variant.h"
#include "platform/xls/workbook.h"

namespace tabvex::automation {

class WorkbookDocument {
public:
    struct PaneState {
        int splitRow = 0;
        int splitColumn = 0;
        bool frozen = false;
    };

    // A sheet's identity, kept while other sheets come and go, with its window's
    // split (a split that is not frozen lives only here).
    struct Sheet {
        PaneState panes;
    };
    using SheetRef = std::shared_ptr<Sheet>;

    // Raises when the file cannot be read as a workbook.
    static std::shared_ptr<WorkbookDocument> Open(const std::filesystem::path& path, bool readOnly);
    // A workbook with the three empty sheets "Sheet1" to "Sheet3", not yet on disk.
    static std::shared_ptr<WorkbookDocument> CreateNew(const std::string& name);

    const std::string& Name() const { return name_; }
    const std::filesystem::path& Path() const { return path_; }
    bool IsOpen() const { return open_; }
    // Raises for a call on an object of a workbook that was closed.
    void CheckOpen() const;
    void Close();
    bool Saved() const { return saved_; }
    void SetSaved(bool saved) { saved_ = saved; }
    bool ReadOnly() const { return readOnly_; }
    bool Shared() const { return shared_; }
    void SetShared(bool shared) { shared_ = shared; }

    // Writes the workbook to its own file, or to a new one that then becomes its file.
    void Save();
    void SaveAs(const std::filesystem::path& path, bool keepBackup);

    int SheetCount() const;
    SheetRef SheetAt(int position) const;              // from 1; null when out of range
    SheetRef FindSheet(std::string_view name) const;   // without regard to case; null when absent
    int PositionOf(const SheetRef& sheet) const;       // from 1; 0 once deleted
    std::string SheetName(const SheetRef& sheet) const;
    void RenameSheet(const SheetRef& sheet, const std::string& name);
    // A new empty sheet after the last, named "SheetN" with the lowest N not taken.
    SheetRef AddSheet();
    void DeleteSheet(const SheetRef& sheet);
    SheetRef ActiveSheet() const;
    void Activate(const SheetRef& sheet);
    PaneState Panes(const SheetRef& sheet) const;
    void SetPanes(const SheetRef& sheet, const PaneState& panes);

    Variant CellValue(const SheetRef& sheet, int row, int column) const;
    void SetCellValue(const SheetRef& sheet, int row, int column, const Variant& value);
    xls::CellFormat StyleAt(const SheetRef& sheet, int row, int column) const;
    CellRange UsedRange(const SheetRef& sheet) const;
    // No cell and nothing placed on the sheet (xls::Worksheet::IsBlank).
    bool IsBlank(const SheetRef& sheet) const;
    // Applies the edit to every cell of the range; whole rows change the rows' own
    // formats and the cells they hold, other ranges every cell in them.
    void EditStyles(const SheetRef& sheet, const CellRange& range, const StyleEdit& edit);
    double ColumnWidth(const SheetRef& sheet, int column) const;  // in characters
    void SetColumnWidth(const SheetRef& sheet, int firstColumn, int lastColumn, double characters);

    std::vector<std::string> NameList() const;  // workbook-wide defined names, in file order
    bool HasName(std::string_view name) const;
    std::string NameFormula(std::string_view name) const;  // "=Orders!$A$1:$B$10"
    void DeleteName(std::string_view name);
    // Defines the workbook-wide name over the range, replacing one of the same name.
    void DefineName(const std::string& name, const SheetRef& sheet, const CellRange& range);
    // Defines a new name local to the sheet over the range; a hidden one stays out of
    // the lists of names a person sees.
    void DefineLocalName(const std::string& name, const SheetRef& sheet, const CellRange& range, bool hidden);
    bool HasLocalName(const SheetRef& sheet, std::string_view name) const;  // without regard to case

    WorkbookDocument(xls::Workbook book, std::string name, bool readOnly);

private:
    size_t IndexOf(const SheetRef& sheet) const;  // in the engine's sheet list
    xls::Worksheet& EngineSheet(const SheetRef& sheet);
    const xls::Worksheet& EngineSheet(const SheetRef& sheet) const;
    void EditWholeRows(xls::Worksheet& sheet, const CellRange& range, const StyleEdit& edit);
    void Changed() { saved_ = false; }

    std::optional<xls::Workbook> book_;
    std::vector<SheetRef> sheets_;
    SheetRef active_;
    std::filesystem::path path_;
    std::string name_;
    bool open_ = true;
    bool saved_ = true;
    bool readOnly_ = false;
    bool shared_ = false;
};

}  // namespace tabvex::automation
