// One workbook-wide defined name.
#pragma once

#include <memory>
#include <string>

namespace tabvex::automation {

class WorkbookDocument;

class DefinedName {
public:
    DefinedName(std::shared_ptr<WorkbookDocument> document, std::string name)
        : document_(std::move(document)), name_(std::move(name)) {}

    std::string Name() const;
    // The formula the name stands for, as "=Orders!$A$1:$B$10".
    std::string Value() const;
    void Delete();

private:
    WorkbookDocument& Document() const;

    std::shared_ptr<WorkbookDocument> document_;
    std::string name_;
};

}  // namespace tabvex::automation
