// The collection of the server's open workbooks: opening files, making new
// workbooks, closing them all.
#pragma once

#include <memory>
#include <string>

#include "platform/automation/variant.h"
#include "platform/automation/workbook.h"

namespace tabvex::automation {

struct ApplicationState;

// The optional arguments of Open after the file name. ReadOnly is honoured (a
// read-only workbook refuses Save); the others have no effect on this server.
struct OpenArguments {
    Variant updateLinks = Variant::Missing();
    Variant readOnly = Variant::Missing();
    Variant format = Variant::Missing();
    Variant password = Variant::Missing();
    Variant writeResPassword = Variant::Missing();
    Variant ignoreReadOnlyRecommended = Variant::Missing();
    Variant origin = Variant::Missing();
    Variant delimiter = Variant::Missing();
    Variant editable = Variant::Missing();
    Variant notify = Variant::Missing();
    Variant converter = Variant::Missing();
    Variant addToMru = Variant::Missing();
};

class Workbooks {
public:
    explicit Workbooks(std::shared_ptr<ApplicationState> state) : state_(std::move(state)) {}

    int Count() const;
    // By position from 1, or by name ("Book1", "Orders.xls").
    Workbook Item(const Variant& index) const;
    // Reads the file into memory; a workbook already open is returned as it is.
    Workbook Open(const std::string& fileName, const OpenArguments& arguments = {});
    // A new workbook: three sheets, or one with the template xlWBATWorksheet (-4167).
    Workbook Add(const Variant& templateKind = Variant::Missing());
    // Closes every workbook without saving.
    void Close();

private:
    std::shared_ptr<ApplicationState> state_;
};

}  // namespace tabvex::automation
