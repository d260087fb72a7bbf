// The server's top object ("Excel.Application"): one instance of the
// spreadsheet server, with its switches, its workbooks and its active window.
#pragma once

#include <memory>

#include "platform/automation/variant.h"
#include "platform/oledb/com_object.h"
#include "platform/oledb/guid.h"
#include "platform/automation/window.h"
#include "platform/automation/workbooks.h"

namespace tabvex::automation {

struct ApplicationState;

// The class the registry creates for the ProgID "Excel.Application".
inline const oledb::Guid CLSID_Application = oledb::GuidLiteral("{00024500-0000-0000-C000-000000000046}");

class Application : public oledb::ComObject {
public:
    Application();

    bool Visible() const;
    void SetVisible(bool visible);
    // There is nobody to answer a question; the switch is kept for callers that read it.
    bool DisplayAlerts() const;
    void SetDisplayAlerts(bool displayAlerts);
    // The window of the active workbook, showing its active sheet.
    automation::Window ActiveWindow() const;
    automation::Workbooks Workbooks() const;
    // Saves the active workbook; with a file name, under that name.
    void Save(const Variant& fileName = Variant::Missing());
    // Closes every workbook without saving; every object of this server is dead afterwards.
    void Quit();

private:
    std::shared_ptr<ApplicationState> state_;
};

}  // namespace tabvex::automation
