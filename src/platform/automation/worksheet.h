// One worksheet: its name, activation, deletion and the ranges on it.
#pragma once

#include <memory>
#include <string>

#include "platform/automation/range.h"
#include "platform/automation/variant.h"
#include "platform/automation/workbook_document.h"

namespace tabvex::automation {

struct ApplicationState;

class Worksheet {
public:
    Worksheet(std::shared_ptr<ApplicationState> state, std::shared_ptr<WorkbookDocument> document,
              WorkbookDocument::SheetRef sheet)
        : state_(std::move(state)), document_(std::move(document)), sheet_(std::move(sheet)) {}

    std::string Name() const;
    // Refuses an empty name, one over 31 characters or with : \ / ? * [ ], and a
    // name another sheet has; defined names follow the sheet under its new name.
    void SetName(const std::string& name);
    int Index() const;  // position from 1
    // Makes this the active sheet of its workbook, and that the active workbook.
    void Activate();
    // Fails for the workbook's last sheet.
    void Delete();
    // From the first to the last cell that holds something; A1 on an empty sheet.
    automation::Range UsedRange() const;
    // No cell and nothing placed on the sheet (pictures, comments, merged areas, ...).
    bool IsBlank() const;
    // Defines a name local to this sheet over the address ("$A$1"), as Excel's
    // Worksheet.Names.Add; Visible false hides it from the person's lists of names.
    void AddName(const std::string& name, const std::string& address, bool visible);
    // Whether this sheet has a local name of that text, without regard to case.
    bool HasName(const std::string& name) const;
    // By address ("A1:B1", "$A$1"); with a second address, the rectangle spanning both.
    automation::Range Range(const Variant& cell1, const Variant& cell2 = Variant::Missing()) const;

private:
    WorkbookDocument& Document() const;

    std::shared_ptr<ApplicationState> state_;
    std::shared_ptr<WorkbookDocument> document_;
    WorkbookDocument::SheetRef sheet_;
};

}  // namespace tabvex::automation
