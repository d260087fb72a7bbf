// The error an automation call raises: a result code and the server's description,
// as a COM error object carries them to the caller.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/oledb/result_code.h"

namespace tabvex::automation {

class AutomationError : public std::runtime_error {
public:
    AutomationError(oledb::HRESULT code, std::string description)
        : std::runtime_error(description), code_(code), description_(std::move(description)) {}

    oledb::HRESULT code() const { return code_; }
    const std::string& description() const { return description_; }

private:
    oledb::HRESULT code_;
    std::string description_;
};

}  // namespace tabvex::automation
