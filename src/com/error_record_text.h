// The description a provider attached to the last failed call on an object: the
// first record of the calling thread's error object.
#pragma once

#include <string>

#include "platform/oledb/error_info.h"
#include "platform/oledb/guid.h"

namespace tabvex::com {

// "Unknown Error!" when the object is missing or gives no error information for the
// interface, when the thread holds no error object, or when it holds no records; an
// empty text when the first record cannot be read. Takes the thread's error object
// (as GetErrorInfo does), so call it on the failing thread, once, before its next call.
std::string ErrorRecordText(const oledb::SupportErrorInfo* object, const oledb::Guid& interfaceId);

// The same for a failure whose object is gone or never was (a provider the class
// registry could not create, a data source that did not initialize and was not
// kept): the first record of the thread's error object, whoever left it.
std::string ThreadErrorRecordText();

// The thread's first error record, taken, or an empty text when there is none: the
// reason a provider gave beside a failing result code.
std::string TakeThreadErrorReason();

inline constexpr const char* kUnknownError = "Unknown Error!";

}  // namespace tabvex::com
