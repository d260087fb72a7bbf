// The diagnostic records of one handle: each failure carries an SQLSTATE, a native
// code (the provider's result code) and a message prefixed with the driver's name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/oledb/result_code.h"

namespace tabvex::odbc::xls {

inline constexpr const char* kMessagePrefix = "[Tabvex][Excel Driver]";

struct Diagnostic {
    std::string state;  // five characters
    std::int32_t native = 0;
    std::string message;  // with the prefix
};

class Diagnostics {
public:
    void Clear() { records_.clear(); }
    void Add(std::string state, std::string text, std::int32_t native = 0);
    // Takes the calling thread's error records (left by the provider's failing call)
    // with the SQLSTATE their result code means (or `state` when given); `fallback`
    // text when there are none.
    void AddProviderFailure(oledb::HRESULT code, const std::string& fallback, const char* state = nullptr);

    const std::vector<Diagnostic>& records() const { return records_; }

private:
    std::vector<Diagnostic> records_;
};

// The SQLSTATE a provider result code stands for ("HY000" when no better one).
const char* SqlStateOf(oledb::HRESULT code);

}  // namespace tabvex::odbc::xls
