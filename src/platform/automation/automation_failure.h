// The errors the object model raises, with the codes and descriptions the
// spreadsheet server gives for the same situations.
#pragma once

#include <string>

#include "platform/automation/automation_error.h"

namespace tabvex::automation {

// An argument of the wrong type, or a value that cannot be converted.
[[noreturn]] void RaiseTypeMismatch();
// A collection item by a position or name that does not exist.
[[noreturn]] void RaiseBadIndex();
// A call on an object whose workbook was closed or whose server has quit.
[[noreturn]] void RaiseDisconnected();
// A method that failed, as "Delete method of Worksheet class failed".
[[noreturn]] void RaiseMethodFailed(const std::string& method, const std::string& className);
// A property that could not be set, as "Unable to set the Name property of the Worksheet class".
[[noreturn]] void RaisePropertyNotSet(const std::string& property, const std::string& className);
// A failure the server explains in its own words (file errors, naming rules).
[[noreturn]] void RaiseServerError(const std::string& description);

}  // namespace tabvex::automation
