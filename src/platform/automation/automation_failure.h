// The errors the object model raises, with the codes the spreadsheet server
// gives for the same situations and a description that names what went wrong.
#pragma once

#include <string>

#include "platform/automation/automation_error.h"

namespace tabvex::automation {

// An argument of the wrong type, or a value that cannot be converted.
[[noreturn]] void RaiseTypeMismatch();
// A collection item by a position or name that does not exist; the detail says which.
[[noreturn]] void RaiseBadIndex(const std::string& detail);
// A call on an object whose workbook was closed or whose server has quit.
[[noreturn]] void RaiseDisconnected();
// A method that failed, as "Delete method of Worksheet class failed: <reason>".
[[noreturn]] void RaiseMethodFailed(const std::string& method, const std::string& className,
                                    const std::string& reason);
// A property that could not be set, as "Unable to set the Name property of the Worksheet class: <reason>".
[[noreturn]] void RaisePropertyNotSet(const std::string& property, const std::string& className,
                                      const std::string& reason);

}  // namespace tabvex::automation
