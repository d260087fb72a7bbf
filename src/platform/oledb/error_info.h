// The per-thread error object of OLE DB. A failing call leaves one on the calling
// thread; whoever reports the failure takes it with GetErrorInfo, which clears it,
// as COM's GetErrorInfo does. An error object either carries records (the first is
// the most specific) or is a bare error description, which counts as one record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/oledb/guid.h"
#include "platform/oledb/result_code.h"

namespace tabvex::oledb {

// What IErrorInfo answers: only the description is shown to people; the rest says
// where the failure came from.
struct ErrorInfo {
    std::string description;
    std::string source;
    Guid interfaceId;
    std::uint32_t helpContext = 0;
    std::string helpFile;
};

struct ErrorRecord {
    HRESULT code = E_FAIL;
    ErrorInfo info;
};

class ErrorObject {
public:
    // An error object without the records interface.
    static std::shared_ptr<const ErrorObject> WithoutRecords(ErrorInfo info);
    // An error object with records; an empty list is allowed (and reads as none).
    static std::shared_ptr<const ErrorObject> WithRecords(std::vector<ErrorRecord> records);

    bool HasRecords() const { return hasRecords_; }
    // The number of records; an object without records counts as one.
    std::size_t RecordCount() const;
    // Record `index`, or nullopt when there is no such record.
    std::optional<ErrorInfo> Record(std::size_t index) const;
    // The code of the first record (E_FAIL for an object without records).
    HRESULT FirstCode() const;

private:
    ErrorObject(bool hasRecords, std::vector<ErrorRecord> records);

    bool hasRecords_;
    std::vector<ErrorRecord> records_;  // exactly one entry when !hasRecords_
};

// Replaces the calling thread's error object (nullptr clears it).
void SetErrorInfo(std::shared_ptr<const ErrorObject> error);
// Takes the calling thread's error object: S_OK and the object, or S_FALSE and
// nullptr when there is none. The thread's slot is empty afterwards.
HRESULT GetErrorInfo(std::shared_ptr<const ErrorObject>& error);

// Leaves a one-record error object on the calling thread and returns `code`, so a
// failing call can end with `return ReportError(...)`.
HRESULT ReportError(HRESULT code, const Guid& interfaceId, std::string description,
                    std::string source = "Microsoft JET Database Engine");

// Implemented by every provider object: whether failures of calls through the given
// interface leave an error object (ISupportErrorInfo).
class SupportErrorInfo {
public:
    virtual ~SupportErrorInfo() = default;
    virtual bool InterfaceSupportsErrorInfo(const Guid& interfaceId) const = 0;
};

}  // namespace tabvex::oledb
