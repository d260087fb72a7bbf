// An Excel 97-2003 workbook (BIFF8 in a compound file): opened from a file or created
// new, changed through its sheets and defined names, saved atomically. Everything the
// engine does not model (other records, other streams such as summary information,
// VBA projects, embedded objects) is written back unchanged.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xls/cell_range.h"
#include "platform/xls/file_stamp.h"
#include "platform/xls/worksheet.h"
#include "platform/xls/xls_error.h"

namespace tabvex::xls {

// How AddName defines a name: workbook-wide or local to its area's sheet, listed
// or hidden from the lists of names a person sees.
struct NameOptions {
    bool localToSheet = false;
    bool hidden = false;
};

struct DefinedNameInfo {
    std::string name;                 // built-in names by their English text, e.g. "Print_Area"
    std::optional<size_t> sheetScope; // sheet index of a sheet-local name; nothing for global
    bool hidden = false;
    bool builtIn = false;
    std::string formulaText;          // "=Orders!$A$1:$B$10", as Excel shows it
};

class Workbook {
public:
    // Reads a workbook; XlsError names the file and the problem when it cannot.
    static Workbook Open(const std::filesystem::path& path);
    // Reads the file itself, even when the workbook saved there is kept in memory: for
    // checking what a save left on disk.
    static Workbook OpenOnDisk(const std::filesystem::path& path);
    // Reads a workbook file's bytes from memory; `label` stands for the file in errors.
    static Workbook OpenBytes(std::span<const uint8_t> bytes, const std::filesystem::path& label);
    // A new workbook with the given sheets (at least one).
    static Workbook CreateNew(const std::vector<std::string>& sheetNames);

    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;
    ~Workbook();

    // Writes the workbook to `path` through a temporary file renamed over it when
    // complete; on failure the old file stays as it was. The path becomes Path().
    // Under a SaveHold on `path` nothing is written (see kept_workbook.h).
    void Save(const std::filesystem::path& path);
    // Saves to Path(); a new workbook must have been saved under a path first.
    void Save();
    const std::filesystem::path& Path() const;
    // The file as this workbook last saved it; nothing when it never saved one.
    std::optional<FileStamp> SavedStamp() const;
    // True when the last save was held and has not reached the file yet.
    bool SaveHeld() const;

    // True when the workbook counts dates from 1904-01-01 (DATEMODE 1), as Mac Excel
    // did, instead of from 1900.
    bool UsesDate1904() const;

    size_t SheetCount() const;
    Worksheet& Sheet(size_t index);
    const Worksheet& Sheet(size_t index) const;
    // Index of the sheet of that name, without regard to case.
    std::optional<size_t> FindSheet(std::string_view name) const;
    // Appends a worksheet; the name must be valid and unique.
    Worksheet& AddSheet(const std::string& name);
    // Removes a sheet; references to later sheets move with them, sheet-local names
    // of the sheet go with it, and references to it become #REF!.
    void DeleteSheet(size_t index);
    void RenameSheet(size_t index, const std::string& name);

    std::vector<DefinedNameInfo> Names() const;
    // A name by its text without regard to case; a global name before a sheet-local one.
    std::optional<DefinedNameInfo> FindName(std::string_view name) const;
    // The single sheet rectangle a name refers to, if it is one.
    std::optional<SheetArea> NameArea(std::string_view name) const;
    // Adds a name over the area; the name must be new in its scope.
    void AddName(const std::string& name, const SheetArea& area, NameOptions options = {});
    // Points an existing name at a new area (to widen a table's range).
    void SetNameArea(std::string_view name, const SheetArea& area);
    void DeleteName(std::string_view name);

    // The engine's reader and writer work on this; it is not part of the interface.
    struct Impl;

private:
    explicit Workbook(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// Checks a sheet name: 1 to 31 characters, none of : \ / ? * [ ], no apostrophe at
// either end. Throws XlsError.
void ValidateSheetName(std::string_view name);

}  // namespace tabvex::xls
