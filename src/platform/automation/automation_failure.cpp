#include "platform/automation/automation_failure.h"

#include "platform/automation/dispatch_result.h"

namespace tabvex::automation {

void RaiseTypeMismatch() {
    throw AutomationError(DISP_E_TYPEMISMATCH, "Type mismatch.");
}

void RaiseBadIndex() {
    throw AutomationError(DISP_E_BADINDEX, "Invalid index.");
}

void RaiseDisconnected() {
    throw AutomationError(RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients.");
}

void RaiseMethodFailed(const std::string& method, const std::string& className) {
    throw AutomationError(XL_E_METHODFAILED, method + " method of " + className + " class failed");
}

void RaisePropertyNotSet(const std::string& property, const std::string& className) {
    throw AutomationError(XL_E_METHODFAILED,
                          "Unable to set the " + property + " property of the " + className + " class");
}

void RaiseServerError(const std::string& description) {
    throw AutomationError(XL_E_METHODFAILED, description);
}

}  // namespace tabvex::automation
