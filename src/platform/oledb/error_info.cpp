#include "platform/oledb/error_info.h"

#include <utility>

namespace tabvex::oledb {
namespace {

thread_local std::shared_ptr<const ErrorObject> threadErrorObject;

}  // namespace

ErrorObject::ErrorObject(bool hasRecords, std::vector<ErrorRecord> records)
    : hasRecords_(hasRecords), records_(std::move(records)) {}

std::shared_ptr<const ErrorObject> ErrorObject::WithoutRecords(ErrorInfo info) {
    std::vector<ErrorRecord> single{ErrorRecord{E_FAIL, std::move(info)}};
    return std::shared_ptr<const ErrorObject>(new ErrorObject(false, std::move(single)));
}

std::shared_ptr<const ErrorObject> ErrorObject::WithRecords(std::vector<ErrorRecord> records) {
    return std::shared_ptr<const ErrorObject>(new ErrorObject(true, std::move(records)));
}

std::size_t ErrorObject::RecordCount() const { return records_.size(); }

std::optional<ErrorInfo> ErrorObject::Record(std::size_t index) const {
    if (index >= records_.size()) return std::nullopt;
    return records_[index].info;
}

HRESULT ErrorObject::FirstCode() const { return records_.empty() ? E_FAIL : records_.front().code; }

void SetErrorInfo(std::shared_ptr<const ErrorObject> error) { threadErrorObject = std::move(error); }

HRESULT GetErrorInfo(std::shared_ptr<const ErrorObject>& error) {
    error = std::exchange(threadErrorObject, nullptr);
    return error ? S_OK : S_FALSE;
}

HRESULT ReportError(HRESULT code, const Guid& interfaceId, std::string description, std::string source) {
    ErrorInfo info{std::move(description), std::move(source), interfaceId, 0, {}};
    SetErrorInfo(ErrorObject::WithRecords({ErrorRecord{code, std::move(info)}}));
    return code;
}

}  // namespace tabvex::oledb
