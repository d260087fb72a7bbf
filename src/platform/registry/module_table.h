// The modules of the program that serve classes, by the name the class registry
// gives them: the Jet provider's "jet", the ODBC provider's "msdasql" and the
// spreadsheet server's "automation" are always present.
#pragma once

#include <memory>
#include <string>

#include "platform/registry/class_registry.h"

namespace tabvex::registry {

// A new object of `classId` from `module`, or nullptr when the module is absent.
std::shared_ptr<oledb::ComObject> CreateFromModule(const std::string& module, const Guid& classId);

}  // namespace tabvex::registry
