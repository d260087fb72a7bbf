// The defined names of a workbook.
#pragma once

#include <memory>

#include "platform/automation/defined_name.h"
#include "platform/automation/variant.h"

namespace tabvex::automation {

class WorkbookDocument;

class Names {
public:
    explicit Names(std::shared_ptr<WorkbookDocument> document) : document_(std::move(document)) {}

    int Count() const;
    // By name (without regard to case) or position from 1; with Index missing, by
    // the formula the name refers to ("=Orders!$A$1:$B$10").
    DefinedName Item(const Variant& index, const Variant& indexLocal = Variant::Missing(),
                     const Variant& refersTo = Variant::Missing()) const;

private:
    std::shared_ptr<WorkbookDocument> document_;
};

}  // namespace tabvex::automation
