// One open workbook: its sheets and defined names, saving and closing.
#pragma once

#include <memory>
#include <string>

#include "platform/automation/names.h"
#include "platform/automation/sheets.h"
#include "platform/automation/variant.h"

namespace tabvex::automation {

struct ApplicationState;
class WorkbookDocument;

// The arguments of SaveAs. FileFormat may be -4143 or 56 (both the Excel 97-2003
// workbook); passwords and read-only recommendation cannot be written and are
// refused unless empty or false; CreateBackup keeps the replaced file as
// "Backup of <name>.xlk"; AccessMode 2 marks the workbook shared, 3 exclusive.
struct SaveAsArguments {
    Variant fileName = Variant::Missing();
    Variant fileFormat = Variant::Missing();
    Variant password = Variant::Missing();
    Variant writeResPassword = Variant::Missing();
    Variant readOnlyRecommended = Variant::Missing();
    Variant createBackup = Variant::Missing();
    Variant accessMode = Variant::Missing();
    Variant conflictResolution = Variant::Missing();
    Variant addToMru = Variant::Missing();
    Variant textCodepage = Variant::Missing();
    Variant textVisualLayout = Variant::Missing();
    Variant local = Variant::Missing();
};

class Workbook {
public:
    Workbook(std::shared_ptr<ApplicationState> state, std::shared_ptr<WorkbookDocument> document)
        : state_(std::move(state)), document_(std::move(document)) {}

    std::string Name() const;      // file name, or "Book1" before the first SaveAs
    std::string FullName() const;  // path, or the name before the first SaveAs
    automation::Sheets Sheets() const;
    automation::Names Names() const;
    bool MultiUserEditing() const;
    // Takes a shared workbook back into exclusive use; fails when it is not shared.
    bool ExclusiveAccess();
    void Activate();
    // Writes the workbook to its file; a new workbook needs SaveAs first.
    void Save();
    bool Saved() const;
    void SetSaved(bool saved);
    void SaveAs(const SaveAsArguments& arguments);
    // SaveChanges true saves (under FileName when given); false or missing discards changes.
    void Close(const Variant& saveChanges = Variant::Missing(), const Variant& fileName = Variant::Missing(),
               const Variant& routeWorkbook = Variant::Missing());

private:
    const WorkbookDocument& Document() const;
    WorkbookDocument& Document();

    std::shared_ptr<ApplicationState> state_;
    std::shared_ptr<WorkbookDocument> document_;
};

}  // namespace tabvex::automation
