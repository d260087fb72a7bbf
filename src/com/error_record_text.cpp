#include "com/error_record_text.h"

namespace tabvex::com {

std::string ErrorRecordText(const oledb::SupportErrorInfo* object, const oledb::Guid& interfaceId) {
    if (object == nullptr || !object->InterfaceSupportsErrorInfo(interfaceId)) return kUnknownError;
    return ThreadErrorRecordText();
}

std::string ThreadErrorRecordText() {
    std::shared_ptr<const oledb::ErrorObject> error;
    if (oledb::GetErrorInfo(error) != oledb::S_OK || !error) return kUnknownError;
    if (error->RecordCount() == 0) return kUnknownError;
    const auto first = error->Record(0);
    return first ? first->description : std::string();
}

std::string TakeThreadErrorReason() {
    const std::string text = ThreadErrorRecordText();
    return text == kUnknownError ? std::string() : text;
}

}  // namespace tabvex::com
