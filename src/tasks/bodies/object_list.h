// A side's tables or views as the TABLES schema rowset lists them, read whole before
// the bodies work on any of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/output.h"
#include "connect/connection_holder.h"

namespace tabvex::tasks {

struct ListedObject {
    std::string name;
    std::string type;
    std::string schema;
};

// The objects of the type ("TABLE" or "VIEW") in the provider's order; nullopt after
// the provider's error line with `label` in the Log.
std::optional<std::vector<ListedObject>> ListObjects(app::Output& output, connect::ConnectionHolder& holder,
                                                     const char* type, const char* label);

// The names of the listed objects that are not views, in the list's order.
std::vector<std::string> TableNames(const std::vector<ListedObject>& objects);

// The sheet names a workbook's tables take (its worksheets and defined names); none,
// after an error line, when they cannot be listed.
std::vector<std::string> WorkbookSheetNames(app::Output& output, connect::ConnectionHolder& holder);

// Whether `sheets` holds `name`, compared as Excel compares sheet names.
bool HoldsSheet(const std::vector<std::string>& sheets, const std::string& name);

}  // namespace tabvex::tasks
