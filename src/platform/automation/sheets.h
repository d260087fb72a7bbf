// The sheets of a workbook, in tab order.
#pragma once

#include <memory>

#include "platform/automation/variant.h"
#include "platform/automation/worksheet.h"

namespace tabvex::automation {

struct ApplicationState;
class WorkbookDocument;

class Sheets {
public:
    Sheets(std::shared_ptr<ApplicationState> state, std::shared_ptr<WorkbookDocument> document)
        : state_(std::move(state)), document_(std::move(document)) {}

    int Count() const;
    // By position from 1, or by name without regard to case.
    Worksheet Item(const Variant& index) const;
    // A new empty sheet after the last, named "SheetN" with the lowest N not taken.
    Worksheet Add() const;

private:
    std::shared_ptr<ApplicationState> state_;
    std::shared_ptr<WorkbookDocument> document_;
};

}  // namespace tabvex::automation
