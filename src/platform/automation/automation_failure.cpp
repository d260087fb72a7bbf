#include "platform/automation/automation_failure.h"

#include "platform/automation/dispatch_result.h"

namespace tabvex::automation {

void RaiseTypeMismatch() {
    throw AutomationError(DISP_E_TYPEMISMATCH, "Type mismatch.");
}

void RaiseBadIndex(const std::string& detail) {
    throw AutomationError(DISP_E_BADINDEX, "Invalid index. " + detail);
}

void RaiseDisconnected() {
    throw AutomationError(RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients.");
}

void RaiseMethodFailed(const std::string& method, const std::string& className, const std::string& reason) {
    throw AutomationError(XL_E_METHODFAILED, method + " method of " + className + " class failed: " + reason);
}

void RaisePropertyNotSet(const std::string& property, const std::string& className, const std::string& reason) {
    throw AutomationError(XL_E_METHODFAILED,
                          "Unable to set the " + property + " property of the " + className + " class: " + reason);
}

}  // namespace tabvex::automation
